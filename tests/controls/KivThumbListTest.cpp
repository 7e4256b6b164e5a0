// SPDX-License-Identifier: MIT
#include "controls/KivThumbList.h"
#include "controls/CKivThumbCtrl.h"
#include "controls/KivIconList.h"
#include "platform/base/COleDateTime.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A list of items made by hand: file, size, type and date as given.
struct Items {
    KivThumbList list;
    ~Items() { list.removeData(); }

    void add(const char* file, int size = 0, const char* type = "", const char* date = "", const char* data = "")
    {
        auto* item = new KivThumbItem;
        CopyBounded(item->file, sizeof item->file, file);
        CopyBounded(item->type, sizeof item->type, type);
        CopyBounded(item->date, sizeof item->date, date);
        CopyBounded(item->data, sizeof item->data, data);
        item->size = size;
        list.addTail(item);
    }
    std::string order(bool withData = false) const
    {
        std::string out;
        for (int i = 0; i < list.getCount(); ++i)
            out += std::string(withData ? list.getAt(i)->data : list.getAt(i)->file) + " ";
        return out;
    }
    std::string flags() const
    {
        std::string out;
        for (int i = 0; i < list.getCount(); ++i)
            out += std::to_string(list.getAt(i)->selected);
        return out;
    }
};

void setTime(const fs::path& file, int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    const sys_days d = year_month_day(std::chrono::year(year), std::chrono::month(month), std::chrono::day(day));
    const auto t = d + hours(hour) + minutes(minute) + seconds(second);
    fs::last_write_time(file, file_clock::from_sys(t));
}

} // namespace

TEST(KivThumbList, SingleSelectionMovesAndRepeatsChangeNothing)
{
    Items items;
    for (const char* f : {"a", "b", "c", "d"})
        items.add(f);
    KivThumbList& l = items.list;
    EXPECT_EQ(l.getSelect(), -1);
    EXPECT_EQ(l.getData(), nullptr);
    l.setSelect(1, 1);
    l.setSelect(2, 1);
    EXPECT_EQ(items.flags(), "0010");
    EXPECT_EQ(l.lastSelected, 2);
    // The same index again changes nothing, even with its flag cleared.
    l.setSelectAll(0);
    l.setSelect(2, 1);
    EXPECT_EQ(items.flags(), "0000");
    l.setSelect(3, 0);
    EXPECT_EQ(l.lastSelected, 2);
    l.setSelect(99, 1); // out of range: clears the last one, selects nothing
    EXPECT_EQ(l.getSelect(), -1);
    l.multiSelect = 1;
    l.setSelect(0, 1);
    l.setSelect(3, 1);
    EXPECT_EQ(items.flags(), "1001");
    l.setSelectAll(-1);
    EXPECT_EQ(items.flags(), "0110");
    l.setSelectAll(7);
    EXPECT_EQ(l.getAt(0)->selected, 7);
}

TEST(KivThumbList, DataIsFoundExactly)
{
    Items items;
    items.add("x(a)", 0, "", "", "DOOR");
    items.add("x(b)", 0, "", "", "door");
    EXPECT_EQ(items.list.findData("door"), 1);
    EXPECT_EQ(items.list.findData("DOOR"), 0);
    EXPECT_EQ(items.list.findData("Door"), -1);
    items.list.setSelect(1, 1);
    EXPECT_STREQ(items.list.getData(), "door");
    EXPECT_EQ(items.list.getAt(2), nullptr);
    EXPECT_EQ(items.list.getAt(-1), nullptr);
}

TEST(KivThumbList, SortsBySizeTypeAndPathBothWays)
{
    Items items;
    items.add("b", 10, "Slide");
    items.add("c", 5, "drawing");
    items.add("a", 10, "slide");
    items.list.sort(1, 0);
    EXPECT_EQ(items.order(), "c a b ");
    items.list.sort(1, 1);
    EXPECT_EQ(items.order(), "b a c ");
    items.list.sort(2, 0); // types ignore case; equal types go by path
    EXPECT_EQ(items.order(), "c a b ");
    items.list.sort(0, 1);
    EXPECT_EQ(items.order(), "c b a ");
    items.list.sort(9, 0); // an unknown key sorts by path
    EXPECT_EQ(items.order(), "a b c ");
    EXPECT_EQ(KivThumbList::sortItem(nullptr, items.list.getAt(0), 0, 0), 0);
}

TEST(KivThumbList, PathsCompareIgnoringCaseAndEqualItemsKeepTheirOrder)
{
    Items items;
    items.add("B.SLD", 1, "", "", "1");
    items.add("a.sld", 1, "", "", "2");
    items.add("b.sld", 1, "", "", "3");
    items.add("A.SLD", 1, "", "", "4");
    items.list.sort(1, 0);
    EXPECT_EQ(items.order(true), "2 4 1 3 ");
}

TEST(KivThumbList, SortsByTimeNotByText)
{
    Items items;
    items.add("late", 0, "", "2000-01-01 00:00:00");
    items.add("early", 0, "", "999-12-31 23:59:59"); // text sorts after "2000"
    items.add("same2", 0, "", "1999-12-31 23:59:59");
    items.add("same1", 0, "", "1999-12-31 23:59:59");
    items.add("none", 0, "", "");
    items.list.sort(3, 0);
    EXPECT_EQ(items.order(), "none early same1 same2 late ");
    items.list.sort(3, 1);
    EXPECT_EQ(items.order(), "late same2 same1 early none ");
}

