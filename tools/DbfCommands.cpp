#include "Cli.h"
#include "Terminal.h"

#include "dbf/KivDbfData.h"
#include "dbf/KivDbfMemo.h"
#include "platform/base/ByteOrder.h"
#include "platform/io/PathNoCase.h"

#include <QDate>
#include <QStringDecoder>

#include <uchardet/uchardet.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace cli {

namespace {

// The language-driver byte of the header, as the code page Qt knows it by.
const char* codePageOfDriver(int driver)
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
QByteArray codePageOfDriverName(const char* name)
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
QByteArray codePageOfCpg(QByteArray text)
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

std::string stemOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
}

// A small file beside the table: its bytes, or empty when there is none.
QByteArray readSmallFile(const std::string& path)
{
    ByteSource source;
    std::vector<std::uint8_t> bytes;
    if (!source.openFile(ResolvePathNoCase(path.c_str())) || !source.readRange(0, source.size(), bytes, 4096))
        return {};
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

struct Table {
    KivDbfData data;
    std::string path;
    QByteArray codePage; // empty: the stored bytes pass as they are
    QString codePageFrom;
    KivDbfMemo memo;
    std::string memoPath;
    bool memoFields = false;
};

bool isMemoField(const KivDbfHeader& header, char type)
{
    switch (type) {
    case 'M':
    case 'G':
    case 'P':
    case 'W': return true;
    case 'B': // a binary memo in dBASE, a double in Visual FoxPro
        return !(header.isFoxPro() && header.version() != 0xF5 && header.version() != 0xFB);
    default: return false;
    }
}

void findMemo(Table& t)
{
    const KivDbfHeader& header = t.data.getHeader();
    for (int f = 0; const KivDbfField* field = t.data.getFieldList().getAt(f); ++f)
        t.memoFields = t.memoFields || isMemoField(header, field->getType());
    if (!t.memoFields)
        return;
    const std::string stem = stemOf(t.path);
    const char* order[2] = {".dbt", ".fpt"};
    if (header.isFoxPro())
        std::swap(order[0], order[1]);
    for (const char* ext : order)
        if (t.memo.open((stem + ext).c_str(), header.version())) {
            t.memoPath = ResolvePathNoCase((stem + ext).c_str());
            return;
        }
}

// The text of the character fields, up to a sample's worth of values that
// are not plain ASCII (the only ones that tell code pages apart).
std::string textSample(Table& t)
{
    // Enough text to tell, looked for in at most so many records of a
    // table that is mostly ASCII.
    constexpr std::size_t kSampleBytes = 1 << 20;
    constexpr long kMaxRecords = 200000;
    std::string sample;
    const KivDbfRecord* records = t.data.createRecord();
    const KivDbfFieldList& fields = t.data.getFieldList();
    const long scanned = records ? std::min(records->getCount(), kMaxRecords) : 0;
    constexpr long kReleaseEvery = 8192;
    for (long r = 0; r < scanned && sample.size() < kSampleBytes; ++r) {
        if (r % kReleaseEvery == 0 && r > 0)
            t.data.releaseRecords(r - kReleaseEvery, kReleaseEvery); // as the dump does

        for (int f = 0; const KivDbfField* field = fields.getAt(f); ++f) {
            int length = 0;
            const char* bytes = field->getType() == 'C' ? records->getField(r, f, &length) : nullptr;
            const std::string_view value(bytes ? bytes : "", static_cast<std::size_t>(length));
            if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
                sample.append(value);
                sample += ' ';
            }
        }
    }
    t.data.releaseRecords(0, scanned); // read again by the dump, a run at a time
    return sample;
}

// Whether text reads in codePage without a byte it cannot map, and without
// the C1 controls (U+0080 to U+009F) no table's text holds: what a byte of a
// DOS code page becomes when taken for ISO-8859-1.
bool decodesCleanly(const QByteArray& codePage, const std::string& text)
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
bool fromDos(const KivDbfHeader& header)
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

// The code page of a table that names none, guessed from its text: UTF-8
// when the text is that, else what uchardet finds if the text decodes
// cleanly in it, else ISO-8859-1, which reads every byte. Empty when the
// text is all ASCII and no code page matters.
QByteArray detectCodePage(Table& t)
{
    const std::string sample = textSample(t);
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
    if (latin && fromDos(t.data.getHeader()))
        candidates << "IBM850" << guess << "windows-1252";
    else
        candidates << guess << "windows-1252"
                   << "IBM850";
    for (const QByteArray& candidate : candidates)
        if (!candidate.isEmpty() && decodesCleanly(candidate, sample))
            return candidate;
    return "ISO-8859-1";
}

