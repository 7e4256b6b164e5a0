// SPDX-License-Identifier: MIT
// Real tables written by other programs.
#include "dbf/KivDbfData.h"
#include "dbf/KivDbfMemo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace testsupport;

namespace {

bool isTable(const std::filesystem::path& path)
{
    return path.extension() == ".dbf" || path.extension() == ".DBF";
}

int fieldIndex(const KivDbfData& data, const char* name)
{
    for (int i = 0; const KivDbfField* f = data.getFieldList().getAt(i); ++i)
        if (std::strcmp(f->getFullName(), name) == 0)
            return i;
    return -1;
}

} // namespace

TEST(DbfCorpus, EveryTableLoadsAsManyRecordsAsItHolds)
{
    int tables = 0;
    for (const auto& path : samplesIn("dbf")) {
        if (!isTable(path))
            continue;
        SCOPED_TRACE(path.string());
        ++tables;
        KivDbfData data;
        ASSERT_EQ(data.open(path.c_str()), 1);
        const KivDbfHeader& h = data.getHeader();
        KivDbfRecord* records = data.createRecord();
        ASSERT_NE(records, nullptr);
        // As many as the header says, or the whole ones a cut file still holds.
        const auto size = std::filesystem::file_size(path);
        const long fit = h.recordLength()
            ? static_cast<long>((size > h.headerLength() ? size - h.headerLength() : 0) / h.recordLength())
            : 0;
        EXPECT_EQ(records->getCount(), std::min<long>(static_cast<long>(h.recordCount()), fit));
        EXPECT_EQ(data.countRecords(), records->getCount());
        std::vector<char> value(static_cast<std::size_t>(data.getFieldList().getMaxLength()) + 1);
        for (long r = 0; r < records->getCount(); ++r)
            for (int f = 0; f < data.getFieldCount(); ++f)
                EXPECT_EQ(records->getValue(r, f, value.data()), 1);
    }
    if (tables == 0)
        GTEST_SKIP() << "no samples";
}

// Every real table, whatever its writer put where FoxPro keeps field
// displacements, has its fields fill the record after the deletion flag.
TEST(DbfCorpus, FieldsFillEveryRecord)
{
    int tables = 0;
    for (const auto& path : samplesIn("dbf")) {
        if (!isTable(path))
            continue;
        SCOPED_TRACE(path.string());
        ++tables;
        KivDbfData data;
        ASSERT_EQ(data.open(path.c_str()), 1);
        long end = 1;
        for (int i = 0; const KivDbfField* f = data.getFieldList().getAt(i); ++i) {
            EXPECT_EQ(static_cast<long>(f->getDisplacement()), end) << f->getFullName();
            end += f->getLength();
        }
        EXPECT_EQ(end, data.getHeader().recordLength());
    }
    if (tables == 0)
        GTEST_SKIP() << "no samples";
}

struct KnownValue {
    const char* table;
    long record;
    const char* field;
    const char* value; // the stored bytes the value starts with
};

class DbfCorpusValues : public testing::TestWithParam<KnownValue> { };

TEST_P(DbfCorpusValues, ReadAsTheirWriterStoredThem)
{
    const KnownValue& k = GetParam();
    const auto path = samplesDir() / "dbf" / k.table;
    if (samplesDir().empty() || !std::filesystem::exists(path))
        GTEST_SKIP() << "no samples";
    KivDbfData data;
    ASSERT_EQ(data.open(path.c_str()), 1);
    KivDbfRecord* records = data.createRecord();
    ASSERT_NE(records, nullptr);
    const int f = fieldIndex(data, k.field);
    ASSERT_GE(f, 0) << k.field;
    std::vector<char> value(static_cast<std::size_t>(data.getFieldList().getMaxLength()) + 1);
    ASSERT_EQ(records->getValue(k.record, f, value.data()), 1);
    EXPECT_EQ(std::string(value.data()).substr(0, std::strlen(k.value)), k.value);
}

INSTANTIATE_TEST_SUITE_P(Tables, DbfCorpusValues,
    testing::Values(KnownValue {"infused_dbase_02.dbf", 0, "LAST", "Stegman   "},
        KnownValue {"infused_dbase_02.dbf", 8, "EMP:NMBR", " 11"},
        KnownValue {"infused_dbase_8c.dbf", 0, "Name", "Clown Triggerfish  "},
        KnownValue {"infused_dbase_8c.dbf", 2, "Length CM", "             30.0000"},
        KnownValue {"javadbf_bug102.dbf", 0, "TimeStamp", "11/9/2021 2:44:17 PM"},
        KnownValue {"infused_dbase_8b.dbf", 0, "NUMERICAL", "                1.00"},
        KnownValue {"infused_mazovia.dbf", 0, "A2", "English"},
        KnownValue {"skmaps_skorea-provinces-2012.dbf", 0, "name_eng", "Jeju-do  "}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(DbfCorpus, MemosOfTheThreeLayouts)
{
    struct Case {
        const char* table;
        const char* memo;
        const char* field;
        const char* text;
    } cases[] = {
        {"infused_dbase_83.dbf", "infused_dbase_83.dbt", "DESC", "Our Original assortment...a little taste"},
        {"infused_dbase_8b.dbf", "infused_dbase_8b.dbt", "MEMO", "First memo\r\n"},
        {"infused_dbase_30.dbf", "infused_dbase_30.fpt", "CLASSES", "Domestic Life\r\nWeddings"},
    };
    int tables = 0;
    for (const Case& c : cases) {
        const auto path = samplesDir() / "dbf" / c.table;
        if (samplesDir().empty() || !std::filesystem::exists(path))
            continue;
        SCOPED_TRACE(c.table);
        ++tables;
        KivDbfData data;
        ASSERT_EQ(data.open(path.c_str()), 1);
        KivDbfRecord* records = data.createRecord();
        KivDbfMemo memo;
        ASSERT_TRUE(memo.open((samplesDir() / "dbf" / c.memo).c_str(), data.getHeader().version()));
        int length = 0;
        const char* bytes = records->getField(0, fieldIndex(data, c.field), &length);
        ASSERT_NE(bytes, nullptr);
        std::uint64_t block = 0;
        ASSERT_TRUE(KivDbfMemo::blockOf(bytes, length, block));
        std::string text;
        ASSERT_TRUE(memo.read(block, text));
        EXPECT_EQ(text.substr(0, std::strlen(c.text)), c.text);
    }
    if (tables == 0)
        GTEST_SKIP() << "no samples";
}
