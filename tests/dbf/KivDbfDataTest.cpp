// SPDX-License-Identifier: MIT
#include "dbf/KivDbfData.h"
#include "dbf/KivDbfMemo.h"
#include "support/DbfWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace testsupport;

namespace {

DbfTable people()
{
    DbfTable t;
    t.fields = {{"NAME", 'C', 10}, {"AGE", 'N', 3}, {"CITY", 'C', 8}};
    t.records = {{"Ann", " 31", "Seoul"}, {"Bob", "  7", "Busan"}, {"Cid", "100", "Incheon"}};
    return t;
}

struct Table {
    TempDir dir;
    KivDbfData data;
    KivDbfRecord* records = nullptr;
    explicit Table(const Bytes& bytes)
    {
        writeFile(dir.file("t.dbf"), bytes);
        EXPECT_EQ(data.open(dir.file("t.dbf").c_str()), 1);
        records = data.createRecord();
    }
    std::string value(long r, int f, int* ok = nullptr)
    {
        char out[65536 + 1]; // the longest field a descriptor can give, and its NUL
        const int result = records->getValue(r, f, out);
        if (ok)
            *ok = result;
        return out;
    }
};

} // namespace

TEST(KivDbfData, ReadsFieldsAndValuesExactlyAsStored)
{
    Table t(people().bytes());
    EXPECT_EQ(t.data.getFieldCount(), 3);
    char name[12];
    t.data.getFieldList().getAt(1)->getName(name);
    EXPECT_STREQ(name, "AGE");
    EXPECT_EQ(t.data.getFieldList().getAt(1)->getType(), 'N');
    EXPECT_EQ(t.data.getFieldList().getAddr(2), 14);
    EXPECT_EQ(t.data.getFieldList().getAddr(3), -1);
    ASSERT_NE(t.records, nullptr);
    EXPECT_EQ(t.records->getCount(), 3);
    EXPECT_EQ(t.value(0, 0), "Ann       ") << "padding blanks are kept";
    EXPECT_EQ(t.value(1, 1), "  7");
    EXPECT_EQ(t.value(2, 2), "Incheon ");
    int ok = 1;
    EXPECT_EQ(t.value(0, 3, &ok), "");
    EXPECT_EQ(ok, 0) << "a field index equal to the count is out of range";
    EXPECT_EQ(t.value(3, 0, &ok), "");
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(t.value(-1, 0, &ok), "");
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(t.records->getValue(0, 0, nullptr), 0);
}

TEST(KivDbfData, DeletedRecordsStayAndShowTheirFlag)
{
    DbfTable table = people();
    table.deleted = {false, true, false};
    Table t(table.bytes());
    EXPECT_EQ(t.records->getCount(), 3);
    EXPECT_EQ(t.value(1, 0), "Bob       ");
    EXPECT_TRUE(t.records->isDeleted(1));
    EXPECT_FALSE(t.records->isDeleted(0));
    EXPECT_EQ(t.records->getRecord(1)[0], '*');
}

TEST(KivDbfData, RecordsHandedOutEndInANul)
{
    // As a C string a record is its own bytes and stops there, the last one
    // too: the mapped file has no NUL after a record.
    Table t(people().bytes());
    const char* first = t.records->getRecord(0);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, " Ann        31Seoul   ");
    const char* last = t.records->getRecord(2);
    EXPECT_STREQ(last, " Cid       100Incheon ");
    EXPECT_EQ(t.records->getRecord(0), first) << "the same record stays where it was";
    EXPECT_STREQ(first, " Ann        31Seoul   ");
    EXPECT_EQ(t.records->getRecord(3), nullptr);
    EXPECT_EQ(t.records->getRecord(-1), nullptr);
}

TEST(KivDbfData, EmptyTableAndRepeatedLoads)
{
    DbfTable table = people();
    table.records.clear();
    Table t(table.bytes());
    ASSERT_NE(t.records, nullptr);
    EXPECT_EQ(t.records->getCount(), 0);
    int ok = 1;
    EXPECT_EQ(t.value(0, 0, &ok), "");
    EXPECT_EQ(ok, 0);

    Table again(people().bytes());
    EXPECT_EQ(again.data.createRecord(), again.records) << "the table's own record set";
    EXPECT_EQ(again.records->getCount(), 3) << "loading twice replaces, never duplicates";
}

TEST(KivDbfData, EarlyTerminatorShrinksTheFieldCount)
{
    DbfTable table = people();
    table.headerLength = 32 + 32 * 5 + 1; // claims five descriptors
    Table t(table.bytes());
    EXPECT_EQ(t.data.getFieldCount(), 3);
    EXPECT_EQ(t.data.getFieldList().getCount(), 3);
    EXPECT_EQ(t.value(0, 0), "Ann       ");
}

