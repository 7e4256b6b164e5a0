// SPDX-License-Identifier: MIT
#include "controls/CKivListCtrl.h"
#include "platform/base/CStringArray.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>

#include <vector>

namespace {

// Exposes the protected parts a derived list uses.
struct List : CKivListCtrl {
    using CKivListCtrl::SetHeaderAlign;
    using CKivListCtrl::SetHeaderSort;
    int notifies = 0;
};

struct Parent : CWnd {
    int notifies = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
            ++notifies;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void rows(CKivListCtrl& list, const std::vector<std::vector<const char*>>& texts)
{
    for (const auto& row : texts) {
        const int r = list.InsertItem(list.GetItemCount(), row[0]);
        for (std::size_t c = 1; c < row.size(); ++c)
            list.SetItemText(r, static_cast<int>(c), row[c]);
    }
}

std::vector<CString> column(const CKivListCtrl& list, int c)
{
    std::vector<CString> out;
    for (int r = 0; r < list.GetItemCount(); ++r)
        out.push_back(list.GetItemText(r, c));
    return out;
}

int headerImage(CKivListCtrl& list, int c)
{
    return list.GetHeaderCtrl()->GetItemImage(c);
}

} // namespace

TEST(KivColumnList, AddsRecordsAndCopiesThem)
{
    KivColumnList columns;
    columns.add("Name", 'L', 100.5f);
    CStringArray names;
    names.Add("Size");
    names.Add("Date");
    columns.add(&names, 'R', 60);
    columns.add(static_cast<const char*>(nullptr), 'C', 10);
    ASSERT_EQ(columns.getCount(), 4);
    EXPECT_STREQ(columns.getAt(1)->name, "Size");
    EXPECT_EQ(columns.getAt(2)->align, 'R');
    EXPECT_FLOAT_EQ(columns.getAt(0)->width, 100.5f);
    EXPECT_STREQ(columns.getAt(3)->name, "");
    EXPECT_EQ(columns.getAt(4), nullptr);
    EXPECT_EQ(columns.getAt(-1), nullptr);
    const CString tooLong(300, 'x');
    columns.add(tooLong.c_str(), 'L', 1);
    EXPECT_EQ(std::strlen(columns.getAt(4)->name), 255u);

    KivColumnList copy(columns);
    copy.getAt(0)->width = 5;
    EXPECT_FLOAT_EQ(columns.getAt(0)->width, 100.5f) << "records of its own";
    KivColumnList assigned;
    assigned = copy;
    EXPECT_EQ(assigned.getCount(), 5);
    EXPECT_NE(assigned.getAt(0), copy.getAt(0));
}

TEST(CKivListCtrl, HeaderFromColumnsWithAlignmentAndStretchingLastColumn)
{
    Parent parent;
    List list;
    list.Create(LVS_REPORT, CRect(0, 0, 400, 200), &parent, 5);
    rows(list, {{"old"}});
    KivColumnList columns;
    columns.add("Name", 'L', 100);
    columns.add("Size", 'R', 100);
    columns.add("Kind", 'C', 50);
    EXPECT_EQ(list.SetHeader(&columns, 1), 1);
    EXPECT_EQ(list.GetItemCount(), 0) << "rows go with the old columns";
    ASSERT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumnWidth(0), 100);
    EXPECT_EQ(list.GetColumnWidth(1), 100);
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_GT(scrollBar, 0);
    EXPECT_EQ(list.GetColumnWidth(2), 50 + (400 - scrollBar - 250));
    HDITEM item {HDI_FORMAT | HDI_TEXT, 0, {}, 0, -1};
    list.GetHeaderCtrl()->GetItem(1, &item);
    EXPECT_EQ(item.text, "Size");
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    list.GetHeaderCtrl()->GetItem(2, &item);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_CENTER);

    // Without fill, or when the columns are wider than the window, widths stay.
    EXPECT_EQ(list.SetHeader(&columns, 0), 1);
    EXPECT_EQ(list.GetColumnWidth(2), 50);
    KivColumnList wide;
    wide.add("A", 'X', 300);
    wide.add("B", 'L', 200);
    list.SetHeader(&wide, 1);
    EXPECT_EQ(list.GetColumnWidth(1), 200);
    list.GetHeaderCtrl()->GetItem(0, &item);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_LEFT) << "an unknown letter is left";
    EXPECT_EQ(CKivListCtrl::SetHeader(nullptr, &columns, 1), 0);
    EXPECT_EQ(list.SetHeader(nullptr, 1), 1);
    EXPECT_EQ(list.GetColumnCount(), 0);
}

