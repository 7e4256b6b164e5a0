// SPDX-License-Identifier: MIT
// Field lists: copies, lookups, type names and the condition text.
#include "database/KivFieldList.h"
#include "database/KivDatabase.h"

#include "controls/CKivListCtrl.h"
#include "platform/widgets/CListBox.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

KivFieldInfo field(const char* name, int type, const char* value = "", int op = 0)
{
    KivFieldInfo f;
    f.name = name;
    f.title = std::string("T_") + name;
    f.type = type;
    f.value = value;
    f.op = op;
    return f;
}

class FieldList : public ::testing::Test {
protected:
    ~FieldList() override { m_list.removeData(); }
    CString expr(const char* base = "") { return m_list.getFindExpr(base, 0); }
    KivFieldList m_list;
};

TEST_F(FieldList, CopiesAndLookups)
{
    KivFieldInfo city = field("City", 200);
    city.values.Add("Seoul");
    m_list.addField(&city);
    m_list.addField(nullptr);
    city.values.Add("Busan");
    EXPECT_EQ(m_list.getCount(), 1);
    EXPECT_EQ(m_list.getAt(0)->values.GetSize(), 1) << "the entry is a copy";
    EXPECT_EQ(m_list.findName("CITY"), 0);
    EXPECT_EQ(m_list.findName("town"), -1);
    EXPECT_EQ(m_list.getAt(5), nullptr);
    EXPECT_EQ(m_list.getDesc(3), "");

    KivFieldList other;
    other.clone(&m_list);
    other.clone(&m_list);
    ASSERT_EQ(other.getCount(), 1);
    EXPECT_NE(other.getAt(0), m_list.getAt(0));
    EXPECT_EQ(other.getAt(0)->values.GetAt(0), "Seoul");
    other.removeData();
}

TEST_F(FieldList, TypeNamesAndNumbers)
{
    EXPECT_EQ(KivFieldList::getType(2), "숫자");
    EXPECT_EQ(KivFieldList::getType(72), "숫자");
    EXPECT_EQ(KivFieldList::getType(6), "통화");
    EXPECT_EQ(KivFieldList::getType(200), "문자열");
    EXPECT_EQ(KivFieldList::getType(3), "");
    EXPECT_EQ(KivFieldList::isNumber(72), 0);
    EXPECT_EQ(KivFieldList::isNumber(6), 1);
    EXPECT_EQ(KivFieldList::isNumber(3), 0);
    EXPECT_EQ(KivFieldList::getType("정수"), 2);
    EXPECT_EQ(KivFieldList::getType("실수"), 4);
    EXPECT_EQ(KivFieldList::getType("날짜/시간"), 7);
    EXPECT_EQ(KivFieldList::getType("정수 "), 200);
    EXPECT_EQ(KivFieldList::getType(nullptr), 200);
}

TEST_F(FieldList, ConditionParts)
{
    EXPECT_EQ(expr(), "");
    EXPECT_EQ(expr("B = 1"), "B = 1");

    auto one = [this](KivFieldInfo f) {
        m_list.removeData();
        m_list.addField(&f);
        return expr();
    };
    EXPECT_EQ(one(field("city", 200, "Seoul")), "(CITY LIKE 'Seoul')");
    EXPECT_EQ(one(field("city", 200)), "(CITY IS NULL OR CITY = '')");
    EXPECT_EQ(one(field("price", 5, "10", 5)), "(PRICE >= 10)");
    EXPECT_EQ(one(field("qty", 2)), "(QTY IS NULL)");
    EXPECT_EQ(one(field("qty", 2, "", 1)), "(QTY IS NOT NULL)");
    EXPECT_EQ(one(field("day", 7, "2005-11-26")), "(DAY = '2005-11-26')");
    EXPECT_EQ(one(field("done", 11, "ignored")), "(DONE)");
    EXPECT_EQ(one(field("id", 3, "5", 3)), "(ID > '5')");
    EXPECT_EQ(one(field("price", 5, "1 OR 1=1")), "(PRICE = '1 OR 1=1')") << "a number that is none is a literal";
    EXPECT_EQ(one(field("city", 200, "x'); DROP TABLE KIV_DATA; --")), "(CITY LIKE 'x''); DROP TABLE KIV_DATA; --')");
    EXPECT_EQ(one(field("bad name", 200, "x")), "(1 = 0)");
    KivFieldInfo negated = field("bad name", 200, "x");
    negated.notFlag = 1;
    EXPECT_EQ(one(negated), "(1 = 0)") << "a refused name never turns into match-all";
}