TEST(KivDbfData, LongFieldsAndFoxProDisplacements)
{
    DbfTable table;
    table.version = 0x30;
    // FoxPro stores displacements; here they run out of declaration order.
    table.fields = {{"MEMO", 'C', 200, 4}, {"ID", 'N', 3, 1}};
    const std::string text(200, 'x');
    table.records = {{text, "42"}};
    Table t(table.bytes());
    EXPECT_EQ(t.value(0, 0), text) << "a length above 127 is unsigned";
    EXPECT_EQ(t.value(0, 1), "42 ");
}

TEST(KivDbfData, ZeroDisplacementsMeanFieldsEndToEnd)
{
    DbfTable table = people();
    for (auto& f : table.fields)
        f.displacement = 0; // dBASE III leaves the bytes empty
    Bytes bytes = table.bytes();
    // The records themselves are laid end to end.
    const DbfTable laidOut = people();
    const Bytes records = laidOut.bytes();
    std::copy(records.begin() + 32 + 32 * 3 + 1, records.end(), bytes.begin() + 32 + 32 * 3 + 1);
    Table t(bytes);
    EXPECT_EQ(t.data.getFieldList().getAddr(0), 1);
    EXPECT_EQ(t.data.getFieldList().getAddr(1), 11);
    EXPECT_EQ(t.data.getFieldList().getAddr(2), 14);
    EXPECT_EQ(t.value(2, 1), "100");
    EXPECT_EQ(t.value(2, 2), "Incheon ");
}

TEST(KivDbfData, TruncatedFilesKeepWholeRecordsOnly)
{
    const Bytes full = people().bytes();
    const std::size_t headerLength = 32 + 32 * 3 + 1;
    const std::size_t recordLength = 22;
    Bytes cut(full.begin(), full.begin() + static_cast<long>(headerLength + recordLength * 2 + 5));
    Table t(cut);
    EXPECT_EQ(t.records->getCount(), 2);
    EXPECT_EQ(t.value(1, 0), "Bob       ");

    // A header cut short: the file opens, but there are no fields.
    Table shortHeader(Bytes(full.begin(), full.begin() + 20));
    EXPECT_EQ(shortHeader.data.getFieldCount(), -1);
    EXPECT_EQ(shortHeader.data.getFieldList().getCount(), 0);
    EXPECT_EQ(shortHeader.records->getCount(), 0);

    // A file that ends inside the descriptors keeps those it holds.
    Table shortFields(Bytes(full.begin(), full.begin() + 32 + 32 + 10));
    EXPECT_EQ(shortFields.data.getFieldList().getCount(), 1);
    EXPECT_EQ(shortFields.data.getFieldCount(), 1);
}

TEST(KivDbfData, HeaderClaimsNeverReachPastTheBytes)
{
    DbfTable table = people();
    table.claimedRecords = 0x7FFFFFFF; // far more than the file holds
    Table t(table.bytes());
    EXPECT_EQ(t.records->getCount(), 3);
    EXPECT_EQ(t.data.countRecords(), 3);

    // Fields that run past the end of the record read nothing.
    DbfTable narrow = people();
    narrow.recordLength = 20; // CITY would end at 22
    Table w(narrow.bytes());
    int ok = 1;
    EXPECT_EQ(w.value(0, 2, &ok), "");
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(w.value(0, 0), "Ann       ");

    DbfTable zero = people();
    zero.recordLength = 0;
    Table z(zero.bytes());
    EXPECT_EQ(z.records->getCount(), 0);

    DbfTable tiny = people();
    tiny.headerLength = 10; // smaller than the descriptors it has
    Table h(tiny.bytes());
    EXPECT_EQ(h.data.getFieldCount(), 0);
}

TEST(KivDbfData, OpenFailsOnlyWhenTheFileCannotBeOpened)
{
    KivDbfData data;
    EXPECT_EQ(data.open("/no/such/table.dbf"), 0);
    EXPECT_EQ(data.createRecord(), nullptr);
    EXPECT_EQ(data.open(static_cast<std::FILE*>(nullptr)), 0);
}

TEST(KivDbfData, CloseEmptiesEverything)
{
    Table t(people().bytes());
    t.data.close();
    EXPECT_EQ(t.data.getFieldCount(), -1);
    EXPECT_EQ(t.data.getFieldList().getCount(), 0);
    EXPECT_EQ(t.records->getCount(), 0);
}

// Writers other than FoxPro leave other data where FoxPro keeps each field's
// displacement: those tables lay their fields end to end.
struct OffsetCase {
    const char* name;
    int version;
    std::vector<long> displacements;
};