TEST(CKivListCtrl, TextSortTogglesDirectionAndMovesTheArrow)
{
    List list;
    KivColumnList columns;
    columns.add("Id", 'L', 40);
    columns.add("Name", 'L', 100);
    list.SetHeader(&columns, 0);
    rows(list, {{"1", "banana"}, {"2", "Apple"}, {"3", "cherry"}, {"4", "apple"}});
    list.Sort(1, CKivListCtrl::kSortText, 1);
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"2", "4", "1", "3"})) << "case-insensitive, ties in order";
    EXPECT_EQ(list.GetSortDir(), 0);
    EXPECT_EQ(headerImage(list, 1), 0) << "the ascending arrow, icon 2016";
    EXPECT_EQ(headerImage(list, 0), -1);
    list.Sort(1, CKivListCtrl::kSortText, 1);
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"3", "1", "2", "4"}));
    EXPECT_EQ(list.GetSortDir(), 1);
    EXPECT_EQ(headerImage(list, 1), 1) << "the descending arrow, icon 2017";
    list.Sort(1, CKivListCtrl::kSortText, 0);
    EXPECT_EQ(list.GetSortDir(), 1) << "no toggle keeps the direction";
    list.Sort(0, CKivListCtrl::kSortLong, 1);
    EXPECT_EQ(list.GetSortDir(), 1) << "a new column keeps it as well";
    EXPECT_EQ(headerImage(list, 1), -1) << "only the sorted column has the arrow";
    EXPECT_EQ(headerImage(list, 0), 1);
    EXPECT_EQ(list.GetSortColumn(), 0);
    list.Sort(-1, CKivListCtrl::kSortText, 1);
    EXPECT_EQ(list.GetSortColumn(), 0) << "no column, no sort";
    for (int r = 0; r < list.GetItemCount(); ++r)
        EXPECT_EQ(list.GetItemData(r), 0) << "keys are gone after the sort";
    EXPECT_EQ(list.GetSortImages().GetImageCount(), 2);
    EXPECT_EQ(list.GetSortImages().GetImage(0).size(), QSize(8, 16));
}

TEST(CKivListCtrl, NumbersSortAsNumbersAndMixedTextsDeterministically)
{
    List list;
    KivColumnList columns;
    columns.add("Size", 'R', 60);
    list.SetHeader(&columns, 0);
    rows(list, {{"10"}, {"9"}, {"-3"}, {"abc"}, {"9"}, {"12kb"}, {""}});
    list.Sort(0, CKivListCtrl::kSortLong, 0);
    // Texts read as atoi does: "abc" and "" are 0, "12kb" is 12.
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"-3", "abc", "", "9", "9", "10", "12kb"}));
    list.Sort(0, CKivListCtrl::kSortShort, 0);
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"-3", "abc", "", "9", "9", "10", "12kb"}));
    list.Sort(0, CKivListCtrl::kSortText, 0);
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"", "-3", "10", "12kb", "9", "9", "abc"})) << "as text 10 < 9";
    list.Sort(0, 99, 0); // an unknown kind leaves the order
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"", "-3", "10", "12kb", "9", "9", "abc"}));
}

