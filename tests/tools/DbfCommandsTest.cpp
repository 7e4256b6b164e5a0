// SPDX-License-Identifier: MIT
// vandrel dbf, run as a process.
#include "support/DbfWriter.h"

#include <gtest/gtest.h>

#include <QString>

using namespace testsupport;

namespace {
RunResult vandrel(const TempDir& dir, std::vector<std::string> args)
{
    return runVandrel(std::move(args), dir.path());
}

DbfTable sample()
{
    DbfTable t;
    t.fields = {{"NAME", 'C', 8}, {"NOTE", 'C', 10}};
    t.records = {{"Ann", "a,b"}, {"Bob", "say \"hi\""}, {"Gone", "x"}};
    t.deleted = {false, false, true};
    return t;
}
} // namespace

TEST(VandrelDbf, InfoListsTheFields)
{
    TempDir dir;
    writeFile(dir.file("t.dbf"), sample().bytes());
    const auto r = vandrel(dir, {"dbf", "info", "t.dbf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("3 in the header, 3 read"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("record length:  19"), std::string::npos);
    EXPECT_NE(r.out.find("NOTE        C   10  at 9"), std::string::npos) << r.out;
}

TEST(VandrelDbf, DumpQuotesCsvAndSkipsDeletedUnlessAsked)
{
    TempDir dir;
    writeFile(dir.file("t.dbf"), sample().bytes());
    auto r = vandrel(dir, {"dbf", "dump", "t.dbf", "--csv"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "NAME,NOTE\nAnn,\"a,b\"\nBob,\"say \"\"hi\"\"\"\n");
    r = vandrel(dir, {"dbf", "dump", "t.dbf", "--deleted"});
    EXPECT_EQ(r.out, "DELETED\tNAME\tNOTE\n\tAnn\ta,b\n\tBob\tsay \"hi\"\n*\tGone\tx\n");
    // The blanks that pad a character field stay when asked for.
    r = vandrel(dir, {"dbf", "dump", "t.dbf", "--csv", "--keep-blanks"});
    EXPECT_EQ(r.out, "NAME,NOTE\nAnn     ,\"a,b       \"\nBob     ,\"say \"\"hi\"\"  \"\n");
}

TEST(VandrelDbf, Failures)
{
    TempDir dir;
    writeText(dir.file("short.dbf"), "tiny");
    EXPECT_EQ(vandrel(dir, {"dbf", "info", "none.dbf"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"dbf", "info", "short.dbf"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"dbf", "frob", "short.dbf"}).status, 2);
    EXPECT_EQ(vandrel(dir, {"dbf", "--help"}).status, 0);
}

namespace {
std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

// The second line of a dump: the first record.
std::string firstRecord(const std::string& out)
{
    const std::size_t start = out.find('\n') + 1;
    return out.substr(start, out.find('\n', start) - start);
}
} // namespace

TEST(VandrelDbf, BinaryFieldsShowAsNumbersAndTimes)
{
    TempDir dir;
    DbfTable fox;
    fox.version = 0x30;
    fox.fields = {{"INT", 'I', 4}, {"MONEY", 'Y', 8}, {"REAL", 'B', 8}, {"STAMP", 'T', 8}, {"EMPTY", 'T', 8},
        {"NAME", 'C', 4}, {"_NullFlags", '0', 1}};
    fox.records = {{bytes({0xFB, 0xFF, 0xFF, 0xFF}), bytes({0xB2, 0x9E, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
        bytes({0, 0, 0, 0, 0, 0, 0x04, 0x40}), bytes({0x38, 0x85, 0x25, 0x00, 0xCF, 0x00, 0x0A, 0x02}),
        std::string(8, '\0'), "ab", bytes({0x04})}};
    writeFile(dir.file("fox.dbf"), fox.bytes());
    auto r = vandrel(dir, {"dbf", "dump", "fox.dbf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(firstRecord(r.out), "-5\t-1234.5678\t2.5\t2020-03-27 09:30:09.999\t\tab\t00000100");

    // dBASE 7 keeps numbers big-endian with the sign bit flipped, and its
    // time stamps as milliseconds in a double.
    DbfTable d7;
    d7.layout = DbfTable::Layout::DBase7;
    d7.version = 0x04;
    d7.fields = {
        {"Id", '+', 4}, {"Long", 'I', 4}, {"Double", 'O', 8}, {"Negative", 'O', 8}, {"None", 'O', 8}, {"When", '@', 8}};
    d7.records = {{bytes({0x80, 0, 0, 0x01}), bytes({0x7F, 0xFF, 0xFF, 0xFE}),
        bytes({0xBF, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A}),
        bytes({0x3F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), std::string(8, '\0'),
        bytes({0x42, 0xCC, 0xE1, 0xEC, 0x41, 0xFB, 0x64, 0x00})}};
    writeFile(dir.file("d7.dbf"), d7.bytes());
    r = vandrel(dir, {"dbf", "dump", "d7.dbf", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Id,Long,Double,Negative,None,When\n1,-2,0.1,-2,,2013-08-27 19:12:13\n");
}

TEST(VandrelDbf, ReadsDBase2AndLongCharacterFields)
{
    TempDir dir;
    DbfTable two;
    two.layout = DbfTable::Layout::DBase2;
    two.version = 0x02;
    two.fields = {{"EMP:NMBR", 'N', 3}, {"LAST", 'C', 10}};
    two.records = {{"  2", "Stegman"}, {"  3", "Hemeryick"}};
    writeFile(dir.file("two.dbf"), two.bytes());
    auto r = vandrel(dir, {"dbf", "info", "two.dbf"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("records:        2 in the header, 2 read"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(dBASE II)"), std::string::npos) << r.out;
    r = vandrel(dir, {"dbf", "dump", "two.dbf"});
    EXPECT_EQ(r.out, "EMP:NMBR\tLAST\n  2\tStegman\n  3\tHemeryick\n") << "numbers keep their blanks";

    DbfTable wide;
    wide.version = 0x30;
    const std::string text = std::string(999, 'w') + "!";
    wide.fields = {{"TEXT", 'C', 1000}, {"N", 'N', 2}};
    wide.records = {{text, "42"}};
    writeFile(dir.file("wide.dbf"), wide.bytes());
    r = vandrel(dir, {"dbf", "dump", "wide.dbf", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "TEXT,N\n" + text + ",42\n");
}

TEST(VandrelDbf, TextInTheTablesCodePage)
{
    TempDir dir;
    DbfTable table;
    table.fields = {{"NAME", 'C', 6}};
    table.records = {{"\xcd\xc8\xc8"}}; // "НИИ" in windows-1251
    table.languageDriver = 0xC9;
    writeFile(dir.file("ru.dbf"), table.bytes());
    auto r = vandrel(dir, {"dbf", "dump", "ru.dbf"});
    EXPECT_EQ(r.out, "NAME\n\xd0\x9d\xd0\x98\xd0\x98\n");
    r = vandrel(dir, {"dbf", "dump", "ru.dbf", "--raw", "--csv"});
    EXPECT_EQ(r.out, "NAME\n\xcd\xc8\xc8\n") << "--raw keeps the bytes";
    r = vandrel(dir, {"dbf", "dump", "ru.dbf", "--encoding", "IBM866"});
    EXPECT_EQ(firstRecord(r.out), "\xe2\x95\x90\xe2\x95\x9a\xe2\x95\x9a") << "--encoding wins over the language driver";
    r = vandrel(dir, {"dbf", "dump", "ru.dbf", "--encoding", "no-such-page"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");

    // No language driver: a .cpg file beside the table names the code page.
    table.languageDriver = 0;
    table.records = {{"\xbc\xad\xbf\xef"}}; // "서울" in CP949
    writeFile(dir.file("ko.dbf"), table.bytes());
    writeText(dir.file("ko.cpg"), "CP949\n");
    r = vandrel(dir, {"dbf", "dump", "ko.dbf"});
    EXPECT_EQ(firstRecord(r.out), "\xec\x84\x9c\xec\x9a\xb8");
    r = vandrel(dir, {"dbf", "info", "ko.dbf"});
    EXPECT_NE(r.out.find("CP949 (from the .cpg file)"), std::string::npos) << r.out;
}

TEST(VandrelDbf, AnUnnamedCodePageIsGuessedAndAlwaysGivesUtf8)
{
    TempDir dir;
    // Korean provinces in code page 949, the table naming no code page (a
    // language driver no writer defines, no .cpg), as real tables do.
    DbfTable table;
    table.languageDriver = 0xF0;
    table.fields = {{"NAME", 'C', 20}};
    for (const char* name : {"\xbc\xad\xbf\xef\xc6\xaf\xba\xb0\xbd\xc3", "\xba\xce\xbb\xea\xb1\xa4\xbf\xaa\xbd\xc3",
             "\xb4\xeb\xb1\xb8\xb1\xa4\xbf\xaa\xbd\xc3", "\xc0\xce\xc3\xb5\xb1\xa4\xbf\xaa\xbd\xc3",
             "\xb0\xe6\xb1\xe2\xb5\xb5", "\xb0\xad\xbf\xf8\xb5\xb5", "\xc3\xe6\xc3\xbb\xba\xcf\xb5\xb5",
             "\xc0\xfc\xb6\xf3\xb3\xb2\xb5\xb5", "\xb0\xe6\xbb\xf3\xba\xcf\xb5\xb5",
             "\xc1\xa6\xc1\xd6\xc6\xaf\xba\xb0\xc0\xda\xc4\xa1\xb5\xb5"})
        table.records.push_back({name});
    writeFile(dir.file("ko.dbf"), table.bytes());
    auto r = vandrel(dir, {"dbf", "dump", "ko.dbf", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(firstRecord(r.out), "\xec\x84\x9c\xec\x9a\xb8\xed\x8a\xb9\xeb\xb3\x84\xec\x8b\x9c"); // 서울특별시
    EXPECT_NE(r.err.find("CP949"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--encoding"), std::string::npos) << "how to name another";
    EXPECT_TRUE(QString::fromUtf8(r.out.c_str()).toUtf8().toStdString() == r.out) << "valid UTF-8";
    r = vandrel(dir, {"dbf", "info", "ko.dbf"});
    EXPECT_NE(r.out.find("CP949 (from the text, by detection)"), std::string::npos) << r.out;
    // --raw keeps the stored bytes; --encoding is taken as given.
    r = vandrel(dir, {"dbf", "dump", "ko.dbf", "--raw", "--csv"});
    EXPECT_EQ(firstRecord(r.out), "\xbc\xad\xbf\xef\xc6\xaf\xba\xb0\xbd\xc3");
    EXPECT_EQ(r.err, "");

    // Too little text to tell: read as ISO-8859-1, still valid UTF-8.
    table.records = {{"\xbc\xad\xbf\xef"}};
    writeFile(dir.file("short.dbf"), table.bytes());
    r = vandrel(dir, {"dbf", "dump", "short.dbf", "--csv"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(QString::fromUtf8(r.out.c_str()).toUtf8().toStdString() == r.out) << "valid UTF-8";
    EXPECT_NE(r.err.find("--encoding"), std::string::npos) << r.err;
    // A DOS-era table's text that no guess fits is read as DOS's Western
    // code page before Windows': "penedès" in code page 850.
    DbfTable dos;
    dos.version = 0xF5;
    dos.fields = {{"NAME", 'C', 10}};
    dos.records = {{"pened\x8as"}, {"caf\x82"}};
    writeFile(dir.file("dos.dbf"), dos.bytes());
    r = vandrel(dir, {"dbf", "dump", "dos.dbf"});
    EXPECT_EQ(firstRecord(r.out), "pened\xc3\xa8s") << r.err;
    // Plain ASCII needs no code page, and no word about one.
    table.records = {{"Seoul"}};
    writeFile(dir.file("ascii.dbf"), table.bytes());
    r = vandrel(dir, {"dbf", "dump", "ascii.dbf"});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(firstRecord(r.out), "Seoul");
}

TEST(VandrelDbf, VarcharFieldsTakeTheirLengthFromTheNullFlags)
{
    TempDir dir;
    DbfTable fox;
    fox.version = 0x30;
    // Flags of the field descriptor: 0x02 may be null. Bits of _NullFlags
    // in field order: the length bit of V, then the null bit of NOTE.
    fox.fields = {{"V", 'V', 10}, {"NOTE", 'C', 4, -1, 0, 0x02}, {"_NullFlags", '0', 1}};
    fox.records = {{std::string("Test") + std::string(5, ' ') + "\x04", "abcd", bytes({0x01})},
        {"full width", "  x ", bytes({0x02})}};
    writeFile(dir.file("v.dbf"), fox.bytes());
    const auto r = vandrel(dir, {"dbf", "dump", "v.dbf", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "V,NOTE,_NullFlags\nTest,abcd,00000001\nfull width,,00000010\n");
}

TEST(VandrelDbf, ControlCharactersNeverReachTheTerminal)
{
    TempDir dir;
    DbfTable table;
    table.fields = {{"A", 'C', 12}, {"B", 'C', 3}};
    table.records = {{"\x1b]0;x\x07\tz\r\ny",
        "\xc2\x9b"
        "1"}};
    writeFile(dir.file("t.dbf"), table.bytes());
    auto r = vandrel(dir, {"dbf", "dump", "t.dbf"});
    EXPECT_EQ(firstRecord(r.out), "\\x1b]0;x\\x07\\x09z\\x0d\\x0ay\t\\u009b1");
    r = vandrel(dir, {"dbf", "dump", "t.dbf", "--csv"});
    EXPECT_EQ(r.out,
        "A,B\n\"\x1b]0;x\x07\tz\r\ny\",\xc2\x9b"
        "1\n")
        << "CSV keeps the bytes and quotes them";
}

TEST(VandrelDbf, MemosFromTheFileBesideTheTable)
{
    TempDir dir;
    DbfTable table;
    table.version = 0x83;
    table.fields = {{"ID", 'N', 2}, {"NOTE", 'M', 10}};
    table.records = {{" 1", "         1"}, {" 2", "          "}, {" 3", "        99"}};
    writeFile(dir.file("t.dbf"), table.bytes());
    auto r = vandrel(dir, {"dbf", "dump", "t.dbf"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(firstRecord(r.out), " 1\t         1") << "without a memo file, the block number";
    EXPECT_NE(r.err.find("no memo file"), std::string::npos);

    DbfMemoFile memo;
    memo.memos = {{1, "two\r\nlines"}};
    writeFile(dir.file("T.DBT"), memo.bytes());
    r = vandrel(dir, {"dbf", "dump", "t.dbf"});
    EXPECT_EQ(r.out, "ID\tNOTE\n 1\ttwo\\x0d\\x0alines\n 2\t\n 3\t\n");
    EXPECT_EQ(r.err, "vandrel: 1 memo values name blocks T.DBT does not hold: they are empty\n")
        << "block 99 is not there; 2 names none";
    r = vandrel(dir, {"dbf", "info", "t.dbf"});
    EXPECT_NE(r.out.find("memo file:      T.DBT"), std::string::npos) << r.out;

    // Visual FoxPro: four-byte block numbers into an .fpt, pictures binary.
    DbfTable fox;
    fox.version = 0x30;
    fox.fields = {{"NOTE", 'M', 4}, {"PIC", 'G', 4}};
    fox.records = {{bytes({8, 0, 0, 0}), bytes({9, 0, 0, 0})}};
    writeFile(dir.file("fox.dbf"), fox.bytes());
    DbfMemoFile fpt;
    fpt.layout = DbfMemoFile::Layout::FoxPro;
    fpt.blockSize = 64;
    fpt.memos = {{8, "a \"memo\", quoted"}, {9, std::string("\x89PNG\0", 5), 0}};
    writeFile(dir.file("fox.fpt"), fpt.bytes());
    r = vandrel(dir, {"dbf", "dump", "fox.dbf", "--csv"});
    EXPECT_EQ(r.out, "NOTE,PIC\n\"a \"\"memo\"\", quoted\",\"[binary, 5 bytes]\"\n");
}

TEST(VandrelDbf, NeverBlocksOnWhatIsNoRegularFile)
{
    TempDir dir;
    ASSERT_EQ(run({"mkfifo", dir.file("fifo.dbf")}).status, 0);
    for (const char* action : {"info", "dump"}) {
        const auto r = vandrel(dir, {"dbf", action, "fifo.dbf"});
        EXPECT_EQ(r.status, 1) << action;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    }
    EXPECT_EQ(vandrel(dir, {"dbf", "info", "."}).status, 1);
}

TEST(VandrelDbf, ProgressOnlyOnATerminal)
{
    TempDir dir;
    DbfTable table;
    table.fields = {{"N", 'N', 6}};
    for (int i = 0; i < 20000; ++i)
        table.records.push_back({std::to_string(i)});
    writeFile(dir.file("t.dbf"), table.bytes());
    auto r = vandrel(dir, {"dbf", "dump", "t.dbf"});
    EXPECT_EQ(r.err, "") << "piped: no bar";
    if (run({"sh", "-c", "command -v script"}).status != 0)
        GTEST_SKIP() << "no script(1) to give the tool a terminal";
    // A terminal on standard error, the records into a file.
    const std::string command = binary("vandrel").string() + " dbf dump t.dbf > out.tsv";
    r = run({"script", "-qec", command, "/dev/null"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("%  records"), std::string::npos) << r.out;
    EXPECT_EQ(readFile(dir.path() / "out.tsv").size(), 2u + 20000u * 7u) << "the records are whole";
}
