// SPDX-License-Identifier: MIT
// The application tables on the executable's engine: the shared table
// operations, albums, groups, saved finds and templates.
#include "DbTestEngine.h"

#include "database/KivAlbumData.h"
#include "database/KivGroupData.h"
#include "database/KivTemplateData.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"

namespace {

class AppData : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        for (KivAppData* data : std::initializer_list<KivAppData*> {&m_album, &m_groups, &m_templates})
            data->SetConnectStr(m_connect.c_str());
        ASSERT_EQ(m_album.CreateTables("DATA_ID INTEGER, FILE_NAME VARCHAR(255)", "FIND_TEXT"), 1)
            << KivDatabase::GetLastError();
    }

    int run(const char* sql)
    {
        KivDatabase db;
        return db.Open(m_connect.c_str(), nullptr, nullptr) && db.Execute(sql);
    }

    CStringArray column(const char* sql, const char* field)
    {
        CStringArray out;
        KivDatabase::GetRecordArray(m_album.CreateRecord(sql, 1), field, &out, 1);
        return out;
    }

    KivAlbumData m_album;
    KivGroupData m_groups;
    KivTemplateData m_templates;
};

TEST_F(AppData, SortSettingFlipsOnTheSameColumn)
{
    ASSERT_TRUE(run("INSERT INTO KIV_GROUPS VALUES ('a', '/2', '2005-01-01 00:00:00', '2005-01-01 00:00:00')"));
    ASSERT_TRUE(run("INSERT INTO KIV_GROUPS VALUES ('b', '/1', '2006-01-01 00:00:00', '2004-01-01 00:00:00')"));
    const auto first = [this] { return KivDatabase::GetValue(m_groups.GetGroupRec(nullptr, nullptr), "GROUP_NAME"); };
    m_groups.SetSort("GROUP_NAME", 0);
    EXPECT_EQ(first(), "a");
    m_groups.SetSort("group_name");
    EXPECT_EQ(first(), "b") << "the same column again: descending";
    m_groups.SetSort("GROUP_PATH");
    EXPECT_EQ(first(), "a") << "another column keeps the direction";
    EXPECT_EQ(m_groups.GetSortField(), 1);
    m_groups.SetSortField(2);
    EXPECT_EQ(first(), "b");
    m_groups.SetSortField(3);
    EXPECT_EQ(first(), "a");
    m_groups.SetSortField(9);
    EXPECT_EQ(m_groups.GetSortField(), 3);
    m_groups.SetSort("GROUP_NAME; DROP TABLE KIV_GROUPS", 0);
    EXPECT_EQ(m_groups.GetSortField(), -1);
    EXPECT_EQ(m_groups.GetGroupRec(nullptr, nullptr), nullptr) << "a sort column that is no name is refused";
    m_groups.SetSort("", 0);
    EXPECT_EQ(first(), KivDatabase::GetValue(m_groups.GetGroupRec("a", "/2"), "GROUP_NAME"));
}

TEST_F(AppData, NextCodeAndValues)
{
    EXPECT_EQ(m_album.GetNextCode("aa_code_division", "code"), 0) << "empty table";
    EXPECT_EQ(m_album.GetNextCode("no_such_table", "code"), 1);
    EXPECT_EQ(m_album.GetNextCode("aa_code_division", "code; DROP TABLE KIV_DATA"), 1);
    ASSERT_TRUE(run("INSERT INTO aa_code_division VALUES ('7', 'Seoul', '10')"));
    ASSERT_TRUE(run("INSERT INTO aa_code_division VALUES ('12', 'Busan', '10')"));
    EXPECT_EQ(m_album.GetNextCode("aa_code_division", "code"), 13);
    EXPECT_EQ(m_album.GetTableValue("aa_code_division", "code_name"), "Seoul");
    EXPECT_EQ(m_album.GetTableValue("KIV_HELP", "FIELD_NAME"), "");

    EXPECT_EQ(m_album.IsExist("aa_code_division", "code_name", "Busan"), 1);
    EXPECT_EQ(m_album.IsExist("aa_code_division", "code_name", "Busan", "", "whatever"), 1);
    EXPECT_EQ(m_album.IsExist("aa_code_division", "code_name", "Busan", "c_div", "11"), 0);
    EXPECT_EQ(m_album.IsExist("aa_code_division", "code_name", "x' OR '1'='1"), 0);
    EXPECT_EQ(m_album.IsExist("aa_code_division WHERE 1=1 --", "code", "7"), 0);

    CComboBox combo;
    m_album.ShowRecord(&combo, "aa_code_division", "code_name");
    EXPECT_EQ(combo.widget()->count(), 2);
    m_album.ShowRecord(&combo, "KIV_HELP", "FIELD_NAME");
    EXPECT_EQ(combo.widget()->count(), 2) << "an empty table leaves the combo box";
}

