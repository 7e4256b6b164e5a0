// SPDX-License-Identifier: MIT
// vandrel album on the executable's engine: an album made, given fields and
// records, searched and its groups listed, all from the shell.
#include "DbTestEngine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class AlbumCli : public EngineTest {
protected:
    testsupport::RunResult album(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"album", m_connect});
        return testsupport::runVandrel(args, m_dir.path());
    }
};

TEST_F(AlbumCli, CreateFillFindAndGroup)
{
    ASSERT_EQ(album({"init"}).status, 0);
    EXPECT_EQ(album({"init"}).status, 0) << "again: nothing to do";
    ASSERT_EQ(album({"add-field", "CITY", "40"}).status, 0);
    ASSERT_EQ(album({"add-field", "도시", "10"}).status, 0);
    const auto refused = album({"add-field", "x INT, y", "4"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("no plain name"), std::string::npos) << refused.err;
    EXPECT_EQ(album({"add-field", "CITY", "40"}).status, 1) << "the database refuses a second CITY";
    EXPECT_EQ(album({"add-field", "Z", "0"}).status, 1);

    const auto fields = album({"fields"});
    ASSERT_EQ(fields.status, 0);
    EXPECT_NE(fields.out.find("\t문자열\t40\t"), std::string::npos) << fields.out;

    ASSERT_EQ(album({"sql", "INSERT INTO KIV_DATA VALUES (1, 'a.png', 'O''Brien', '서울')"}).status, 0);
    ASSERT_EQ(album({"sql", "INSERT INTO KIV_DATA VALUES (2, 'b,\"c\".png', 'Seoul', NULL)"}).status, 0);
    ASSERT_EQ(
        album({"sql", "INSERT INTO KIV_DATA VALUES (3, 'c.png', 'x''; DROP TABLE KIV_DATA; --', NULL)"}).status, 0);
    EXPECT_EQ(album({"sql", "INSERT INTO NOWHERE VALUES (1)"}).status, 1);

    auto found = album({"find", "CITY=O'Brien"});
    ASSERT_EQ(found.status, 0) << found.err;
    const std::string lower = dbtest::onPostgres() ? "data_id,file_name,city,도시\n" : "DATA_ID,FILE_NAME,CITY,도시\n";
    EXPECT_EQ(found.out, lower + "1,a.png,O'Brien,서울\n");
    found = album({"find", "city=x'; DROP TABLE KIV_DATA; --"});
    EXPECT_EQ(found.out, lower + "3,c.png,x'; DROP TABLE KIV_DATA; --,\n");
    found = album({"find", "CITY=S%", "DATA_ID>=2"});
    EXPECT_EQ(found.out, lower + "2,\"b,\"\"c\"\".png\",Seoul,\n");
    found = album({"find", "--or", "DATA_ID=1", "DATA_ID=3"});
    EXPECT_NE(found.out.find("\n3,"), std::string::npos);
    EXPECT_NE(found.out.find("\n1,"), std::string::npos);
    found = album({"find", "도시=서울"});
    EXPECT_NE(found.out.find("\n1,"), std::string::npos) << found.out;
    EXPECT_EQ(album({"find", "CITY=nobody"}).out, lower);
    EXPECT_EQ(album({"find", "NOPE=1"}).status, 1);
    EXPECT_EQ(album({"find", "CITY"}).status, 1);

    ASSERT_EQ(album({"add-group", "Summer", "/photos/Summer"}).status, 0);
    ASSERT_EQ(album({"add-group", "Autumn", "/photos/Autumn"}).status, 0);
    const auto groups = album({"groups"});
    ASSERT_EQ(groups.status, 0);
    EXPECT_EQ(groups.out.rfind("Autumn\t/photos/Autumn\t", 0), 0u) << groups.out;
    EXPECT_NE(groups.out.find("\nSummer\t/photos/Summer\t"), std::string::npos);
    EXPECT_EQ(album({"frobnicate"}).status, 2) << "a usage error";
}

TEST_F(AlbumCli, JsonGivesFieldsGroupsAndOneRecordALine)
{
    ASSERT_EQ(album({"init"}).status, 0);
    ASSERT_EQ(album({"add-field", "CITY", "40"}).status, 0);
    ASSERT_EQ(album({"sql", "INSERT INTO KIV_DATA VALUES (1, 'a.png', 'O''Brien')"}).status, 0);
    const std::string chr = dbtest::onPostgres() ? "CHR" : "CHAR";
    ASSERT_EQ(
        album({"sql", "INSERT INTO KIV_DATA VALUES (2, 'b,\"c\".png', 'line' || " + chr + "(10) || 'two')"}).status, 0);
    ASSERT_EQ(album({"add-group", "Summer", "/photos/Summer"}).status, 0);

    const auto fields = album({"fields", "--json"});
    ASSERT_EQ(fields.status, 0) << fields.err;
    const QJsonArray columns = QJsonDocument::fromJson(QByteArray::fromStdString(fields.out)).array();
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns.at(2)[u"size"].toInt(), 40);
    EXPECT_TRUE(columns.at(2)[u"name"].toString().compare(u"CITY", Qt::CaseInsensitive) == 0);

    const auto found = album({"find", "--json", "DATA_ID>=1"});
    ASSERT_EQ(found.status, 0) << found.err;
    const auto lines = QByteArray::fromStdString(found.out).split('\n');
    ASSERT_EQ(lines.size(), 3) << found.out;
    EXPECT_TRUE(lines.at(2).isEmpty());
    const QJsonObject second = QJsonDocument::fromJson(lines.at(1)).object();
    const QString file = dbtest::onPostgres() ? "file_name" : "FILE_NAME";
    const QString city = dbtest::onPostgres() ? "city" : "CITY";
    EXPECT_EQ(second[file].toString(), "b,\"c\".png");
    EXPECT_EQ(second[city].toString(), "line\ntwo");

    const auto groups = album({"groups", "--json"});
    ASSERT_EQ(groups.status, 0);
    const QJsonArray list = QJsonDocument::fromJson(QByteArray::fromStdString(groups.out)).array();
    ASSERT_EQ(list.size(), 1) << groups.out;
    EXPECT_EQ(list.at(0)[u"name"].toString(), "Summer");
    EXPECT_EQ(list.at(0)[u"path"].toString(), "/photos/Summer");
    EXPECT_FALSE(list.at(0)[u"last_access"].toString().isEmpty());
}