// The code page: --encoding, else a .cpg file beside the table, else the
// language-driver byte, else a guess from the text (said on standard
// error). None for --raw.
bool chooseCodePage(Table& t, const QString& encoding, bool raw)
{
    if (raw)
        return true;
    if (!encoding.isEmpty()) {
        t.codePage = encoding.toUtf8();
        t.codePageFrom = "from --encoding";
    } else if (const QByteArray cpg = readSmallFile(stemOf(t.path) + ".cpg"); !cpg.trimmed().isEmpty()) {
        t.codePage = codePageOfCpg(cpg);
        t.codePageFrom = "from the .cpg file";
    } else if (const char* name = codePageOfDriver(t.data.getHeader().languageDriver())) {
        t.codePage = name;
        t.codePageFrom = "from the language driver";
    } else if (const QByteArray driver = codePageOfDriverName(t.data.getHeader().languageDriverName());
               !driver.isEmpty()) {
        t.codePage = driver;
        t.codePageFrom = "from the language driver";
    }
    if (!t.codePage.isEmpty() && !QStringDecoder(t.codePage.constData()).isValid()) {
        if (!encoding.isEmpty()) {
            printError(QString("unknown encoding '%1'").arg(encoding));
            return false;
        }
        t.codePage.clear(); // a .cpg naming something unknown: guessed below
    }
    if (t.codePage.isEmpty()) {
        t.codePage = detectCodePage(t);
        if (!t.codePage.isEmpty()) {
            t.codePageFrom = t.codePage == "ISO-8859-1" ? "no guess fits the text: each byte as itself"
                                                        : "from the text, by detection";
            const int driver = t.data.getHeader().languageDriver();
            const QString names = driver ? QString("names a code page this tool does not know (language driver "
                                                   "0x%1)")
                                               .arg(driver, 2, 16, QChar('0'))
                                         : QString("names no code page");
            printError(QString("%1 %4: its text is read as %2 (%3); name the right one with "
                               "--encoding NAME, or keep the stored bytes with --raw")
                           .arg(QString::fromStdString(escapeControls(t.path)), QString::fromLatin1(t.codePage),
                               t.codePageFrom, names));
        }
    }
    return true;
}

const char* formatName(const KivDbfHeader& h)
{
    switch (h.layout()) {
    case KivDbfLayout::DBase2: return "dBASE II";
    case KivDbfLayout::DBase7: return h.version() == 0x8C ? "dBASE 7 with memo" : "dBASE 7";
    default: break;
    }
    switch (h.version()) {
    case 0x02: return "FoxBASE";
    case 0x03: return "dBASE III or later, no memo";
    case 0x30:
    case 0x31:
    case 0x32: return "Visual FoxPro";
    case 0x43:
    case 0x63: return "dBASE IV SQL";
    case 0x83: return "dBASE III with memo";
    case 0x8B: return "dBASE IV with memo";
    case 0xCB: return "dBASE IV SQL with memo";
    case 0xF5: return "FoxPro 2 with memo";
    case 0xFB: return "FoxBASE";
    default: return "unknown dBASE variant";
    }
}

// Turns stored values into text: numbers, dates and memos decoded, text
// converted to UTF-8 from the table's code page.
class ValueFormatter {
public:
    ValueFormatter(Table& table, bool raw, bool keepBlanks = true)
        : m_table(table), m_raw(raw), m_keepBlanks(keepBlanks)
    {
        if (!table.codePage.isEmpty())
            m_decoder = std::make_unique<QStringDecoder>(table.codePage.constData());
        const KivDbfHeader& h = table.data.getHeader();
        m_dbase7 = h.layout() == KivDbfLayout::DBase7;
        m_visualFoxPro = h.isFoxPro() && h.version() != 0xF5 && h.version() != 0xFB;
        if (m_visualFoxPro)
            placeFlagBits();
    }

    // Text that was no UTF-8 and, no code page known, read as ISO-8859-1.
    bool readAsLatin1() const { return m_latin1; }
    // Memo values that name a block the memo file does not hold.
    long missingMemos() const { return m_missingMemos; }

    // Before the fields of a record: where its _NullFlags are.
    void startRecord(const KivDbfRecord& records, long record)
    {
        m_flags = nullptr;
        if (m_flagsField >= 0)
            m_flags = reinterpret_cast<const std::uint8_t*>(records.getField(record, m_flagsField, &m_flagsLength));
    }