TEST_F(AppData, FieldListFollowsTheTable)
{
    KivFieldList fields;
    ASSERT_EQ(m_album.GetFieldList("KIV_DATA", &fields), 1) << "columns of an empty table";
    ASSERT_EQ(fields.getCount(), 2);
    EXPECT_EQ(fields.getAt(0)->type, 3);
    EXPECT_EQ(fields.getAt(1)->type, 200);
    EXPECT_EQ(fields.getAt(1)->size, 255);
    fields.removeData();

    EXPECT_EQ(m_album.AppendField("CITY", "TEXT", 40), 1) << KivDatabase::GetLastError();
    EXPECT_EQ(m_album.AppendField("CITY", "TEXT", 40), 0) << "the database refuses a second CITY";
    EXPECT_EQ(m_album.AppendField("x INT, y", "TEXT", 4), 0);
    EXPECT_EQ(m_album.AppendField("Z", "TEXT(4); DROP TABLE KIV_DATA", 4), 0);
    EXPECT_EQ(m_album.AppendField("", "TEXT", 4), 0);
    EXPECT_EQ(m_album.DeleteField("NOPE"), 0);

    ASSERT_TRUE(run("INSERT INTO KIV_HELP VALUES ('city', 'City', 'where it was taken')"));
    ASSERT_TRUE(run("INSERT INTO KIV_HELP VALUES ('gone', 'Gone', 'no column')"));
    ASSERT_TRUE(run("CREATE TABLE CITY (FIELD_VALUE VARCHAR(40))"));
    ASSERT_TRUE(run("INSERT INTO CITY VALUES ('Seoul')"));
    ASSERT_EQ(m_album.Load(&fields), 1);
    ASSERT_EQ(fields.getCount(), 3);
    const KivFieldInfo* city = fields.getAt(2);
    EXPECT_EQ(city->title, "City");
    EXPECT_EQ(city->desc, "where it was taken");
    EXPECT_EQ(city->size, 40);
    EXPECT_EQ(city->values.GetSize(), 1);
    fields.removeData();

    // Wanted: the two leading columns absent (their places are never
    // added), CITY gone, two new ones.
    KivFieldList wanted;
    KivFieldInfo info;
    for (const char* name : {"SKIPPED_A", "SKIPPED_B", "TITLE", "PLACE"}) {
        info.name = name;
        info.size = 30;
        wanted.addField(&info);
    }
    m_album.UpdateFieldList(&wanted, 2);
    m_album.GetFieldList("KIV_DATA", &fields);
    ASSERT_EQ(fields.getCount(), 4);
    EXPECT_EQ(fields.findName("DATA_ID"), 0);
    EXPECT_EQ(fields.findName("FILE_NAME"), 1);
    EXPECT_EQ(fields.findName("CITY"), -1);
    EXPECT_GE(fields.findName("PLACE"), 2);
    fields.removeData();
    wanted.removeData();

    CStringArray names;
    names.Add("TITLE");
    names.Add("MOOD");
    m_album.UpdateFieldList(&names, 2);
    m_album.GetFieldList("KIV_DATA", &fields);
    EXPECT_EQ(fields.getCount(), 4);
    EXPECT_GE(fields.findName("MOOD"), 2);
    EXPECT_EQ(fields.findName("PLACE"), -1);
    EXPECT_EQ(fields.getAt(fields.findName("MOOD"))->size, 50);
    fields.removeData();
}

