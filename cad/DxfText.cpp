// SPDX-License-Identifier: MIT
#include "cad/DxfText_p.h"

#include <QString>
#include <QStringDecoder>

#include <cctype>
#include <cstring>

namespace {

// $DWGCODEPAGE names to the names ICU knows.
const char* encodingOf(const std::string& codePage)
{
    static const struct {
        const char* dxf;
        const char* encoding;
    } names[] = {
        {"ANSI_874", "windows-874"},
        {"ANSI_932", "Shift_JIS"},
        {"ANSI_936", "GBK"},
        {"ANSI_949", "windows-949"},
        {"ANSI_950", "Big5"},
        {"ANSI_1250", "windows-1250"},
        {"ANSI_1251", "windows-1251"},
        {"ANSI_1252", "windows-1252"},
        {"ANSI_1253", "windows-1253"},
        {"ANSI_1254", "windows-1254"},
        {"ANSI_1255", "windows-1255"},
        {"ANSI_1256", "windows-1256"},
        {"ANSI_1257", "windows-1257"},
        {"ANSI_1258", "windows-1258"},
        {"DOS437", "IBM437"},
        {"DOS850", "IBM850"},
        {"DOS852", "IBM852"},
        {"DOS866", "IBM866"},
        {"ISO8859-1", "ISO-8859-1"},
        {"ISO8859-2", "ISO-8859-2"},
        {"ISO8859-5", "ISO-8859-5"},
        {"ISO8859-7", "ISO-8859-7"},
        {"UTF8", "UTF-8"},
    };
    for (const auto& n : names)
        if (strcasecmp(codePage.c_str(), n.dxf) == 0)
            return n.encoding;
    return "windows-1252"; // what the writers of these files assume
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// \U+XXXX escapes, which every release may write, as their characters.
std::string unescape(const std::string& s)
{
    if (s.find("\\U+") == std::string::npos && s.find("\\u+") == std::string::npos)
        return s;
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 6 < s.size() && (s[i + 1] == 'U' || s[i + 1] == 'u') && s[i + 2] == '+') {
            char32_t c = 0;
            bool ok = true;
            for (std::size_t k = 3; k < 7; ++k) {
                const char h = s[i + k];
                if (!std::isxdigit(static_cast<unsigned char>(h))) {
                    ok = false;
                    break;
                }
                c = c * 16
                    + static_cast<char32_t>(
                        std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (std::toupper(h) - 'A' + 10));
            }
            if (ok && !(c >= 0xD800 && c <= 0xDFFF)) {
                appendUtf8(out, c);
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

bool isUtf8(const std::string& s)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(QByteArray::fromRawData(s.data(), static_cast<qsizetype>(s.size())));
    return !utf8.hasError();
}

} // namespace

void DxfText::SetVersion(const std::string& version)
{
    // AC1021 (release 2007) and later store UTF-8.
    m_utf8 = version.size() == 6 && version.compare(0, 2, "AC") == 0 && version.compare(2, 4, "1021") >= 0;
}

void DxfText::SetCodePage(const std::string& codePage)
{
    m_encoding = encodingOf(codePage);
    if (!QStringDecoder(m_encoding).isValid())
        m_encoding = "ISO-8859-1";
}

std::string DxfText::Decode(const std::string& bytes) const
{
    bool ascii = true;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return unescape(bytes);
    // Files that claim an ANSI code page but were written as UTF-8 are common.
    if (m_utf8 || isUtf8(bytes))
        return unescape(bytes);
    QStringDecoder decoder(m_encoding);
    const QString text = decoder(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return unescape(text.toUtf8().toStdString());
}

std::string DxfText::PlainText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 2])));
            const char* sign = c == 'd' ? "\u00B0"
                : c == 'p'              ? "\u00B1"
                : c == 'c'              ? "\u2300"
                : c == '%'              ? "%"
                                        : nullptr;
            if (sign || c == 'u' || c == 'o' || c == 'k') {
                if (sign)
                    out += sign;
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string DxfText::PlainMText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}')
            continue;
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char code = text[++i];
        switch (code) {
        case 'P':
        case 'X': out += '\n'; break;
        case '~': out += ' '; break;
        case '\\':
        case '{':
        case '}': out += code; break;
        case 'S': { // stacked text up to ';': a^b, a/b, a#b shown as a/b
            const std::size_t end = text.find(';', i + 1);
            const std::string stack = text.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            for (const char s : stack)
                out += (s == '^' || s == '#') ? '/' : s;
            i = end == std::string::npos ? text.size() : end;
            break;
        }
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k': break; // on/off switches without arguments
        default: {
            // Codes with an argument up to ';': fonts, heights, colours …
            if (std::strchr("fFHhCcTtQqWwAap", code)) {
                const std::size_t end = text.find(';', i + 1);
                i = end == std::string::npos ? text.size() : end;
            } else {
                out += '\\';
                out += code;
            }
        }
        }
    }
    return out;
}