    // Field index's value as text into out (replacing it).
    void format(int index, const KivDbfField& field, const char* bytes, int length, std::string& out)
    {
        out.clear();
        const std::size_t at = static_cast<std::size_t>(index);
        if (at < m_nullBit.size() && flagSet(m_nullBit[at]))
            return; // null
        // Visual FoxPro varchar and varbinary: with their length bit set, the
        // last byte holds the length of the value.
        if (at < m_lengthBit.size() && flagSet(m_lengthBit[at]) && length > 0) {
            const int used = static_cast<std::uint8_t>(bytes[length - 1]);
            length = std::min(used, length - 1);
        }
        const auto* b = reinterpret_cast<const std::uint8_t*>(bytes);
        const std::size_t n = static_cast<std::size_t>(length);
        switch (field.getType()) {
        case 'I':
        case '+':
            if (n == 4) {
                std::int32_t v = 0;
                if (m_dbase7) // big-endian with the sign bit flipped, so that bytes sort as numbers
                    v = static_cast<std::int32_t>(ReadBe32(b) ^ 0x80000000u);
                else
                    v = static_cast<std::int32_t>(ReadLe32(b));
                out = std::to_string(v);
                return;
            }
            break;
        case 'Y':
            if (n == 8) {
                currency(static_cast<std::int64_t>(ReadLe64(b)), out);
                return;
            }
            break;
        case 'O':
            if (n == 8) {
                if (m_dbase7) {
                    if (allZero(b, n))
                        return; // no value
                    std::uint64_t bits = ReadBe32(b);
                    bits = (bits << 32) | ReadBe32(b + 4);
                    bits = (bits & (1ull << 63)) ? bits ^ (1ull << 63) : ~bits;
                    number(std::bit_cast<double>(bits), out);
                } else {
                    number(std::bit_cast<double>(ReadLe64(b)), out);
                }
                return;
            }
            break;
        case 'B':
            if (m_visualFoxPro && n == 8) {
                number(std::bit_cast<double>(ReadLe64(b)), out);
                return;
            }
            break;
        case 'T':
            if (n == 8) {
                if (!blank(b, n))
                    dateTime(ReadLe32(b), ReadLe32(b + 4), b, n, out);
                return;
            }
            break;
        case '@':
            if (n == 8) {
                if (!allZero(b, n)) {
                    std::uint64_t bits = ReadBe32(b);
                    bits = (bits << 32) | ReadBe32(b + 4);
                    const double ms = std::bit_cast<double>(bits);
                    // Milliseconds since the day before 1 January of year 1.
                    if (std::isfinite(ms) && ms >= 0 && ms < 4e17) {
                        const auto total = static_cast<std::int64_t>(std::floor(ms));
                        dateTime(total / 86400000 + 1721425, static_cast<std::uint32_t>(total % 86400000), b, n, out);
                    } else {
                        hex(b, n, out);
                    }
                }
                return;
            }
            break;
        case '0': // _NullFlags: one bit a nullable field
            for (std::size_t i = 0; i < n; ++i)
                for (int bit = 7; bit >= 0; --bit)
                    out += (b[i] >> bit) & 1 ? '1' : '0';
            return;
        case 'Q': // Visual FoxPro varbinary
            hex(b, n, out);
            return;
        default: break;
        }
        if (isMemoField(m_table.data.getHeader(), field.getType())) {
            std::uint64_t block = 0;
            if (m_table.memo.isOpen()) {
                memo(field, bytes, length, out);
                return;
            }
            if (n == 4 && KivDbfMemo::blockOf(bytes, length, block)) {
                out = std::to_string(block); // Visual FoxPro's binary block number
                return;
            }
        }
        // Some writers pad text with NULs instead of blanks; the blanks that
        // pad a character field go too, unless asked to keep them.
        std::string_view stored(bytes, n);
        const bool padded = !m_keepBlanks && field.getType() == 'C';
        while (!stored.empty() && (stored.back() == '\0' || (padded && stored.back() == ' ')))
            stored.remove_suffix(1);
        text(stored, out);
    }