TEST(CKivListCtrl, DatesSortByTimeWithInvalidDatesFirst)
{
    List list;
    KivColumnList columns;
    columns.add("Date", 'L', 120);
    columns.add("Id", 'L', 20);
    list.SetHeader(&columns, 0);
    rows(list,
        {{"2024-03-01 10:00:00", "a"}, {"not a date", "b"}, {"1999-12-31", "c"}, {"2024-03-01 09:59:59", "d"},
            {"2024-02-30", "e"}, {"", "f"}});
    list.Sort(0, CKivListCtrl::kSortDate, 0);
    EXPECT_EQ(column(list, 1), (std::vector<CString> {"b", "e", "f", "c", "d", "a"}));
    list.Sort(0, CKivListCtrl::kSortDate, 1);
    EXPECT_EQ(column(list, 1), (std::vector<CString> {"a", "d", "c", "b", "e", "f"}));
    double days = 0;
    ASSERT_TRUE(CKivListCtrl::ParseDate("1900-01-01 12:00:00", &days));
    EXPECT_DOUBLE_EQ(days, 2.5);
    ASSERT_TRUE(CKivListCtrl::ParseDate(" 1899-12-30T06:00 ", &days));
    EXPECT_DOUBLE_EQ(days, 0.25);
    EXPECT_TRUE(CKivListCtrl::ParseDate("1899-12-29", &days));
    EXPECT_DOUBLE_EQ(days, -1.0);
    for (const char* bad : {"2024-03-01 25:00", "2024-13-01", "2024-02-30 10:00", "2024-3-1x", "-"})
        EXPECT_FALSE(CKivListCtrl::ParseDate(bad, &days)) << bad;
}

TEST(CKivListCtrl, SelectionHelpers)
{
    Parent parent;
    List list;
    list.Create(LVS_REPORT, CRect(0, 0, 300, 200), &parent, 5);
    KivColumnList columns;
    columns.add("Name", 'L', 100);
    columns.add("Size", 'R', 60);
    list.SetHeader(&columns, 0);
    rows(list, {{"A", "1"}, {"B", "2"}, {"C", "3"}});
    CStringArray out;
    out.Add("stale");
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.GetSelectArray(0, &out), 0);
    EXPECT_EQ(out.GetSize(), 0);
    EXPECT_EQ(list.GetSelectString(0, ","), "");
    EXPECT_EQ(list.SetCurSel(2), 1);
    EXPECT_EQ(list.SetCurSel(0), 1);
    EXPECT_EQ(list.SetCurSel(3), 0);
    EXPECT_EQ(list.SetCurSel(-1), 0);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), LVIS_SELECTED) << "others stay selected";
    EXPECT_EQ(list.GetItemState(0, LVIS_FOCUSED), LVIS_FOCUSED);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(CKivListCtrl::GetCurSel(nullptr), -1);
    EXPECT_EQ(list.GetSelectString(0, ", "), "A, C");
    EXPECT_EQ(list.GetSelectArray(1, &out), 1);
    ASSERT_EQ(out.GetSize(), 2);
    EXPECT_EQ(out.GetAt(1), "3");
    EXPECT_EQ(list.GetSelectArray(1, nullptr), 0);

    // Selection goes with its rows through a sort.
    list.Sort(0, CKivListCtrl::kSortText, 0);
    list.Sort(0, CKivListCtrl::kSortText, 1);
    EXPECT_EQ(list.GetSelectString(0, ","), "C,A");

    CRect second;
    ASSERT_TRUE(list.GetItemRect(1, &second, LVIR_BOUNDS));
    EXPECT_EQ(list.FindItem(CPoint(second.left + 5, second.top + 2)), 1);
    EXPECT_EQ(list.FindItem(CPoint(5, 199)), -1);
}

