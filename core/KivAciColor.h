// SPDX-License-Identifier: MIT
// AutoCAD Color Index colours: an index (1–255, 0 BYBLOCK, 256 BYLAYER) to
// RGB, the names of the first seven in English or Korean, and back.
#pragma once

#include "core/KivCore_export.h"

class KIVCORE_EXPORT KivAciColor {
public:
    static constexpr int kNameSize = 32;

    KivAciColor() = default;
    explicit KivAciColor(int colour) { SetColor(colour); }

    void SetColor(int colour) { m_nColor = colour; }
    // english 1 reads the English names, anything else the Korean ones.
    void SetColor(const char* text, int english) { m_nColor = GetColor(text, english); }
    int GetColor() const { return m_nColor; }
    const char* GetName(int english);
    unsigned long GetRGB() const { return GetRGB(m_nColor); }

    // 0x00BBGGRR; 0 and 7 are white, 256 and anything out of range black.
    static unsigned long GetRGB(int colour);
    // The table name (1) or the number (0) into text[32].
    static int GetName(int colour, int english, char* text);
    // A name (ignoring case) or a number; empty and negative give 256.
    static int GetColor(const char* text, int english);

private:
    int m_nColor = 0;
    char m_szName[kNameSize] = {};
};
