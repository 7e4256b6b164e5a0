#include "dbf/KivDbfData.h"
#include "support/DbfWriter.h"

#include <gtest/gtest.h>

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
        char out[300];
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

    // A field described past the end of the record reads nothing.
    DbfTable wide = people();
    wide.fields[2].displacement = 20; // 20 + 8 > record length 22
    wide.recordLength = 22;
    Table w(wide.bytes());
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