TEST(CKivListCtrl, HeadingClicksAreConsumed)
{
    Parent parent;
    List list;
    list.Create(LVS_REPORT, CRect(0, 0, 300, 200), &parent, 5);
    KivColumnList columns;
    columns.add("Name", 'L', 100);
    list.SetHeader(&columns, 0);
    emit list.widget()->header()->sectionClicked(0);
    EXPECT_EQ(parent.notifies, 0);
    CListCtrl plain;
    plain.Create(LVS_REPORT, CRect(0, 0, 300, 200), &parent, 6);
    plain.InsertColumn(0, "Name");
    emit plain.widget()->header()->sectionClicked(0);
    EXPECT_EQ(parent.notifies, 1) << "a plain list tells its parent";
}

TEST(CKivListCtrl, ShowDirectoryListsMatchingEntries)
{
    QTemporaryDir dir(QDir::tempPath() + "/list[x]*XXXXXX");
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.sld", "b.SLD", "c.txt"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub.sld"));
    List list;
    rows(list, {{"old"}});
    const CString path = dir.path().toStdString();
    EXPECT_EQ(CKivListCtrl::ShowDirectory(&list, path.c_str(), "*.sld", 1), 1);
    std::vector<CString> names = column(list, 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<CString> {"a.sld", "sub.sld"}));
    EXPECT_EQ(CKivListCtrl::ShowDirectory(&list, (path + "/").c_str(), "*.txt", 0), 1);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(CKivListCtrl::ShowDirectory(&list, path.c_str(), "*.none", 1), 0);
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(CKivListCtrl, HeaderAlignRewritesEveryFormat)
{
    List list;
    KivColumnList columns;
    columns.add("Name", 'L', 100);
    columns.add("Size", 'R', 60);
    list.SetHeader(&columns, 0);
    EXPECT_EQ(list.SetHeaderAlign(HDF_CENTER | HDF_STRING), 1);
    HDITEM item {HDI_FORMAT | HDI_TEXT | HDI_WIDTH, 0, {}, 0, -1};
    list.GetHeaderCtrl()->GetItem(1, &item);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
    EXPECT_EQ(item.text, "Size");
    EXPECT_EQ(item.cxy, 60);
}

// The list as a person sees it, kept beside the build as report-list.png: the
// sorted heading carries the arrow, the others none.
TEST(CKivListCtrl, GrabbedListShowsTheArrowOnTheSortedHeading)
{
    Parent parent;
    parent.resize(320, 160);
    List list;
    list.Create(LVS_REPORT, CRect(0, 0, 320, 160), &parent, 5);
    KivColumnList columns;
    columns.add("Name", 'L', 120);
    columns.add("Size", 'R', 80);
    columns.add("Date", 'L', 100);
    list.SetHeader(&columns, 1);
    rows(list,
        {{"HOUSE.SLD", "2048", "2024-03-01 10:00"}, {"WHEEL.SLD", "512", "2023-11-20 08:30"},
            {"axle.sld", "12288", "2025-01-05 17:45"}});
    list.Sort(1, CKivListCtrl::kSortLong, 1);
    list.Sort(1, CKivListCtrl::kSortLong, 1);
    EXPECT_EQ(column(list, 0), (std::vector<CString> {"axle.sld", "HOUSE.SLD", "WHEEL.SLD"}));
    parent.show();
    const QImage shot = parent.grab().toImage();
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/report-list.png"));
    const int headerHeight = list.widget()->header()->height();
    auto darkIn = [&](int left, int right) {
        int n = 0;
        for (int y = 0; y < headerHeight; ++y)
            for (int x = left; x < right; ++x)
                n += qGray(shot.pixel(x, y)) < 100;
        return n;
    };
    // The Size heading holds its text and the arrow; Name holds only its text.
    EXPECT_GT(darkIn(120, 200), 0);
    const QImage arrow = list.GetSortImages().GetImage(1);
    int arrowPixels = 0;
    for (int y = 0; y < arrow.height(); ++y)
        for (int x = 0; x < arrow.width(); ++x)
            arrowPixels += qAlpha(arrow.pixel(x, y)) > 0;
    EXPECT_GT(arrowPixels, 8) << "an outlined triangle";
}
