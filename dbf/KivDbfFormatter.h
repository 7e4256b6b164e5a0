// SPDX-License-Identifier: MIT
// Turns a dBASE table's stored values into text: binary numbers, currency,
// dates and time stamps decoded, Visual FoxPro's null and length flags
// applied, memos read from the memo file, and text converted to UTF-8 from
// the table's code page.
#pragma once

#include "dbf/KivDbfTable.h"
#include "dbf/KivDbf_export.h"

#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class KIVDBF_EXPORT KivDbfFormatter {
public:
    KivDbfFormatter(KivDbfTable& table, bool raw, bool keepBlanks = true);

    // Text that was no UTF-8 and, no code page known, read as ISO-8859-1.
    bool readAsLatin1() const { return m_latin1; }
    // Memo values that name a block the memo file does not hold.
    long missingMemos() const { return m_missingMemos; }

    // Before the fields of a record: where its _NullFlags are.
    void startRecord(const KivDbfRecord& records, long record);

    // Field index's value as text into out (replacing it).
    void format(int index, const KivDbfField& field, const char* bytes, int length, std::string& out);

    // Stored text in UTF-8: converted from the code page, or as stored when
    // it is UTF-8 or none is known; bytes that are no UTF-8 then (text in a
    // memo, where the code page was not looked for) are read as ISO-8859-1,
    // so the output stays UTF-8.
    void text(std::string_view stored, std::string& out);

private:
    // The bits of the _NullFlags field, in field order: one for each
    // varchar or varbinary field (its length is in its last byte), then one
    // for each field that may be null.
    void placeFlagBits();
    bool flagSet(int bit) const;
    static bool isAscii(std::string_view s);
    static bool allZero(const std::uint8_t* b, std::size_t n);
    static bool blank(const std::uint8_t* b, std::size_t n);
    static void hex(const std::uint8_t* b, std::size_t n, std::string& out);
    static void number(double v, std::string& out);
    static void currency(std::int64_t v, std::string& out);
    // A Julian day number and milliseconds since midnight; the stored bytes
    // in hexadecimal when they are no time.
    static void dateTime(
        std::int64_t julianDay, std::uint32_t ms, const std::uint8_t* b, std::size_t n, std::string& out);

    void memo(const KivDbfField& field, const char* bytes, int length, std::string& out);

    KivDbfTable& m_table;
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