    // Stored text in UTF-8: converted from the code page, or as stored when
    // it is UTF-8 or none is known; bytes that are no UTF-8 then (text in a
    // memo, where the code page was not looked for) are read as ISO-8859-1,
    // so the output stays UTF-8.
    void text(std::string_view stored, std::string& out)
    {
        if (m_raw || isAscii(stored)) {
            out.append(stored);
            return;
        }
        if (!m_decoder) {
            if (QtPrivate::isValidUtf8(QByteArrayView(stored.data(), static_cast<qsizetype>(stored.size())))) {
                out.append(stored);
                return;
            }
            m_latin1 = true;
            out += QString::fromLatin1(stored.data(), static_cast<qsizetype>(stored.size())).toUtf8().toStdString();
            return;
        }
        const QString s = (*m_decoder)(QByteArrayView(stored.data(), static_cast<qsizetype>(stored.size())));
        m_decoder->resetState();
        out += s.toUtf8().toStdString();
    }

private:
    // The bits of the _NullFlags field, in field order: one for each
    // varchar or varbinary field (its length is in its last byte), then one
    // for each field that may be null.
    void placeFlagBits()
    {
        const KivDbfFieldList& fields = m_table.data.getFieldList();
        int bit = 0;
        for (int i = 0; const KivDbfField* f = fields.getAt(i); ++i) {
            if (f->getType() == '0' && std::strncmp(f->getFullName(), "_NullFlags", 10) == 0)
                m_flagsField = i;
            const bool variable = f->getType() == 'V' || f->getType() == 'Q';
            const bool nullable = (f->bytes[18] & 0x02) != 0 && f->getType() != '0';
            m_lengthBit.push_back(variable ? bit++ : -1);
            m_nullBit.push_back(nullable ? bit++ : -1);
        }
        if (m_flagsField < 0) {
            m_lengthBit.clear();
            m_nullBit.clear();
        }
    }
    bool flagSet(int bit) const
    {
        return bit >= 0 && m_flags && bit / 8 < m_flagsLength && ((m_flags[bit / 8] >> (bit % 8)) & 1);
    }
    static bool isAscii(std::string_view s)
    {
        for (unsigned char c : s)
            if (c >= 0x80)
                return false;
        return true;
    }
    static bool allZero(const std::uint8_t* b, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            if (b[i])
                return false;
        return true;
    }
    static bool blank(const std::uint8_t* b, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            if (b[i] && b[i] != ' ')
                return false;
        return true;
    }
    static void hex(const std::uint8_t* b, std::size_t n, std::string& out)
    {
        static const char digits[] = "0123456789ABCDEF";
        for (std::size_t i = 0; i < n; ++i) {
            out += digits[b[i] >> 4];
            out += digits[b[i] & 15];
        }
    }
    static void number(double v, std::string& out)
    {
        char buffer[32];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
        out.append(buffer, r.ptr);
    }
    static void currency(std::int64_t v, std::string& out)
    {
        // Four decimals, as the type stores them.
        const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", v < 0 ? "-" : "",
            static_cast<unsigned long long>(magnitude / 10000), static_cast<unsigned long long>(magnitude % 10000));
        out += buffer;
    }
    // A Julian day number and milliseconds since midnight; the stored bytes
    // in hexadecimal when they are no time.
    static void dateTime(
        std::int64_t julianDay, std::uint32_t ms, const std::uint8_t* b, std::size_t n, std::string& out)
    {
        if (julianDay == 0)
            return; // FoxPro's empty date time
        const QDate date = QDate::fromJulianDay(julianDay);
        if (!date.isValid() || ms >= 86400000u || date.year() < 1 || date.year() > 9999) {
            hex(b, n, out);
            return;
        }
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02u:%02u:%02u", date.year(), date.month(), date.day(),
            ms / 3600000, ms / 60000 % 60, ms / 1000 % 60);
        out += buffer;
        if (ms % 1000) {
            std::snprintf(buffer, sizeof buffer, ".%03u", ms % 1000);
            out += buffer;
        }
    }

    void memo(const KivDbfField& field, const char* bytes, int length, std::string& out)
    {
        std::uint64_t block = 0;
        if (!KivDbfMemo::blockOf(bytes, length, block)) {
            text(std::string_view(bytes, static_cast<std::size_t>(length)), out);
            return;
        }
        bool binary = false;
        if (!m_table.memo.read(block, m_memo, &binary)) {
            m_missingMemos += block != 0; // block 0 is no memo
            return;
        }
        const char type = field.getType();
        if (binary || type == 'G' || type == 'P' || type == 'B' || type == 'W') {
            out += "[binary, " + std::to_string(m_memo.size()) + " bytes]";
            return;
        }
        text(m_memo, out);
    }

    Table& m_table;
    bool m_raw;
    bool m_keepBlanks;
    bool m_latin1 = false;
    long m_missingMemos = 0;
    int m_flagsField = -1;
    const std::uint8_t* m_flags = nullptr;
    int m_flagsLength = 0;
    std::vector<int> m_lengthBit, m_nullBit;
    bool m_dbase7 = false;
    bool m_visualFoxPro = false;
    std::unique_ptr<QStringDecoder> m_decoder;
    std::string m_memo;
};

