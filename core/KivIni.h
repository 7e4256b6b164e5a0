// SPDX-License-Identifier: MIT
// Values of one INI file: plain, numbered ("%s%d" of key and number) and
// enciphered under a password (MD5 key, RC2-CBC, as the original programs
// wrote them, so files move between them and this library). Values are at
// most 255 characters; a value that cannot be enciphered is written plain.
#pragma once

#include "core/KivCore_export.h"
#include "platform/base/CString.h"

class KIVCORE_EXPORT KivIni {
public:
    KivIni() = default;

    void setFileName(const char* path) { m_strFile = path ? path : ""; }
    const char* getFileName() const { return m_strFile.c_str(); }

    // Nonzero when written. A null value removes the key.
    int setConfig(const char* section, const char* key, const char* value);
    // 1 when the value is not empty; value holds 256 characters.
    int getConfig(const char* section, const char* key, char* value);
    int setConfig(const char* section, const char* key, int number, const char* value);
    int getConfig(const char* section, const char* key, int number, char* value);
    int setConfigCrypt(const char* password, const char* section, const char* key, const char* value);
    int getConfigCrypt(const char* password, const char* section, const char* key, char* value);

private:
    CString m_strFile;
};
