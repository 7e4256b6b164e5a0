// SPDX-License-Identifier: MIT
#include "dbf/KivDbfCodePage.h"

#include "dbf/KivDbfData.h"

#include <QList>
#include <QStringDecoder>

#include <uchardet/uchardet.h>

#include <algorithm>

// The language-driver byte of the header, as the code page Qt knows it by.
const char* KivDbfCodePage::ofDriver(int driver)
{
    switch (driver) {
    case 0x01:
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B: return "IBM437";
    case 0x02:
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37: return "IBM850";
    case 0x03:
    case 0x57:
    case 0x58:
    case 0x59: return "windows-1252";
    case 0x04: return "macintosh";
    case 0x08:
    case 0x17:
    case 0x66: return "IBM865";
    case 0x13:
    case 0x7B: return "Shift_JIS";
    case 0x1C:
    case 0x6C: return "IBM863";
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
    case 0x64:
    case 0x87: return "IBM852";
    case 0x24: return "IBM860";
    case 0x26:
    case 0x65: return "IBM866";
    case 0x4D:
    case 0x7A: return "GBK";
    case 0x4E:
    case 0x79: return "CP949";
    case 0x4F:
    case 0x78: return "Big5";
    case 0x50:
    case 0x7C: return "windows-874";
    case 0x67: return "IBM861";
    case 0x6A:
    case 0x86: return "IBM737";
    case 0x6B:
    case 0x88: return "IBM857";
    case 0x7D: return "windows-1255";
    case 0x7E: return "windows-1256";
    case 0x96: return "x-mac-cyrillic";
    case 0x97: return "x-mac-ce";
    case 0x98: return "x-mac-greek";
    case 0xC8: return "windows-1250";
    case 0xC9: return "windows-1251";
    case 0xCA: return "windows-1254";
    case 0xCB: return "windows-1253";
    case 0xCC: return "windows-1257";
    default: return nullptr;
    }
}

// dBASE 7 names its language driver: "DBWINUS0" is Windows ANSI, "DB437US0"
// and "DB866RU0" name DOS code pages.
QByteArray KivDbfCodePage::ofDriverName(const char* name)
{
    const QByteArray n(name);
    if (n.startsWith("DBWIN"))
        return "windows-1252";
    if (n.size() >= 5 && n.startsWith("DB") && std::isdigit(static_cast<unsigned char>(n[2]))
        && std::isdigit(static_cast<unsigned char>(n[3])) && std::isdigit(static_cast<unsigned char>(n[4])))
        return "IBM" + n.mid(2, 3);
    return {};
}

// A .cpg file names the code page the way its writer liked: "UTF-8",
// "1251", "ANSI 1252", "88591", "CP949", "GBK".
QByteArray KivDbfCodePage::ofCpg(QByteArray text)
{
    text = text.trimmed().toUpper();
    if (text.startsWith("ANSI ") || text.startsWith("OEM "))
        text = text.mid(text.indexOf(' ') + 1).trimmed();
    bool number = false;
    const int n = text.toInt(&number);
    if (!number)
        return text;
    if (n == 65001)
        return "UTF-8";
    if (n >= 1250 && n <= 1258)
        return "windows-" + text;
    if (n >= 88591 && n <= 88599)
        return "ISO-8859-" + text.right(1);
    if (n == 936)
        return "GBK";
    if (n == 949)
        return "CP949";
    if (n == 950)
        return "Big5";
    if (n == 932)
        return "Shift_JIS";
    if (n == 874)
        return "windows-874";
    return "IBM" + text;
}

// Whether text reads in codePage without a byte it cannot map, and without
// the C1 controls (U+0080 to U+009F) no table's text holds: what a byte of a
// DOS code page becomes when taken for ISO-8859-1.
bool KivDbfCodePage::decodesCleanly(const QByteArray& codePage, const std::string& text)
{
    QStringDecoder decoder(codePage.constData());
    if (!decoder.isValid())
        return false;
    const QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return !decoder.hasError() && std::none_of(decoded.begin(), decoded.end(), [](QChar c) {
        return c == QChar::ReplacementCharacter || (c.unicode() >= 0x80 && c.unicode() <= 0x9F);
    });
}

// dBASE III and IV and FoxPro 2 tables come from DOS more often than not.
bool KivDbfCodePage::fromDos(const KivDbfHeader& header)
{
    switch (header.version()) {
    case 0x02:
    case 0x03:
    case 0x83:
    case 0x8B:
    case 0xF5:
    case 0xFB: return header.layout() != KivDbfLayout::DBase7;
    default: return false;
    }
}

QByteArray KivDbfCodePage::guess(const std::string& sample, bool dos)
{
    if (sample.empty())
        return {};
    if (QtPrivate::isValidUtf8(QByteArrayView(sample.data(), static_cast<qsizetype>(sample.size()))))
        return "UTF-8";
    QByteArray guess;
    if (uchardet_t detector = uchardet_new()) {
        if (uchardet_handle_data(detector, sample.data(), sample.size()) == 0) {
            uchardet_data_end(detector);
            guess = QByteArray(uchardet_get_charset(detector)).toUpper();
        }
        uchardet_delete(detector);
    }
    // Tables written on Korean Windows are code page 949, of which EUC-KR
    // (and what uchardet calls UHC) is the part it can see.
    if (guess == "EUC-KR" || guess == "UHC")
        guess = "CP949";
    if (guess == "GB2312")
        guess = "GB18030";
    // A few words of Latin letters fit many Latin code pages, and uchardet
    // picks among them by chance; a DOS-era table was most likely written
    // in DOS's Western code page. Its guesses of other scripts (Cyrillic,
    // Greek, Korean ...) are taken first.
    const bool latin = guess.isEmpty() || guess.startsWith("ISO-8859-") || guess == "WINDOWS-1250"
        || guess == "WINDOWS-1252" || guess == "WINDOWS-1257" || guess.startsWith("MAC-");
    QList<QByteArray> candidates;
    if (latin && dos)
        candidates << "IBM850" << guess << "windows-1252";
    else
        candidates << guess << "windows-1252"
                   << "IBM850";
    for (const QByteArray& candidate : candidates)
        if (!candidate.isEmpty() && decodesCleanly(candidate, sample))
            return candidate;
    return "ISO-8859-1";
}