TEST_F(AlbumCli, StoredTextNeverSendsEscapesToTheTerminal)
{
    ASSERT_EQ(album({"init"}).status, 0);
    ASSERT_EQ(album({"add-field", "CITY", "40"}).status, 0);
    const std::string chr = dbtest::onPostgres() ? "CHR" : "CHAR";
    ASSERT_EQ(album({"sql",
                        "INSERT INTO KIV_GROUPS (GROUP_NAME, GROUP_PATH) VALUES ('A' || " + chr
                            + "(27) || '[2J', '/x' || " + chr + "(10) || 'y')"})
                  .status,
        0);
    ASSERT_EQ(album({"sql",
                        "INSERT INTO KIV_DATA VALUES (1, 'a' || " + chr + "(27) || ']0;x' || " + chr + "(7), 'two' || "
                            + chr + "(10) || 'lines')"})
                  .status,
        0);
    const auto groups = album({"groups"});
    ASSERT_EQ(groups.status, 0) << groups.err;
    EXPECT_EQ(groups.out.rfind("A\\x1b[2J\t/x\\x0ay\t", 0), 0u) << groups.out;
    EXPECT_EQ(groups.out.find('\x1b'), std::string::npos);
    // CSV keeps the bytes and quotes a line break, as dbf dump --csv does.
    const auto found = album({"find", "DATA_ID=1"});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find(",\"two\nlines\"\n"), std::string::npos) << found.out;
}

TEST_F(AlbumCli, UnusableDatabasesFailWithAMessage)
{
    for (const std::string& db : {"sqlite:" + m_dir.file("none/x.db"), std::string("mysql://x/y"), std::string("")}) {
        const auto r = testsupport::runVandrel({"album", db, "init"}, m_dir.path());
        EXPECT_EQ(r.status, 1) << db;
        EXPECT_NE(r.err.find("vandrel:"), std::string::npos) << db;
    }
    EXPECT_EQ(testsupport::runVandrel({"album"}, m_dir.path()).status, 2);
    EXPECT_EQ(testsupport::runVandrel({"album", "--help"}, m_dir.path()).status, 0);
    if (dbtest::onPostgres()) {
        const auto r = testsupport::runVandrel({"album", dbtest::wrongPassword(), "groups"}, m_dir.path());
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("password"), std::string::npos) << r.err;
    }
}

} // namespace
