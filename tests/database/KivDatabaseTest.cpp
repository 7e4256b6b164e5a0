// SPDX-License-Identifier: MIT
// Connections, statements and recordsets on the executable's engine.
#include "DbTestEngine.h"

#include "database/KivDatabase.h"
#include "database/KivRecordset.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"

#include <QDate>

#include <ctime>

namespace {

class Database : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_EQ(m_db.Open(m_connect.c_str(), nullptr, nullptr), 1) << KivDatabase::GetLastError();
        ASSERT_EQ(
            m_db.Execute("CREATE TABLE people (name VARCHAR(50), city VARCHAR(50), born VARCHAR(19), done BOOLEAN)"), 1)
            << KivDatabase::GetLastError();
    }

    void add(const char* name, const char* city)
    {
        const std::string sql = std::string("INSERT INTO people (name, city) VALUES ('") + name + "', '" + city + "')";
        ASSERT_EQ(m_db.Execute(sql.c_str()), 1) << KivDatabase::GetLastError();
    }

    _RecordsetPtr query(const char* sql, int readOnly = 1)
    {
        return KivDatabase::CreateRecord(sql, m_connect.c_str(), readOnly);
    }

    KivDatabase m_db;
};

TEST_F(Database, OpenRefusesEmptyAndUnknownStrings)
{
    KivDatabase db;
    EXPECT_EQ(db.Open("", nullptr, nullptr), 0);
    EXPECT_EQ(db.Open(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(db.Open("mysql://x/y", nullptr, nullptr), 0);
    EXPECT_EQ(db.Execute("SELECT 1"), 0) << "no connection";
    EXPECT_EQ(db.Close(), 0);
    EXPECT_EQ(m_db.Close(), 1);
    EXPECT_EQ(m_db.Execute("SELECT 1"), 0);
}

TEST_F(Database, RejectedStatementsAreFailures)
{
    EXPECT_EQ(m_db.Execute("INSERT INTO nowhere VALUES ('x')"), 0);
    EXPECT_FALSE(KivDatabase::GetLastError().empty());
    EXPECT_EQ(m_db.Execute("THIS IS NOT SQL"), 0);
    EXPECT_EQ(query("SELECT * FROM nowhere"), nullptr);
    EXPECT_EQ(query("SELECT * FROM nowhere", 0), nullptr);
    EXPECT_EQ(m_db.Execute("SELECT 1"), 1) << "the connection stays usable";
}

TEST_F(Database, ReadOnlyWithoutRowsIsNullEditableIsAtItsEnd)
{
    EXPECT_EQ(query("SELECT * FROM people"), nullptr);
    const _RecordsetPtr rs = query("SELECT * FROM people", 0);
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_EQ(rs->GetFieldCount(), 4);

    rs->AddNew();
    KivDatabase::SetValue(rs, "name", "O'Brien");
    KivDatabase::SetValue(rs, "city", "x'; DROP TABLE people; --");
    EXPECT_EQ(KivDatabase::Update(rs), 1) << KivDatabase::GetLastError();
    const _RecordsetPtr back = query("SELECT name, city FROM people");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(KivDatabase::GetValue(back, "name"), "O'Brien");
    EXPECT_EQ(KivDatabase::GetValue(back, 1L), "x'; DROP TABLE people; --");
}

TEST_F(Database, UpdateWritesTheCurrentRowOnly)
{
    add("Kim", "Seoul");
    add("Kim", "Seoul");
    add("Lee", "Busan");
    const _RecordsetPtr rs = query("SELECT * FROM people ORDER BY name", 0);
    ASSERT_NE(rs, nullptr);
    KivDatabase::SetValue(rs, "city", "Incheon");
    EXPECT_EQ(KivDatabase::GetValue(rs, "city"), "Incheon") << "the row shows what was set";
    EXPECT_EQ(KivDatabase::Update(rs), 1) << KivDatabase::GetLastError();
    rs->MoveNext();
    rs->MoveNext();
    KivDatabase::SetValue(rs, "city", nullptr);
    EXPECT_EQ(KivDatabase::Update(rs), 1) << KivDatabase::GetLastError();

    CStringArray cities;
    KivDatabase::GetRecordArray(query("SELECT city FROM people ORDER BY name, city"), "city", &cities, 1);
    ASSERT_EQ(cities.GetSize(), 3);
    EXPECT_EQ(cities.GetAt(0), "Incheon");
    EXPECT_EQ(cities.GetAt(1), "Seoul");
    EXPECT_EQ(cities.GetAt(2), "");

    const _RecordsetPtr readOnly = query("SELECT * FROM people");
    KivDatabase::SetValue(readOnly, "city", "x");
    EXPECT_EQ(KivDatabase::Update(readOnly), 0);
    KivDatabase::SetValue(rs, "nosuchfield", "x");
    EXPECT_NE(KivDatabase::GetLastError().find("nosuchfield"), std::string::npos);
}

TEST_F(Database, ValuesReadAsText)
{
    ASSERT_EQ(m_db.Execute("INSERT INTO people VALUES (NULL, 'Seoul', NULL, TRUE)"), 1) << KivDatabase::GetLastError();
    ASSERT_EQ(m_db.Execute("INSERT INTO people VALUES ('b', NULL, NULL, FALSE)"), 1);
    const _RecordsetPtr rs = query("SELECT * FROM people ORDER BY city");
    ASSERT_NE(rs, nullptr);
    // NULLs sort first on SQLite and last on PostgreSQL: find the rows.
    for (; !rs->IsEOF(); rs->MoveNext()) {
        if (KivDatabase::GetValue(rs, "city") == "Seoul") {
            EXPECT_EQ(KivDatabase::GetValue(rs, "name"), "");
            EXPECT_EQ(KivDatabase::GetValue(rs, "done"), "1");
        } else {
            EXPECT_EQ(KivDatabase::GetValue(rs, "city"), "");
            EXPECT_EQ(KivDatabase::GetValue(rs, "DONE"), "0") << "names ignore case";
        }
    }
    EXPECT_EQ(KivDatabase::GetValue(rs, "name"), "") << "past the end";
    EXPECT_EQ(KivDatabase::GetValue(nullptr, "name"), "");
    EXPECT_EQ(KivDatabase::GetValue(rs, 99L), "");
}

TEST_F(Database, GetTimeOfNullOrNoDateIsNow)
{
    ASSERT_EQ(m_db.Execute("INSERT INTO people (name, born) VALUES ('a', '2005-11-26 13:30:00')"), 1);
    ASSERT_EQ(m_db.Execute("INSERT INTO people (name, born) VALUES ('b', NULL)"), 1);
    ASSERT_EQ(m_db.Execute("INSERT INTO people (name, born) VALUES ('c', 'soon')"), 1);
    const _RecordsetPtr rs = query("SELECT * FROM people ORDER BY name");
    ASSERT_NE(rs, nullptr);
    std::tm tm {};
    tm.tm_year = 105;
    tm.tm_mon = 10;
    tm.tm_mday = 26;
    tm.tm_hour = 13;
    tm.tm_min = 30;
    tm.tm_isdst = -1;
    EXPECT_EQ(KivDatabase::GetTime(rs, "born"), std::mktime(&tm));
    for (int i = 0; i < 2; ++i) {
        rs->MoveNext();
        const std::time_t before = std::time(nullptr);
        const std::time_t t = KivDatabase::GetTime(rs, "born");
        EXPECT_GE(t, before);
        EXPECT_LE(t, std::time(nullptr));
    }
}

TEST_F(Database, WalkersCountCollectAndFill)
{
    for (const char* name : {"a", "b", "c"})
        add(name, "x");
    const _RecordsetPtr rs = query("SELECT name FROM people ORDER BY name");
    EXPECT_EQ(KivDatabase::GetRecordCount(rs), 3);
    EXPECT_EQ(KivDatabase::GetValue(rs, "name"), "a") << "the count leaves the first row current";
    EXPECT_EQ(KivDatabase::GetRecordCount(nullptr), 0);

    CStringArray names;
    names.Add("kept");
    EXPECT_EQ(KivDatabase::GetRecordArray(rs, "name", &names, 2), 1);
    EXPECT_EQ(names.GetSize(), 4) << "clear 2 appends";
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_EQ(KivDatabase::GetRecordArray(rs, "name", &names, 1), 1);
    EXPECT_EQ(names.GetSize(), 3) << "a walk begins at the first row again";
    EXPECT_EQ(KivDatabase::GetRecordArray(nullptr, "name", &names, 1), 0);
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_EQ(KivDatabase::GetRecordArray(rs, "name", nullptr, 1), 0);

    CComboBox combo;
    combo.AddString("old");
    KivDatabase::ShowRecord(&combo, rs, "name");
    EXPECT_EQ(combo.widget()->count(), 3);
    EXPECT_EQ(combo.GetLBText(2), "c");
    CListBox list;
    KivDatabase::ShowRecord(&list, rs, "name");
    EXPECT_EQ(list.widget()->count(), 3);
    KivDatabase::ShowRecord(&list, nullptr, "name");
    EXPECT_EQ(list.widget()->count(), 0);
}

TEST_F(Database, WalkersLetErrorsThrough)
{
    add("a", "x");
    const _RecordsetPtr rs = query("SELECT * FROM people");
    ASSERT_NE(rs, nullptr);
    rs->Close();
    EXPECT_THROW(KivDatabase::GetRecordCount(rs), KivDbError);
    CStringArray out;
    EXPECT_THROW(KivDatabase::GetRecordArray(rs, "name", &out, 1), KivDbError);
    EXPECT_THROW(rs->Close(), KivDbError);
    EXPECT_EQ(KivDatabase::GetValue(rs, "name"), "") << "the readers absorb it";
}

TEST_F(Database, CountOfManyRowsMatchesTheWalk)
{
    ASSERT_EQ(m_db.Execute("CREATE TABLE n (v INTEGER)"), 1);
    for (int i = 0; i < 250; ++i)
        ASSERT_EQ(m_db.Execute(("INSERT INTO n VALUES (" + std::to_string(i) + ")").c_str()), 1);
    const _RecordsetPtr rs = query("SELECT v FROM n WHERE v >= 50 ORDER BY v;");
    EXPECT_EQ(KivDatabase::GetRecordCount(rs), 200);
    long walked = 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        ++walked;
    EXPECT_EQ(walked, 200);
    const _RecordsetPtr grouped = query("SELECT v FROM n UNION SELECT v + 1000 FROM n");
    EXPECT_EQ(KivDatabase::GetRecordCount(grouped), 500);
}

TEST_F(Database, TextThatIsNoUtf8NeverCrashes)
{
    // The bytes reach the engine as replacement characters, or are refused;
    // either way a result and no crash.
    const int stored = m_db.Execute("INSERT INTO people (name) VALUES ('\xff\xfe\x80')");
    const _RecordsetPtr rs = query("SELECT name FROM people");
    if (stored) {
        ASSERT_NE(rs, nullptr);
        EXPECT_FALSE(KivDatabase::GetValue(rs, "name").empty());
    }
}

TEST_F(Database, KivRecordsetHoldsAnUnopenedRecordset)
{
    KivRecordset holder;
    ASSERT_NE(holder.m_recordset, nullptr);
    EXPECT_FALSE(holder.m_recordset->IsOpen());
    const KivRecordset copy = holder;
    EXPECT_EQ(copy.m_recordset, holder.m_recordset);
    holder.m_recordset->Open("SELECT * FROM people", m_connect.c_str(), 0);
    EXPECT_TRUE(copy.m_recordset->IsOpen());
}

TEST_F(Database, TestHrRaisesFailureCodes)
{
    EXPECT_EQ(KivDatabase::TESTHR(0), 1);
    EXPECT_EQ(KivDatabase::TESTHR(1), 1);
    EXPECT_THROW(KivDatabase::TESTHR(-2147467259L), KivDbError);
}

} // namespace