class LineWriter {
public:
    LineWriter(bool csv, bool raw) : m_csv(csv), m_raw(raw) { }
    void field(std::string_view value, bool first)
    {
        if (!first)
            m_line += m_csv ? ',' : '\t';
        if (m_csv)
            appendCsv(m_line, value);
        else if (!AppendEscaped(m_line, value, m_raw))
            m_unknownBytes = true;
    }
    void raw(const char* s) { m_line += s; }
    bool end()
    {
        m_line += '\n';
        const bool ok = std::fwrite(m_line.data(), 1, m_line.size(), stdout) == m_line.size();
        m_line.clear();
        return ok;
    }
    bool unknownBytes() const { return m_unknownBytes; }

private:
    std::string m_line;
    bool m_csv;
    bool m_raw;
    bool m_unknownBytes = false;
};

// The tool reports a failed write to standard output once, as it ends.
int finishOutput()
{
    return std::fflush(stdout) != 0 || std::ferror(stdout) ? Failed : Ok;
}

int dbfInfo(Table& t)
{
    const KivDbfHeader& h = t.data.getHeader();
    std::string line;
    AppendEscaped(line, t.path, false);
    std::printf("table:          %s\n", line.c_str());
    std::printf("version:        0x%02X (%s)\n", h.version(), formatName(h));
    std::printf("records:        %u in the header, %ld read\n", h.recordCount(), t.data.countRecords());
    std::printf("header length:  %u\n", h.headerLength());
    std::printf("record length:  %u\n", h.recordLength());
    if (h.languageDriver() || *h.languageDriverName()) {
        std::printf("language:       0x%02X", h.languageDriver());
        if (*h.languageDriverName()) {
            line.clear();
            AppendEscaped(line, h.languageDriverName(), false);
            std::printf(" %s", line.c_str());
        }
        std::printf("\n");
    }
    std::printf("code page:      %s\n",
        t.codePage.isEmpty()
            ? "none known, bytes as stored"
            : utf8(QString("%1 (%2)").arg(QString::fromLatin1(t.codePage), t.codePageFrom)).constData());
    if (t.memoFields) {
        line.clear();
        AppendEscaped(line, t.memoPath.empty() ? std::string("none found") : t.memoPath, false);
        std::printf("memo file:      %s\n", line.c_str());
    }
    std::printf("fields:         %d\n", t.data.getFieldCount());
    ValueFormatter names(t, false);
    std::string name;
    for (int i = 0; const KivDbfField* f = t.data.getFieldList().getAt(i); ++i) {
        name.clear();
        line.clear();
        names.text(f->getFullName(), name);
        AppendEscaped(line, name, false);
        const char type = f->getType();
        std::printf("  %-11s %c %4d  at %u", line.c_str(), type >= 0x20 && type < 0x7F ? type : '?', f->getLength(),
            f->getDisplacement());
        if (f->getDecimals())
            std::printf("  (%d decimals)", f->getDecimals());
        std::printf("\n");
    }
    return finishOutput();
}

