#include "TerminalText.h"

#include <cstdint>

namespace cli {

namespace {

// The length of the valid UTF-8 sequence at the start of s, 0 when there is
// none (overlong forms and surrogates included).
std::size_t utf8Length(std::string_view s)
{
    const auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const std::uint8_t c = b(0);
    std::size_t n;
    std::uint32_t min;
    std::uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2, min = 0x80, cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3, min = 0x800, cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4, min = 0x10000, cp = c & 0x07;
    } else {
        return 0;
    }
    if (s.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    if (cp >= 0x80 && cp <= 0x9F)
        return 0; // C1 controls: 0x9B starts a sequence on some terminals
    return n;
}

void appendEscaped(std::string& out, std::uint8_t c)
{
    static const char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

} // namespace

std::string escapeControls(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                appendEscaped(out, c);
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t n = utf8Length(text.substr(i));
        if (n == 0) {
            // Bytes 0x80-0x9F are C1 controls to an 8-bit terminal; the
            // others of a name in another code page (Latin-1 "café") are
            // printable there and stay bytes, so the name can be typed back.
            if (c <= 0x9F)
                appendEscaped(out, c);
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace cli
