// SPDX-License-Identifier: MIT
#include "dbf/KivDbfTable.h"
#include "dbf/KivDbfCodePage.h"
#include "dbf/KivDbfFormatter.h"
#include "support/DbfWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

// A table written to a scratch folder and opened, its code page chosen.
struct Opened {
    TempDir dir;
    KivDbfTable table;
    explicit Opened(const DbfTable& t, const std::string& cpg = {}, const QByteArray& requested = {})
    {
        table.path = dir.file("t.dbf");
        writeFile(table.path, t.bytes());
        if (!cpg.empty())
            writeText(dir.file("t.cpg"), cpg);
        EXPECT_EQ(table.data.open(table.path.c_str()), 1);
        chosen = table.chooseCodePage(requested);
    }
    // Every value of record r as the formatter gives it.
    std::vector<std::string> row(long r, bool keepBlanks = false)
    {
        KivDbfFormatter formatter(table, false, keepBlanks);
        KivDbfRecord* records = table.data.createRecord();
        formatter.startRecord(*records, r);
        std::vector<std::string> out;
        for (int f = 0; f < table.data.getFieldCount(); ++f) {
            int length = 0;
            const char* bytes = records->getField(r, f, &length);
            out.emplace_back();
            formatter.format(f, *table.data.getFieldList().getAt(f), bytes, length, out.back());
        }
        return out;
    }
    bool chosen = false;
};

DbfTable korean(int driver)
{
    DbfTable t;
    t.languageDriver = driver;
    t.fields = {{"NAME", 'C', 12}};
    // "서울" and "부산" in code page 949.
    t.records = {{"\xBC\xAD\xBF\xEF"}, {"\xBA\xCE\xBB\xEA"}};
    return t;
}

} // namespace

TEST(KivDbfCodePage, NamesFromDriversAndCpgFiles)
{
    EXPECT_STREQ(KivDbfCodePage::ofDriver(0x57), "windows-1252");
    EXPECT_EQ(KivDbfCodePage::ofDriver(0xEE), nullptr);
    EXPECT_EQ(KivDbfCodePage::ofDriverName("DB866RU0"), "IBM866");
    EXPECT_EQ(KivDbfCodePage::ofCpg("ANSI 1251\r\n"), "windows-1251");
    EXPECT_EQ(KivDbfCodePage::ofCpg("88591"), "ISO-8859-1");
    EXPECT_EQ(KivDbfCodePage::ofCpg("UTF-8"), "UTF-8");
    // A DOS byte read as ISO-8859-1 is a C1 control: that reading is refused.
    EXPECT_FALSE(KivDbfCodePage::decodesCleanly("ISO-8859-1", "\x82"));
    EXPECT_TRUE(KivDbfCodePage::decodesCleanly("IBM850", "\x82"));
    EXPECT_EQ(KivDbfCodePage::guess("", false), "");
    EXPECT_EQ(KivDbfCodePage::guess("\xC3\xA9t\xC3\xA9", false), "UTF-8");
}

// What the user names wins, then a .cpg file, then the driver byte, and a
// guess only when none names a code page; an unknown name is refused.
TEST(KivDbfTable, TheCodePageComesFromTheFirstPlaceThatNamesOne)
{
    {
        Opened o(korean(0), "", "CP949");
        EXPECT_TRUE(o.chosen);
        EXPECT_EQ(o.table.codePage, "CP949");
        EXPECT_EQ(o.row(0), std::vector<std::string>({"서울"}));
    }
    {
        Opened o(korean(0x57), "CP949");
        EXPECT_EQ(o.table.codePage, "CP949");
        EXPECT_EQ(o.table.codePageFrom, "from the .cpg file");
        EXPECT_FALSE(o.table.guessed);
    }
    {
        Opened o(korean(0x57));
        EXPECT_EQ(o.table.codePage, "windows-1252");
        EXPECT_EQ(o.table.codePageFrom, "from the language driver");
    }
    {
        Opened o(korean(0), "NO-SUCH-PAGE");
        EXPECT_TRUE(o.chosen);
        EXPECT_TRUE(o.table.guessed);
        EXPECT_FALSE(o.table.codePage.isEmpty());
    }
    {
        Opened o(korean(0), "", "NO-SUCH-PAGE");
        EXPECT_FALSE(o.chosen);
    }
}

TEST(KivDbfFormatter, BinaryNumbersCurrencyAndTimesBecomeText)
{
    DbfTable t;
    t.version = 0x30; // Visual FoxPro: little-endian binary values
    t.fields = {{"ID", 'I', 4}, {"PRICE", 'Y', 8}, {"WHEN", 'T', 8}, {"RATIO", 'B', 8}, {"NAME", 'C', 6}};
    const std::string id("\xFE\xFF\xFF\xFF", 4); // -2
    const std::string price("\x88\x13\x00\x00\x00\x00\x00\x00", 8); // 5000 = 0.5000
    // Julian day 2451545 (2000-01-01) and 45296789 ms (12:34:56.789).
    const std::string when("\x59\x68\x25\x00\x95\x2C\xB3\x02", 8);
    const std::string ratio("\x00\x00\x00\x00\x00\x00\xF8\x3F", 8); // 1.5
    t.records = {{id, price, when, ratio, "ab"}};
    Opened o(t);
    EXPECT_EQ(o.row(0), std::vector<std::string>({"-2", "0.5000", "2000-01-01 12:34:56.789", "1.5", "ab"}));
    EXPECT_EQ(o.row(0, true).back(), "ab    ");
}

// dBASE 7 stores integers big-endian with the sign flipped and doubles so
// that their bytes sort; an all-zero double is no value.
TEST(KivDbfFormatter, DBase7NumbersSortAsBytes)
{
    DbfTable t;
    t.layout = DbfTable::Layout::DBase7;
    t.version = 0x04;
    t.fields = {{"N", '+', 4}, {"D", 'O', 8}};
    t.records = {{std::string("\x7F\xFF\xFF\xFF", 4), std::string("\xBF\xF8\x00\x00\x00\x00\x00\x00", 8)},
        {std::string("\x80\x00\x00\x05", 4), std::string(8, '\0')}};
    Opened o(t);
    EXPECT_EQ(o.row(0), std::vector<std::string>({"-1", "1.5"}));
    EXPECT_EQ(o.row(1), std::vector<std::string>({"5", ""}));
}

// Visual FoxPro's _NullFlags: a nullable field with its bit set is empty,
// a varchar with its length bit set is cut to the length in its last byte.
TEST(KivDbfFormatter, NullAndLengthFlagsApply)
{
    DbfTable t;
    t.version = 0x30;
    t.fields = {{"V", 'V', 6, -1, 0, 0x02}, {"N", 'C', 3, -1, 0, 0x02}, {"_NullFlags", '0', 1}};
    // Bits: V's length, V's null, N's null.
    t.records = {{std::string("abc\0\0\x03", 6), "xyz", std::string("\x01", 1)},
        {std::string("abcdef", 6), "xyz", std::string("\x06", 1)}};
    Opened o(t);
    EXPECT_EQ(o.row(0)[0], "abc");
    EXPECT_EQ(o.row(0)[1], "xyz");
    EXPECT_EQ(o.row(1)[0], "");
    EXPECT_EQ(o.row(1)[1], "");
}