TEST_F(AppData, ValuesTwiceAndFindsStoredAsTyped)
{
    ASSERT_EQ(m_album.AppendField("CITY", "TEXT", 60), 1);
    ASSERT_TRUE(run("CREATE TABLE CITY (FIELD_VALUE VARCHAR(40))"));
    ASSERT_TRUE(run("INSERT INTO CITY VALUES ('Seoul')"));
    KivFieldList fields;
    m_album.Load(&fields);
    const int city = fields.findName("CITY");
    ASSERT_GE(city, 0);
    m_album.Load(&fields);
    EXPECT_EQ(fields.getCount(), 6) << "the list is not emptied";
    fields.removeData();

    for (const char* city : {"O'Brien", "x'; DROP TABLE KIV_DATA; --", "Seoul", "Seongnam", "서울"}) {
        const std::string sql = "INSERT INTO KIV_DATA (DATA_ID, CITY) VALUES (1, " + std::string("'") +
            [](std::string s) {
                std::string out;
                for (char c : s)
                    out += c == '\'' ? std::string("''") : std::string(1, c);
                return out;
            }(city)
            + "')";
        ASSERT_TRUE(run(sql.c_str())) << sql;
    }
    KivFieldInfo cond;
    cond.name = "city";
    cond.type = 200;
    KivFieldList find;
    for (const auto& [value, count] : std::initializer_list<std::pair<const char*, int>> {
             {"O'Brien", 1}, {"x'; DROP TABLE KIV_DATA; --", 1}, {"Se%", 2}, {"서울", 1}, {"nobody", 0}}) {
        cond.value = value;
        find.removeData();
        find.addField(&cond);
        const CString sql = "SELECT * FROM KIV_DATA WHERE " + find.getFindExpr("", 0);
        EXPECT_EQ(KivDatabase::GetRecordCount(m_album.CreateRecord(sql.c_str(), 1)), count) << sql;
    }
    find.removeData();
    EXPECT_EQ(m_album.IsExist("KIV_DATA", "CITY", "x'; DROP TABLE KIV_DATA; --"), 1);
}

TEST_F(AppData, GroupsKeepTheirDatesAndOrder)
{
    EXPECT_EQ(m_groups.SetAccessDate("Summer", "/photos/Summer", 0), 0);
    EXPECT_EQ(m_groups.GetGroupRec(nullptr, nullptr), nullptr);
    EXPECT_EQ(m_groups.SetAccessDate("Summer", "/photos/Summer", 1), 1);
    const _RecordsetPtr rs = m_groups.GetGroupRec("Summer", "/photos/Summer");
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(KivDatabase::GetValue(rs, "CREATE_DATE"), KivDatabase::GetValue(rs, "ACCESS_DATE"));
    EXPECT_EQ(KivDatabase::GetValue(rs, "CREATE_DATE").size(), 19u);
    EXPECT_EQ(m_groups.SetAccessDate("Summer", "/photos/Summer", 0), 1);
    EXPECT_EQ(m_groups.SetAccessDate("", "/x", 1), 0);

    EXPECT_EQ(m_groups.AppendGroup("Autumn", "/photos/Autumn"), 1);
    EXPECT_EQ(m_groups.AppendGroup("O'Neil's", "/photos/it's"), 1);
    m_groups.SetSortField(1);
    EXPECT_EQ(m_groups.FindGroup("autumn", "/PHOTOS/AUTUMN"), 0);
    EXPECT_EQ(m_groups.FindGroup("O'Neil's", "/photos/it's"), 2) << "capitals sort first";
    EXPECT_EQ(m_groups.FindGroup("none", "/x"), -1);
    EXPECT_EQ(m_groups.GetGroupPath(1), "/photos/Summer");
    EXPECT_EQ(m_groups.GetGroupPath(3), "");
    EXPECT_EQ(m_groups.GetGroupPath(-1), "");

    CStringArray names;
    m_groups.SetSortField(3);
    EXPECT_EQ(m_groups.GetGroupList(&names), 1);
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names.GetAt(0), "Summer") << "by name, in the direction set before";
    EXPECT_EQ(names.GetAt(2), "Autumn");
    EXPECT_EQ(m_groups.GetSortField(), -1) << "left unsorted";
    CListBox box;
    m_groups.ShowGroupRecord(&box);
    EXPECT_EQ(box.widget()->count(), 3);
    CComboBox combo;
    m_groups.ShowGroupRecord(&combo);
    EXPECT_EQ(combo.widget()->count(), 3);

    EXPECT_EQ(m_groups.DeleteGroup("O'Neil's", "/photos/it's"), 1);
    EXPECT_EQ(m_groups.FindGroup("O'Neil's", "/photos/it's"), -1);

    EXPECT_EQ(m_groups.AddFind("FIND_TEXT", "city LIKE 'S%'"), 1);
    EXPECT_EQ(m_groups.AddFind("FIND_TEXT", "city LIKE 'S%'"), 1);
    EXPECT_EQ(m_groups.AddFind("FIND_TEXT", ""), 0);
    EXPECT_EQ(column("SELECT * FROM KIV_FINDS", "FIND_TEXT").GetSize(), 1);
}