class KivDbfOffsets : public testing::TestWithParam<OffsetCase> { };

TEST_P(KivDbfOffsets, FieldsLieWhereTheRecordsHoldThem)
{
    DbfTable table = people();
    table.version = GetParam().version;
    Bytes bytes = table.bytes(); // the records end to end
    for (std::size_t i = 0; i < 3; ++i)
        for (int k = 0; k < 4; ++k)
            bytes[32 + 32 * i + 12 + static_cast<std::size_t>(k)]
                = static_cast<std::uint8_t>(GetParam().displacements[i] >> (8 * k));
    Table t(bytes);
    EXPECT_EQ(t.data.getFieldList().getAddr(0), 1);
    EXPECT_EQ(t.data.getFieldList().getAddr(2), 14);
    EXPECT_EQ(t.value(0, 0), "Ann       ");
    EXPECT_EQ(t.value(2, 1), "100");
    EXPECT_EQ(t.value(2, 2), "Incheon ");
}

INSTANTIATE_TEST_SUITE_P(Writers, KivDbfOffsets,
    testing::Values(OffsetCase {"DBaseIVGarbage", 0x8B, {1242824707, 1242824717, 1242824720}},
        OffsetCase {"ZeroBased", 0x03, {0, 10, 13}}, OffsetCase {"FoxProZeroBased", 0x30, {0, 10, 13}},
        OffsetCase {"FoxProOverlapping", 0x30, {1, 5, 14}}, OffsetCase {"EndToEnd", 0x03, {1, 11, 14}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KivDbfData, LongCharacterFieldsKeepTheirHighByte)
{
    DbfTable table;
    table.version = 0x30;
    table.fields = {{"ID", 'N', 3}, {"TEXT", 'C', 300}, {"TAIL", 'C', 2}};
    const std::string text = std::string(299, 'y') + "z";
    table.records = {{"7", text, "ok"}};
    Table t(table.bytes());
    const KivDbfField* f = t.data.getFieldList().getAt(1);
    EXPECT_EQ(f->getLength(), 300);
    EXPECT_EQ(f->getDecimals(), 0);
    EXPECT_EQ(t.data.getFieldList().getMaxLength(), 300);
    EXPECT_EQ(t.value(0, 1), text);
    EXPECT_EQ(t.value(0, 2), "ok");

    // A decimal count on a character field that only the short length fits
    // is not a high byte.
    DbfTable odd = people();
    odd.fields[0].decimals = 2;
    Table o(odd.bytes());
    EXPECT_EQ(o.data.getFieldList().getAt(0)->getLength(), 10);
    EXPECT_EQ(o.value(2, 2), "Incheon ");
}

TEST(KivDbfData, ReadsDBase7)
{
    DbfTable table;
    table.layout = DbfTable::Layout::DBase7;
    table.version = 0x8C;
    table.fields = {{"ID", '+', 4}, {"Description of it", 'C', 20}, {"Length CM", 'N', 8, -1, 2}};
    table.records = {{std::string("\x80\x00\x00\x01", 4), "first", "  100.00"},
        {std::string("\x80\x00\x00\x02", 4), "second", "    2.50"}};
    Table t(table.bytes());
    EXPECT_EQ(t.data.getHeader().layout(), KivDbfLayout::DBase7);
    EXPECT_STREQ(t.data.getHeader().languageDriverName(), "DBWINUS0");
    ASSERT_EQ(t.data.getFieldCount(), 3) << "the properties area after the terminator holds no fields";
    const KivDbfField* f = t.data.getFieldList().getAt(1);
    EXPECT_STREQ(f->getFullName(), "Description of it");
    char name[12];
    f->getName(name);
    EXPECT_STREQ(name, "Description");
    EXPECT_EQ(f->getType(), 'C');
    EXPECT_EQ(t.data.getFieldList().getAt(2)->getDecimals(), 2);
    EXPECT_EQ(t.data.getFieldList().getAddr(2), 25);
    ASSERT_EQ(t.records->getCount(), 2);
    EXPECT_EQ(t.value(1, 1), "second              ");
    EXPECT_EQ(t.value(1, 2), "    2.50");
    int length = 0;
    EXPECT_EQ(std::string(t.records->getField(1, 0, &length), 4), std::string("\x80\x00\x00\x02", 4));
}

TEST(KivDbfData, ReadsDBase2)
{
    DbfTable table;
    table.layout = DbfTable::Layout::DBase2;
    table.version = 0x02;
    table.fields = {{"EMP:NMBR", 'N', 3}, {"LAST", 'C', 10}, {"PAYRATE", 'N', 8, -1, 3}};
    table.records = {{"  2", "Stegman", "   6.000"}, {"  3", "Hemeryick", "   5.000"}};
    Table t(table.bytes());
    EXPECT_EQ(t.data.getHeader().layout(), KivDbfLayout::DBase2);
    EXPECT_EQ(t.data.getHeader().recordCount(), 2u);
    EXPECT_EQ(t.data.getHeader().headerLength(), 521);
    EXPECT_EQ(t.data.getHeader().recordLength(), 22);
    ASSERT_EQ(t.data.getFieldCount(), 3);
    EXPECT_STREQ(t.data.getFieldList().getAt(0)->getFullName(), "EMP:NMBR");
    EXPECT_EQ(t.data.getFieldList().getAt(2)->getDecimals(), 3);
    ASSERT_EQ(t.records->getCount(), 2);
    EXPECT_EQ(t.value(1, 1), "Hemeryick ");
    EXPECT_EQ(t.value(1, 2), "   5.000");

    // FoxBASE wrote version 2 over the dBASE III header.
    DbfTable foxBase = people();
    foxBase.version = 0x02;
    Table f(foxBase.bytes());
    EXPECT_EQ(f.data.getHeader().layout(), KivDbfLayout::DBase3);
    EXPECT_EQ(f.value(2, 2), "Incheon ");
}

TEST(KivDbfData, ReadsFromMemoryAndStreams)
{
    const Bytes bytes = people().bytes();
    KivDbfData data;
    ASSERT_EQ(data.open(ByteSource::fromMemory(bytes.data(), bytes.size())), 1);
    KivDbfRecord* records = data.createRecord();
    ASSERT_NE(records, nullptr);
    char out[16];
    EXPECT_EQ(records->getValue(1, 0, out), 1);
    EXPECT_STREQ(out, "Bob       ");
    int length = 0;
    EXPECT_EQ(std::string(records->getField(2, 2, &length), 8), "Incheon ");
    EXPECT_EQ(length, 8);
    EXPECT_EQ(records->getField(2, 3, &length), nullptr);

    TempDir dir;
    writeFile(dir.file("t.dbf"), bytes);
    std::FILE* file = std::fopen(dir.file("t.dbf").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    KivDbfData streamed;
    EXPECT_EQ(streamed.open(file), 1);
    records = streamed.createRecord(file);
    std::fclose(file);
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->getValue(2, 1, out), 1);
    EXPECT_STREQ(out, "100");
}

TEST(KivDbfData, ReleasedRecordsStayReadable)
{
    DbfTable table;
    table.fields = {{"N", 'N', 7}};
    for (int i = 0; i < 5000; ++i)
        table.records.push_back({std::to_string(i)});
    Table t(table.bytes());
    ASSERT_EQ(t.records->getCount(), 5000);
    t.data.releaseRecords(0, 4000);
    t.data.releaseRecords(4990, 1000); // past the end
    t.data.releaseRecords(-5, 10);
    EXPECT_EQ(t.value(0, 0), "0      ");
    EXPECT_EQ(t.value(3999, 0), "3999   ");
    EXPECT_EQ(t.value(4999, 0), "4999   ");
}

TEST(KivDbfData, RecordsComeFromTheFileWhoseHeaderWasRead)
{
    TempDir dir;
    writeFile(dir.file("t.dbf"), people().bytes());
    KivDbfData data;
    ASSERT_EQ(data.open(dir.file("t.dbf").c_str()), 1);
    // Another program replaces the table before the records are loaded.
    DbfTable other;
    other.fields = {{"X", 'C', 1}};
    other.records = {{"a"}};
    writeFile(dir.file("new.dbf"), other.bytes());
    std::filesystem::rename(dir.file("new.dbf"), dir.file("t.dbf"));
    KivDbfRecord* records = data.createRecord();
    ASSERT_NE(records, nullptr);
    ASSERT_EQ(records->getCount(), 3);
    char out[16];
    records->getValue(2, 2, out);
    EXPECT_STREQ(out, "Incheon ");
}

TEST(KivDbfData, NeverReadsWhatIsNoRegularFile)
{
    TempDir dir;
    ASSERT_EQ(run({"mkfifo", dir.file("fifo.dbf")}).status, 0);
    KivDbfData data;
    EXPECT_EQ(data.open(dir.file("fifo.dbf").c_str()), 0) << "a FIFO is refused without blocking";
    EXPECT_EQ(data.createRecord(), nullptr);
    EXPECT_EQ(data.open(dir.path().c_str()), 0) << "a folder";
    KivDbfMemo memo;
    EXPECT_FALSE(memo.open(dir.file("fifo.dbf").c_str(), 0x83));
}
