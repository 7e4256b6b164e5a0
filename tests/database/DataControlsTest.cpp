// SPDX-License-Identifier: MIT
// The code-table combo box and the data list on the executable's engine.
#include "DbTestEngine.h"

#include "database/CKivDataCombo.h"
#include "database/CKivDataList.h"
#include "database/KivAlbumData.h"

namespace {

class DataControls : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        m_data.SetConnectStr(m_connect.c_str());
        ASSERT_EQ(m_data.CreateTables("DATA_ID INTEGER, FILE_NAME VARCHAR(255)", "FIND_TEXT"), 1);
        KivDatabase db;
        ASSERT_EQ(db.Open(m_connect.c_str(), nullptr, nullptr), 1);
        for (const char* row : {"('3', 'Seoul', '10')", "('7', 'Busan', '10')", "('12x', 'Daegu', '10')",
                 "('x', 'Incheon', '10')", "('1', 'Tokyo', '20')"})
            ASSERT_EQ(db.Execute((std::string("INSERT INTO aa_code_division VALUES ") + row).c_str()), 1);
        m_combo.m_appData = &m_data;
    }

    KivAlbumData m_data;
    CKivDataCombo m_combo;
};

TEST_F(DataControls, CodeTableByNameWithTheSelection)
{
    EXPECT_EQ(m_combo.ShowCodeTable("10", "seoul", ""), 1);
    ASSERT_EQ(m_combo.widget()->count(), 4);
    EXPECT_EQ(m_combo.GetLBText(0), "Busan");
    EXPECT_EQ(m_combo.GetLBText(3), "Seoul");
    EXPECT_EQ(m_combo.GetCurSel(), 3);
    EXPECT_EQ(m_combo.GetCurData(), 3u);
    EXPECT_EQ(m_combo.SetCurData(12), 1) << "leading digits of 12x";
    EXPECT_EQ(m_combo.GetLBText(m_combo.GetCurSel()), "Daegu");
    EXPECT_EQ(m_combo.SetCurData(99), -1);
    EXPECT_EQ(m_combo.GetCurSel(), 1) << "the selection stays";
    EXPECT_EQ(m_combo.SetCurData(0), 2) << "Incheon's code has no digits";

    EXPECT_EQ(m_combo.ShowCodeTable("10", "nowhere", " AND code_name <> 'Busan'"), 1);
    EXPECT_EQ(m_combo.widget()->count(), 7) << "a second fill appends";
    EXPECT_EQ(m_combo.GetCurSel(), 0) << "no match selects item 0";

    m_combo.ResetContent();
    EXPECT_EQ(m_combo.GetCurData(), 0u);
    EXPECT_EQ(m_combo.ShowCodeTable("10' OR '1'='1", "", ""), 0) << "the division is a value";
    EXPECT_EQ(m_combo.ShowRecord("aa_code_division; DROP TABLE KIV_DATA", "code_name", "code", "", ""), 0);
    CKivDataCombo unbound;
    EXPECT_EQ(unbound.ShowCodeTable("10", "", ""), 0);
}

TEST_F(DataControls, RecordsCarryValues)
{
    m_combo.AddCode("plain", 5);
    EXPECT_EQ(m_combo.ShowRecordPtr("aa_code_division", "code_name", "c_div", " ORDER BY code_name", "TOKYO"), 1);
    ASSERT_EQ(m_combo.widget()->count(), 6);
    EXPECT_STREQ(m_combo.GetCurDataPtr(), "20");
    EXPECT_EQ(m_combo.SetCurDataPtr("10"), 1) << "item 0 carries a code, not a record";
    EXPECT_EQ(m_combo.SetCurDataPtr("30"), -1);
    m_combo.SetCurSel(0);
    EXPECT_EQ(m_combo.GetCurDataPtr(), nullptr);
    EXPECT_EQ(m_combo.GetCurData(), 5u);
    EXPECT_EQ(m_combo.m_records.getCount(), 5);
    m_combo.ResetContent();
    m_combo.ShowRecordPtr("aa_code_division", "code_name", "", "", "");
    EXPECT_EQ(m_combo.m_records.getCount(), 0) << "no value field, no records";
}

TEST_F(DataControls, ListShowsChosenColumns)
{
    KivDatabase db;
    ASSERT_EQ(db.Open(m_connect.c_str(), nullptr, nullptr), 1);
    ASSERT_EQ(db.Execute("INSERT INTO KIV_DATA VALUES (2, 'b.png')"), 1);
    ASSERT_EQ(db.Execute("INSERT INTO KIV_DATA VALUES (1, 'a.png')"), 1);
    CKivDataList list;
    list.InsertColumn(0, "File");
    list.InsertColumn(1, "Id");
    list.m_appData = &m_data;
    KivParamList columns;
    EXPECT_EQ(list.ShowRecord(&columns, "SELECT * FROM KIV_DATA"), 1);
    EXPECT_EQ(list.GetItemCount(), 0) << "no columns, no rows";
    columns.addParam("file", "FILE_NAME");
    columns.addParam("id", "DATA_ID");
    list.SetSortColumn(0);
    EXPECT_EQ(list.ShowRecord(&columns, "SELECT * FROM KIV_DATA ORDER BY DATA_ID DESC"), 1);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), "a.png") << "sorted again by its column";
    EXPECT_EQ(list.GetItemText(0, 1), "1");
    EXPECT_EQ(list.ShowRecord(&columns, "SELECT * FROM KIV_DATA WHERE DATA_ID > 5"), 0);
    EXPECT_EQ(CKivDataList::ShowRecord(&list, nullptr, &columns, "SELECT 1"), 0);
    EXPECT_EQ(list.ShowRecord(&columns, "SELECT * FROM KIV_DATA"), 1);
    EXPECT_EQ(list.GetItemCount(), 4) << "rows are appended";
}

} // namespace
