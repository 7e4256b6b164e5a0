// SPDX-License-Identifier: MIT
#include "core/KivAciColor.h"

#include "platform/base/CString.h"

#include <cstdlib>

namespace {

const char* const kEnglish[9] = {"BYBLOCK", "RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE", "BYLAYER"};
const char* const kKorean[9]
    = {"BYBLOCK", "빨간색", "노란색", "초록색", "하늘색", "파란색", "선홍색", "흰색", "BYLAYER"};

unsigned long pack(int r, int g, int b)
{
    return static_cast<unsigned long>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

} // namespace

unsigned long KivAciColor::GetRGB(int colour)
{
    if (colour == 0)
        colour = 255;
    else if (colour == 256)
        colour = 0;
    else if (colour < 0 || colour > 255)
        return 0;

    static const unsigned long kFixed[10]
        = {0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    if (colour < 10)
        return kFixed[colour];
    if (colour >= 250) {
        const double g = (colour - 250) * 0.134 + 0.33;
        const int c = static_cast<int>(g * 255);
        return pack(c, c, c);
    }

    // Hue from the tens (24 steps of 15 degrees), value and saturation from the units.
    const int h = (colour - 10) / 10;
    const double hue = h * 0.25;
    const int sector = static_cast<int>(hue);
    const double f = hue - sector;
    const int m = colour % 10;
    static const double kValue[5] = {1.0, 0.65, 0.5, 0.3, 0.15};
    const double v = kValue[m / 2];
    const double s = (m % 2) ? 0.5 : 1.0;
    const double p = 1 - s, q = 1 - s * f, t = 1 - s * (1 - f);
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0:
        r = 1;
        g = t;
        b = p;
        break;
    case 1:
        r = q;
        g = 1;
        b = p;
        break;
    case 2:
        r = p;
        g = 1;
        b = t;
        break;
    case 3:
        r = p;
        g = q;
        b = 1;
        break;
    case 4:
        r = t;
        g = p;
        b = 1;
        break;
    default:
        r = 1;
        g = p;
        b = q;
        break;
    }
    return pack(static_cast<int>((v * r) * 255), static_cast<int>((v * g) * 255), static_cast<int>((v * b) * 255));
}

int KivAciColor::GetName(int colour, int english, char* text)
{
    if (!text)
        return 0;
    text[0] = '\0';
    const char* const* table = english == 1 ? kEnglish : kKorean;
    if (colour >= 0 && colour <= 7) {
        CopyBounded(text, kNameSize, table[colour]);
        return 1;
    }
    if (colour == 256) {
        CopyBounded(text, kNameSize, table[8]);
        return 1;
    }
    FormatBounded(text, kNameSize, "%d", colour);
    return 0;
}

int KivAciColor::GetColor(const char* text, int english)
{
    if (!text || !*text)
        return 256;
    const char* const* table = english == 1 ? kEnglish : kKorean;
    for (int k = 0; k < 9; ++k)
        if (CompareNoCase(text, table[k]) == 0)
            return k == 8 ? 256 : k;
    const int number = std::atoi(text);
    return number >= 0 ? number : 256;
}

const char* KivAciColor::GetName(int english)
{
    GetName(m_nColor, english, m_szName);
    return m_szName;
}