TEST_F(AppData, WritesReportRejectedStatements)
{
    ASSERT_TRUE(run("DROP TABLE KIV_GROUPS"));
    EXPECT_EQ(m_groups.AppendGroup("a", "b"), 0);
    EXPECT_EQ(m_groups.DeleteGroup("a", "b"), 0);
    EXPECT_EQ(m_templates.DeleteTemplate("x"), 1);
    KivGroupData unopened;
    unopened.SetConnectStr("sqlite:/nonexistent-folder/x.db");
    EXPECT_EQ(unopened.AppendGroup("a", "b"), 0);
}

TEST_F(AppData, TemplatesByName)
{
    EXPECT_EQ(m_templates.AppendTemplate("b.dwt", "Second"), 1);
    EXPECT_EQ(m_templates.AppendTemplate("a.dwt", std::string(300, 'd').c_str()), 1);
    char desc[KivTemplateData::kDescSize];
    EXPECT_EQ(m_templates.GetTemplateDesc("b.dwt", desc), 1);
    EXPECT_STREQ(desc, "Second");
    EXPECT_EQ(m_templates.GetTemplateDesc("a.dwt", desc), 1);
    EXPECT_EQ(std::string(desc).size(), KivTemplateData::kDescSize - 1) << "cut to the buffer";
    EXPECT_EQ(m_templates.GetTemplateDesc("c.dwt", desc), 0);
    EXPECT_STREQ(desc, "");
    CComboBox combo;
    m_templates.ShowTemplateList(&combo);
    ASSERT_EQ(combo.widget()->count(), 2);
    EXPECT_EQ(combo.GetLBText(0), "a.dwt");
    EXPECT_EQ(m_templates.DeleteTemplate("a.dwt"), 1);
    m_templates.ShowTemplateList(&combo);
    EXPECT_EQ(combo.widget()->count(), 1);
}

TEST(KivGroupData, SplitGroupPath)
{
    CString name, folder;
    EXPECT_EQ(KivGroupData::SplitGroupPath("C:\\Photos\\Summer.grp", name, folder), 1);
    EXPECT_EQ(name, "Summer");
    EXPECT_EQ(folder, "C:\\Photos\\Summer");
    KivGroupData::SplitGroupPath("/home/ann/trip.v1.grp", name, folder);
    EXPECT_EQ(name, "trip.v1");
    EXPECT_EQ(folder, "/home/ann/trip.v1");
    KivGroupData::SplitGroupPath("plain", name, folder);
    EXPECT_EQ(name, "plain");
    EXPECT_EQ(folder, "plain");
    KivGroupData::SplitGroupPath(nullptr, name, folder);
    EXPECT_EQ(folder, "");
}

} // namespace