TEST_F(FieldList, ConditionsJoinInOrder)
{
    KivFieldInfo a = field("city", 200, "S%");
    a.orFlag = 1; // the first joins nothing
    KivFieldInfo b = field("price", 5, "3", 2);
    b.orFlag = 1;
    b.notFlag = 1;
    KivFieldInfo c = field("도시", 200, "서울");
    m_list.addField(&a);
    m_list.addField(&b);
    m_list.addField(&c);
    EXPECT_EQ(expr(), "(CITY LIKE 'S%') OR NOT (PRICE < 3) AND (도시 LIKE '서울')");
    EXPECT_EQ(expr("ID > 0"), "(ID > 0) AND ((CITY LIKE 'S%') OR NOT (PRICE < 3) AND (도시 LIKE '서울'))");
    EXPECT_EQ(m_list.getFindExpr("", 1), "(T_city LIKE 'S%') OR NOT (T_price < 3) AND (T_도시 LIKE '서울')");
    EXPECT_EQ(KivFieldList::addFindExpr("a", "b", 1), "(a) OR (b)");
    EXPECT_EQ(KivFieldList::addFindExpr("", "b", 1), "b");
}

TEST_F(FieldList, ListsShowColumnsAndConditions)
{
    KivFieldInfo a = field("city", 200, "Seoul");
    a.size = 50;
    a.desc = "where";
    KivFieldInfo b = field("price", 5, "3", 4);
    b.orFlag = 1;
    b.notFlag = 1;
    m_list.addField(&a);
    m_list.addField(&b);

    CKivListCtrl list;
    KivFieldList::showListLabel(&list);
    EXPECT_EQ(list.GetColumnCount(), 5);
    m_list.showFieldList(&list);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 2), "문자열");
    EXPECT_EQ(list.GetItemText(0, 3), "50");
    EXPECT_EQ(list.GetItemText(0, 4), "where");

    KivFieldList::showFindLabel(&list);
    m_list.showFindList(&list);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), "");
    EXPECT_EQ(list.GetItemText(1, 0), "OR");
    EXPECT_EQ(list.GetItemText(1, 1), "NOT");
    EXPECT_EQ(list.GetItemText(1, 2), "T_price");
    EXPECT_EQ(list.GetItemText(1, 3), "<=");

    m_list.showFieldLabel(&list);
    EXPECT_EQ(list.GetColumnCount(), 2);
    CListBox box;
    m_list.showFieldList(&box);
    EXPECT_EQ(box.widget()->count(), 2);
    m_list.showFieldList(static_cast<CListBox*>(nullptr));
}

// Dates and times as the tables store them.
COleDateTime at(int y, int m, int d, int hh, int mm, int ss)
{
    const double days = QDate(1899, 12, 30).daysTo(QDate(y, m, d));
    return COleDateTime(days + (hh * 3600 + mm * 60 + ss) / 86400.0);
}

TEST(DateTimeTexts, TwelveHourClockWithMarkers)
{
    KivDatabase db;
    COleDateTime t = at(2005, 11, 26, 0, 5, 9);
    EXPECT_EQ(db.GetTime(&t, 1), "오전 00:05:09");
    t = at(2005, 11, 26, 12, 0, 0);
    EXPECT_EQ(db.GetTime(&t, 1), "오후 12:00:00");
    t = at(2005, 11, 26, 13, 30, 0);
    EXPECT_EQ(db.GetTime(&t, 1), "오후 01:30:00");
    EXPECT_EQ(db.GetTime(&t, 0), "13:30:00");
    EXPECT_EQ(db.GetMonth(&t), "2005-11-01");
    EXPECT_EQ(db.GetDate(&t), "2005-11-26");
    EXPECT_EQ(db.GetDateTime(&t, 0), "2005-11-26 13:30:00");
    EXPECT_EQ(db.GetDate(nullptr), "");
    COleDateTime invalid(static_cast<std::time_t>(-400000000000LL));
    EXPECT_EQ(db.GetTime(&invalid, 1), "");
    EXPECT_EQ(db.GetDateTime(nullptr, 0), " ");
}

} // namespace