TEST(KivThumbList, DateTextRoundTripsThroughTheOleDate)
{
    for (const auto& [y, mo, d, h, mi, s] : std::vector<std::array<int, 6>> {
             {1999, 12, 31, 23, 59, 59}, {2000, 2, 29, 0, 0, 0}, {1899, 12, 29, 12, 30, 1}, {150, 1, 1, 0, 0, 0}}) {
        const COleDateTime t(y, mo, d, h, mi, s);
        ASSERT_TRUE(t.IsValid());
        COleDateTime back;
        ASSERT_TRUE(back.ParseDateTime(t.Format().c_str())) << t.Format();
        EXPECT_DOUBLE_EQ(back.m_dt, t.m_dt) << t.Format();
    }
    COleDateTime bad;
    for (const char* text : {"", "2000-13-01", "2000-01-01 25:00:00", "01/02/2000", "2000-01-01x", "Invalid DateTime"})
        EXPECT_FALSE(bad.ParseDateTime(text)) << text;
    EXPECT_FALSE(bad.ParseDateTime(nullptr));
}

TEST(KivThumbList, FileDatesSortByTimeAcrossALocaleChange)
{
    testsupport::TempDir dir;
    const char* names[] = {"n.sld", "m.sld", "o.sld", "p.sld"};
    for (const char* n : names)
        testsupport::writeText(dir.path() / n, n);
    setTime(dir.path() / "n.sld", 2021, 3, 1, 9, 0, 0);
    setTime(dir.path() / "m.sld", 2021, 3, 1, 10, 0, 0);
    setTime(dir.path() / "o.sld", 2020, 12, 31, 23, 59, 59);
    setTime(dir.path() / "p.sld", 2021, 3, 1, 9, 0, 0);

    const std::string before = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C.UTF-8");
    KivThumbList list;
    for (const char* n : names)
        list.addItem(dir.file(n).c_str(), nullptr, n);
    EXPECT_STREQ(list.getAt(1)->date, "2021-03-01 10:00:00"); // UTC as stored
    std::setlocale(LC_ALL, "POSIX");
    list.sort(3, 0);
    std::string order;
    for (int i = 0; i < list.getCount(); ++i)
        order += std::string(list.getAt(i)->data) + " ";
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(order, "o.sld n.sld p.sld m.sld ");
    list.removeData();
}

TEST(KivThumbList, FileInfoComesFromTheFileSystem)
{
    testsupport::TempDir dir;
    testsupport::writeText(dir.path() / "door.sld", "12345");
    KivThumbList list;
    list.addItem(dir.file("door.sld").c_str(), nullptr, "data");
    list.addItem(dir.file("gone.dwg").c_str(), "kept", nullptr);
    list.addItem(nullptr, nullptr, nullptr);
    ASSERT_EQ(list.getCount(), 3);
    const KivThumbItem* found = list.getAt(0);
    EXPECT_STREQ(found->label, "door.sld");
    EXPECT_STREQ(found->extension, ".SLD");
    EXPECT_EQ(found->size, 5);
    EXPECT_NE(found->date[0], '\0');
    EXPECT_STREQ(found->data, "data");
    const KivThumbItem* missing = list.getAt(1);
    EXPECT_STREQ(missing->label, "kept");
    EXPECT_STREQ(missing->extension, "");
    EXPECT_STREQ(missing->date, "");
    EXPECT_EQ(missing->size, 0);
    KivThumbItem unchanged;
    CopyBounded(unchanged.label, sizeof unchanged.label, "x");
    EXPECT_EQ(KivThumbList::setFileInfo(dir.file("gone.dwg").c_str(), &unchanged), 0);
    EXPECT_STREQ(unchanged.label, "x");
    list.removeData();
}

namespace {

class PlainCell : public CKivThumbCtrl {
public:
    PlainCell() : CKivThumbCtrl(0) { }
    void MakeControl() override { }
    int UpdateControl(int) override { return 1; }
};

} // namespace

TEST(KivIconList, RearrangesCellsOnTheGridAndDeletesThem)
{
    QWidget parent;
    parent.resize(400, 300);
    KivIconList cells;
    for (int i = 0; i < 5; ++i) {
        auto* cell = new PlainCell;
        cell->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1124 + i);
        cells.addTail(cell);
    }
    cells.rearrange(0, 100, 80); // ignored
    EXPECT_EQ(cells.getAt(4)->x(), 0);
    cells.rearrange(3, 100, 80);
    EXPECT_EQ(cells.getAt(4)->geometry(), QRect(100, 80, 100, 80));
    EXPECT_EQ(cells.getAt(2)->geometry(), QRect(200, 0, 100, 80));
    EXPECT_EQ(cells.getAt(5), nullptr);
    cells.clearIcon();
    EXPECT_EQ(cells.getCount(), 0);
    EXPECT_TRUE(parent.findChildren<PlainCell*>().isEmpty());
}
