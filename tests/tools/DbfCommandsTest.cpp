// vandrel dbf, run as a process.
#include "support/DbfWriter.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(r.out, "NAME,NOTE\nAnn     ,\"a,b       \"\nBob     ,\"say \"\"hi\"\"  \"\n");
    r = vandrel(dir, {"dbf", "dump", "t.dbf", "--deleted"});
    EXPECT_EQ(
        r.out, "DELETED\tNAME\tNOTE\n\tAnn     \ta,b       \n\tBob     \tsay \"hi\"  \n*\tGone    \tx         \n");
}

TEST(VandrelDbf, Failures)
{
    TempDir dir;
    writeText(dir.file("short.dbf"), "tiny");
    EXPECT_EQ(vandrel(dir, {"dbf", "info", "none.dbf"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"dbf", "info", "short.dbf"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"dbf", "frob", "short.dbf"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"dbf", "--help"}).status, 0);
}