int dbfDump(Table& t, bool csv, bool deleted, bool raw, bool keepBlanks)
{
    KivDbfRecord* records = t.data.createRecord();
    if (!records) {
        printError("cannot read the records");
        return Failed;
    }
    if (t.memoFields && !t.memo.isOpen())
        printError("no memo file beside the table: memo fields show their block numbers");
    const KivDbfFieldList& fields = t.data.getFieldList();
    const int count = fields.getCount();
    ValueFormatter formatter(t, raw, keepBlanks);
    LineWriter line(csv, raw);
    std::string value;
    if (deleted)
        line.raw("DELETED");
    for (int f = 0; f < count; ++f) {
        value.clear();
        formatter.text(fields.getAt(f)->getFullName(), value);
        line.field(value, f == 0 && !deleted);
    }
    if (!line.end())
        return finishOutput();
    const long total = records->getCount();
    ProgressBar progress("records", static_cast<std::uint64_t>(total), true);
    // Records done with leave resident memory a run at a time.
    constexpr long kReleaseEvery = 8192;
    for (long r = 0; r < total; ++r) {
        progress.update(static_cast<std::uint64_t>(r));
        if (r % kReleaseEvery == 0 && r > 0)
            t.data.releaseRecords(r - kReleaseEvery, kReleaseEvery);
        const bool isDeleted = records->isDeleted(r);
        if (isDeleted && !deleted)
            continue;
        if (deleted)
            line.raw(isDeleted ? "*" : "");
        formatter.startRecord(*records, r);
        for (int f = 0; f < count; ++f) {
            int length = 0;
            const char* bytes = records->getField(r, f, &length);
            if (bytes)
                formatter.format(f, *fields.getAt(f), bytes, length, value);
            else
                value.clear();
            line.field(value, f == 0 && !deleted);
        }
        if (!line.end())
            break;
    }
    progress.finish();
    if (formatter.readAsLatin1())
        printError("some text is no UTF-8 and the table names no code page for it: it is read as ISO-8859-1 "
                   "(name the code page with --encoding, or keep the bytes with --raw)");
    if (formatter.missingMemos())
        printError(QString("%1 memo values name blocks %2 does not hold: they are empty")
                       .arg(formatter.missingMemos())
                       .arg(QString::fromStdString(escapeControls(t.memoPath))));
    if (line.unknownBytes() && !raw)
        printError("the table names no code page: bytes that are not UTF-8 are shown as \\xNN "
                   "(name one with --encoding, or keep the bytes with --raw)");
    return finishOutput();
}

int runDbfCommand(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reads dBASE tables (dBASE II to 7, FoxPro).\n\n"
        "  info FILE    format, record counts and lengths, code page, memo file, the fields\n"
        "  dump FILE    every record, a line each: text without the blanks that pad it, binary\n"
        "               numbers, currency and time stamps as text, memos from the .dbt/.fpt\n"
        "               beside the table. Text is converted to UTF-8 from the table's code page\n"
        "               (a .cpg file beside it, or its language driver; when it names none, the\n"
        "               code page is guessed from the text and the guess said on standard error);\n"
        "               control characters show as \\x1b except in CSV.");
    parser.addPositionalArgument("ACTION", "info or dump");
    parser.addPositionalArgument("FILE", "the table");
    const QCommandLineOption csv("csv", "Write CSV (RFC 4180) instead of tab-separated values.");
    const QCommandLineOption deleted("deleted", "Include deleted records, marked * in a first column.");
    const QCommandLineOption encoding(
        "encoding", "Read the table's text in code page NAME (CP949, windows-1251, IBM866, GBK ...).", "NAME");
    const QCommandLineOption raw("raw", "Keep the stored bytes of text: no code page conversion.");
    const QCommandLineOption keepBlanks("keep-blanks", "Keep the blanks that pad character fields.");
    parser.addOption(csv);
    parser.addOption(keepBlanks);
    parser.addOption(deleted);
    parser.addOption(encoding);
    parser.addOption(raw);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1),
            "dbf ACTION FILE [--csv] [--deleted] [--keep-blanks] [--encoding NAME | --raw]", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (option || pos.size() != 1 || (sub != "info" && sub != "dump")) {
        printError("dbf takes info or dump and one table (see vandrel dbf --help)");
        return Failed;
    }
    if (parser.isSet(raw) && parser.isSet(encoding)) {
        printError("--raw keeps the stored bytes: it takes no --encoding");
        return Failed;
    }
    Table t;
    t.path = utf8(pos.first()).toStdString();
    ByteSource source;
    if (!source.openFile(ResolvePathNoCase(t.path.c_str()))) {
        printError(QString("cannot open %1: %2").arg(pos.first(), QString::fromStdString(source.errorText())));
        return Failed;
    }
    t.data.open(std::move(source));
    if (t.data.getFieldCount() < 0) {
        printError(QString("%1 is too short to be a dBASE table").arg(pos.first()));
        return Failed;
    }
    if (!chooseCodePage(t, parser.value(encoding), parser.isSet(raw)))
        return Failed;
    findMemo(t);
    return sub == "info"
        ? dbfInfo(t)
        : dbfDump(t, parser.isSet(csv), parser.isSet(deleted), parser.isSet(raw), parser.isSet(keepBlanks));
}

} // namespace

int runDbf(const QStringList& args)
{
    // Nothing a table holds may end the tool other than with a message.
    try {
        return runDbfCommand(args);
    } catch (const std::exception& e) {
        printError(QString("dbf: %1").arg(e.what()));
    } catch (...) {
        printError("dbf: unexpected failure");
    }
    return Failed;
}

} // namespace cli
