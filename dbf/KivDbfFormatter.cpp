// SPDX-License-Identifier: MIT
#include "dbf/KivDbfFormatter.h"

#include "platform/base/ByteOrder.h"

#include <QDate>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

KivDbfFormatter::KivDbfFormatter(KivDbfTable& table, bool raw, bool keepBlanks)
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

void KivDbfFormatter::startRecord(const KivDbfRecord& records, long record)
{
    m_flags = nullptr;
    if (m_flagsField >= 0)
        m_flags = reinterpret_cast<const std::uint8_t*>(records.getField(record, m_flagsField, &m_flagsLength));
}

void KivDbfFormatter::format(int index, const KivDbfField& field, const char* bytes, int length, std::string& out)
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
    if (KivDbfTable::isMemoField(m_table.data.getHeader(), field.getType())) {
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

void KivDbfFormatter::text(std::string_view stored, std::string& out)
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

void KivDbfFormatter::placeFlagBits()
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

bool KivDbfFormatter::flagSet(int bit) const
{
    return bit >= 0 && m_flags && bit / 8 < m_flagsLength && ((m_flags[bit / 8] >> (bit % 8)) & 1);
}

bool KivDbfFormatter::isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

bool KivDbfFormatter::allZero(const std::uint8_t* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (b[i])
            return false;
    return true;
}

bool KivDbfFormatter::blank(const std::uint8_t* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (b[i] && b[i] != ' ')
            return false;
    return true;
}

void KivDbfFormatter::hex(const std::uint8_t* b, std::size_t n, std::string& out)
{
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[b[i] >> 4];
        out += digits[b[i] & 15];
    }
}

void KivDbfFormatter::number(double v, std::string& out)
{
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, r.ptr);
}

void KivDbfFormatter::currency(std::int64_t v, std::string& out)
{
    // Four decimals, as the type stores them.
    const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", v < 0 ? "-" : "",
        static_cast<unsigned long long>(magnitude / 10000), static_cast<unsigned long long>(magnitude % 10000));
    out += buffer;
}

void KivDbfFormatter::dateTime(
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

void KivDbfFormatter::memo(const KivDbfField& field, const char* bytes, int length, std::string& out)
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
