// SPDX-License-Identifier: MIT
// The connection-string forms: what each names, and texts that name nothing.
#include "database/ConnectString_p.h"
#include "database/KivDatabase.h"
#include "database/SqlDialect_p.h"

#include <gtest/gtest.h>

using kivado::ConnectTarget;
using kivado::parseConnectString;
using Engine = ConnectTarget::Engine;

TEST(ConnectString, SqliteFormsNameTheFile)
{
    auto t = parseConnectString("sqlite:/data/album.db");
    EXPECT_EQ(t.engine, Engine::SQLite);
    EXPECT_EQ(t.database, "/data/album.db");
    EXPECT_FALSE(t.mustExist);
    t = parseConnectString("  SQLite::memory:  ");
    EXPECT_EQ(t.engine, Engine::SQLite);
    EXPECT_EQ(t.database, ":memory:");
    EXPECT_EQ(parseConnectString("sqlite:").engine, Engine::None);
}

TEST(ConnectString, UrlDecodesEveryPart)
{
    const auto t = parseConnectString(
        "postgresql://ann%40corp:p%3Aw%26d@%2Ftmp%2Fpg:5433/al%20bum?connect_timeout=3&sslmode=disable");
    ASSERT_EQ(t.engine, Engine::PostgreSQL) << t.error;
    EXPECT_EQ(t.user, "ann@corp");
    EXPECT_EQ(t.password, "p:w&d");
    EXPECT_EQ(t.host, "/tmp/pg");
    EXPECT_EQ(t.port, 5433);
    EXPECT_EQ(t.database, "al bum");
    ASSERT_EQ(t.options.size(), 2u);
    EXPECT_EQ(t.options[0], std::make_pair(std::string("connect_timeout"), std::string("3")));

    const auto v6 = parseConnectString("postgres://[::1]:6000/db");
    EXPECT_EQ(v6.host, "::1");
    EXPECT_EQ(v6.port, 6000);
    EXPECT_EQ(parseConnectString("postgresql://h:99999/db").engine, Engine::None);
    EXPECT_EQ(parseConnectString("postgresql://h/db?x=%zz").engine, Engine::None);
    EXPECT_EQ(parseConnectString("postgresql://a,b/db").engine, Engine::None);
    EXPECT_EQ(parseConnectString("postgresql://h/db?Bad-Key=1").engine, Engine::None);
}

TEST(ConnectString, KeyValueFormReadsQuotedValues)
{
    const auto t = parseConnectString("host = /run/pg port=5432 dbname='my album' user=ann password='it\\'s'");
    ASSERT_EQ(t.engine, Engine::PostgreSQL) << t.error;
    EXPECT_EQ(t.host, "/run/pg");
    EXPECT_EQ(t.database, "my album");
    EXPECT_EQ(t.password, "it's");
    EXPECT_EQ(parseConnectString("host=x dbname='open").engine, Engine::None);
    EXPECT_EQ(parseConnectString("host").engine, Engine::None);
}

TEST(ConnectString, BuildersOfTheLibraryAreAccepted)
{
    auto t = parseConnectString(KivDatabase::GetConnectOdbc("PostgreSQL Unicode", "db.local", "album", "ann", "pw"));
    ASSERT_EQ(t.engine, Engine::PostgreSQL) << t.error;
    EXPECT_EQ(t.host, "db.local");
    EXPECT_EQ(t.database, "album");
    EXPECT_EQ(t.user, "ann");
    EXPECT_EQ(t.password, "pw");

    t = parseConnectString(KivDatabase::GetConnectOdbc("SQLite3 ODBC Driver", "", "/data/a.db", "", ""));
    EXPECT_EQ(t.engine, Engine::SQLite);
    EXPECT_EQ(t.database, "/data/a.db");
    EXPECT_TRUE(t.mustExist);

    t = parseConnectString(KivDatabase::GetConnectJet("/data/album.mdb", ""));
    EXPECT_EQ(t.engine, Engine::SQLite);
    EXPECT_EQ(t.database, "/data/album.mdb");
    EXPECT_TRUE(t.mustExist);

    t = parseConnectString(KivDatabase::GetConnectSQLServer("srv", "db", "u", "p"));
    EXPECT_EQ(t.engine, Engine::None);
    EXPECT_NE(t.error.find("neither PostgreSQL nor SQLite"), std::string::npos);
}

TEST(ConnectString, BuildersInsertTheirArgumentsUnchanged)
{
    EXPECT_EQ(KivDatabase::GetConnectOdbc("D", "S", "B", "U", "P"), "Driver={D};Server=S;Database=B;Uid=U;Pwd=P");
    EXPECT_EQ(
        KivDatabase::GetConnectSQLServer("S", "B", "U", "P"), "Driver={SQL Server};Server=S;Database=B;Uid=U;Pwd=P");
    EXPECT_EQ(
        KivDatabase::GetConnectJet("a.mdb", "x"), "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;Password=x");
}

TEST(ConnectString, NothingUsableIsRefusedWithAReason)
{
    for (const char* text : {"", "   ", "album.db", "mysql://h/db", "Driver={Oracle};Server=x",
             "Provider=SQLOLEDB;Data Source=x", "Driver={PostgreSQL;Server=x", "host=a\x01 dbname=b"}) {
        const auto t = parseConnectString(text);
        EXPECT_EQ(t.engine, Engine::None) << text;
        EXPECT_FALSE(t.error.empty()) << text;
    }
    EXPECT_EQ(parseConnectString(std::string(5000, 'a')).engine, Engine::None);
}

TEST(SqlDialect, NamesAreIdentifiersOnly)
{
    using kivado::SqlDialect;
    for (const char* ok : {"KIV_DATA", "_x", "a1", "도시", "Straße"})
        EXPECT_TRUE(SqlDialect::isName(ok)) << ok;
    for (const char* bad : {"", "1a", "a b", "x;DROP", "a-b", "\"q\"", "a'b", "\xff\xfe", "a)--"})
        EXPECT_FALSE(SqlDialect::isName(bad)) << bad;
    EXPECT_FALSE(SqlDialect::isName(nullptr));
    EXPECT_FALSE(SqlDialect::isName(std::string(64, 'a').c_str()));
    EXPECT_EQ(SqlDialect::literal("O'Brien"), "'O''Brien'");
    EXPECT_EQ(SqlDialect::literal(nullptr), "''");
    EXPECT_EQ(SqlDialect::columnType("TEXT", 50), "VARCHAR(50)");
    EXPECT_EQ(SqlDialect::columnType("text", 0), "TEXT");
    EXPECT_EQ(SqlDialect::columnType("INTEGER", 10), "INTEGER");
    EXPECT_EQ(SqlDialect::columnType("TEXT); DROP TABLE x; --", 5), "");
    for (const char* n : {"10", "-1.5", "+2e10", ".5"})
        EXPECT_TRUE(SqlDialect::isNumber(n)) << n;
    for (const char* n : {"", "1e", "1 OR 1=1", "0x10", "-"})
        EXPECT_FALSE(SqlDialect::isNumber(n)) << n;
}
