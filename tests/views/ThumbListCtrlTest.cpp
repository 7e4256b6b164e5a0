// SPDX-License-Identifier: MIT
#include "ThumbTestSupport.h"

#include "core/CKivStringArray.h"

#include "platform/widgets/CScrollBar.h"
#include "support/SlideWriter.h"
#include "views/CKivSlideThumbListCtrl.h"
#include "views/CKivThumbFileCtrl.h"
#include "views/CKivThumbViewCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QCoreApplication>
#include <QTest>
#include <QWheelEvent>

using namespace testsupport;
using namespace thumbtest;

namespace {

constexpr UINT kListId = 1006;

// Runs the loop until what was posted, and what that posted, has arrived.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A browser of count items (files that need not exist) on a cols × rows
// grid in a client of w × h.
struct Browser {
    Parent parent;
    CKivSlideThumbListCtrl list;

    Browser(int count, int cols, int rows, int w = 300, int h = 200)
    {
        parent.resize(w + 40, h + 40);
        list.Create(WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 10 + w, 10 + h), &parent, kListId);
        for (int i = 0; i < count; ++i)
            list.AddItem(StringFormat("/nowhere/f%02d.sld", i).c_str(), nullptr, StringFormat("%d", i).c_str());
        list.MakeThumb(cols, rows);
        list.ViewThumb(0);
        parent.show();
        QCoreApplication::processEvents();
    }
    std::string selected() const
    {
        std::string out;
        for (int i = 0; i < list.GetThumbList()->getCount(); ++i)
            if (list.GetThumbList()->getAt(i)->selected)
                out += std::to_string(i) + " ";
        return out;
    }
    void click(int cell, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(list.GetCell(cell), Qt::LeftButton, keys, QPoint(20, 20));
        settle();
    }
    void wheel(int delta)
    {
        QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&list, &e);
    }
};

} // namespace

TEST(CKivThumbListCtrl, PagesScrollAndClampByWholeRows)
{
    Browser b(10, 3, 2);
    EXPECT_EQ(b.list.GetTotalRows(), 4);
    EXPECT_EQ(b.list.GetPages(), 2);
    EXPECT_EQ(b.list.GetCellsPerPage(), 6);
    EXPECT_TRUE(b.list.GetScrollBar()->isVisible());
    CWnd prev(&b.parent), next(&b.parent);
    b.list.SetNavButton(&prev, &next);

    QTest::keyClick(&b.list, Qt::Key_PageDown);
    EXPECT_EQ(b.list.GetTopRow(), 2);
    EXPECT_STREQ(b.list.GetCell(0)->GetFile(), "/nowhere/f06.sld");
    EXPECT_FALSE(b.list.GetCell(4)->isVisible()) << "no item 10";
    EXPECT_TRUE(prev.isEnabled());
    EXPECT_FALSE(next.isEnabled());
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyPageDown);
    EXPECT_EQ(b.list.GetTopRow(), 2);
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyHome);
    EXPECT_EQ(b.list.GetTopRow(), 0);
    EXPECT_FALSE(prev.isEnabled());
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyEnd);
    EXPECT_EQ(b.list.GetTopRow(), 2);
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyUp);
    EXPECT_EQ(b.list.GetTopRow(), 1);
    b.list.DoKeyDown(0x25); // Left: nothing
    EXPECT_EQ(b.list.GetTopRow(), 1);
    b.wheel(120);
    EXPECT_EQ(b.list.GetTopRow(), 0);
    b.wheel(-120);
    EXPECT_EQ(b.list.GetTopRow(), 2);
    b.list.PagePrev();
    EXPECT_EQ(b.list.GetTopRow(), 0);
    b.list.PageNext();
    EXPECT_EQ(b.list.GetTopRow(), 2);
    EXPECT_EQ(b.list.GetScrollBar()->GetScrollPos(), 2);

    // The scroll bar's own messages scroll; another bar's do not.
    const auto own = reinterpret_cast<LPARAM>(static_cast<QWidget*>(b.list.GetScrollBar()));
    ::SendMessage(&b.list, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), own);
    EXPECT_EQ(b.list.GetTopRow(), 0);
    ::SendMessage(&b.list, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), own);
    EXPECT_EQ(b.list.GetTopRow(), 1);
    CScrollBar other;
    ::SendMessage(
        &b.list, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(static_cast<QWidget*>(&other)));
    EXPECT_EQ(b.list.GetTopRow(), 1);
    ::SendMessage(&b.list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), own);
    EXPECT_EQ(b.list.GetTopRow(), 2);
}

TEST(CKivThumbListCtrl, NothingScrollsWhenEverythingFits)
{
    Browser b(4, 3, 2);
    EXPECT_FALSE(b.list.GetScrollBar()->isVisible());
    EXPECT_FALSE(b.list.GetScrollBar()->isEnabled());
    EXPECT_EQ(b.list.IsScrollShown(), 0);
    b.wheel(-120);
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyPageDown);
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyEnd);
    b.list.DoKeyDown(CKivThumbListCtrl::kKeyDown);
    EXPECT_EQ(b.list.GetTopRow(), 0);
    EXPECT_FALSE(b.list.GetCell(5)->isVisible());

    Browser empty(0, 3, 2);
    empty.list.DoKeyDown(CKivThumbListCtrl::kKeyPageDown);
    EXPECT_EQ(empty.list.GetTopRow(), 0);
    EXPECT_EQ(empty.list.GetCurSel(), -1);
}

TEST(CKivThumbListCtrl, CellsSitInTheirGridRectangles)
{
    Browser b(6, 3, 2);
    CRect r;
    b.list.GetThumbRect(0, 300, 200, &r);
    EXPECT_EQ(r, CRect(4, 4, 95, 95));
    b.list.GetThumbRect(4, 300, 200, &r);
    EXPECT_EQ(r, CRect(104, 104, 195, 195));
    EXPECT_EQ(b.list.GetCell(4)->geometry(), QRect(104, 104, 91, 91));
    EXPECT_EQ(b.list.GetCell(4)->GetDlgCtrlID(), 1128);
    // A wider window stretches the cells of the grid.
    b.list.resize(600, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.list.GetCell(4)->geometry(), QRect(204, 104, 191, 91));
}

TEST(CKivThumbListCtrl, FixedSizeCellsFollowTheWindow)
{
    Parent parent;
    CKivSlideThumbListCtrl list(1);
    list.SetImageSize(100, 80);
    list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 350, 250), &parent, kListId);
    parent.resize(600, 300);
    parent.show();
    for (int i = 0; i < 40; ++i)
        list.AddItem(StringFormat("/nowhere/%d.dwg", i).c_str(), nullptr, nullptr);
    list.MakeThumb(1, 1);
    EXPECT_EQ(list.GetCols(), 3);
    EXPECT_EQ(list.GetRows(), 3);
    EXPECT_EQ(list.GetCellsPerPage(), 12) << "one more row, partly visible";
    list.resize(520, 250);
    QCoreApplication::processEvents();
    EXPECT_EQ(list.GetCols(), 5) << "(520 - 16) / 100 with the bar shown";
    EXPECT_EQ(list.GetCellsPerPage(), 20);
}

TEST(CKivThumbListCtrl, ClicksSelectByTheirKeysAndNotifyTheParent)
{
    Browser b(12, 5, 2);
    b.click(2);
    EXPECT_EQ(b.selected(), "2 ");
    ASSERT_EQ(b.parent.got.size(), 1u);
    EXPECT_EQ(LOWORD(b.parent.got[0].wParam), kListId);
    EXPECT_EQ(HIWORD(b.parent.got[0].wParam), 0);
    EXPECT_EQ(b.parent.got[0].lParam, reinterpret_cast<LPARAM>(static_cast<QWidget*>(&b.list)));
    EXPECT_EQ(b.list.GetCell(2)->GetInvert(), 1);

    b.click(7, Qt::ShiftModifier);
    EXPECT_EQ(b.selected(), "2 3 4 5 6 7 ");
    EXPECT_EQ(b.list.GetCell(5)->GetInvert(), 1);
    b.click(4, Qt::ControlModifier);
    EXPECT_EQ(b.selected(), "2 3 5 6 7 ");
    EXPECT_EQ(b.list.GetCell(4)->GetInvert(), 0);
    b.click(4, Qt::ControlModifier);
    EXPECT_EQ(b.selected(), "2 3 4 5 6 7 ");

    // Nothing selected before 7, but 9 after it: 7 to 9.
    b.list.SetSelectAll(0);
    b.list.SetSelected(9, 1);
    b.click(7, Qt::ShiftModifier);
    EXPECT_EQ(b.selected(), "7 8 9 ");
    b.click(1);
    EXPECT_EQ(b.selected(), "1 ");
    EXPECT_EQ(b.list.GetCell(8)->GetInvert(), 0);
    EXPECT_EQ(b.parent.got.size(), 6u);
}

TEST(CKivThumbListCtrl, AClickPastTheLastItemClearsTheSelectionAndStillNotifies)
{
    Browser b(10, 3, 2);
    b.list.SetSelected(1, 1);
    b.list.PageNext(); // items 6 to 9; cells 4 and 5 empty
    ::PostMessage(&b.list, WM_COMMAND, MAKEWPARAM(1124 + 5, 0), 0);
    ::PostMessage(&b.list, WM_COMMAND, MAKEWPARAM(1124 + 99, 0), 0); // no such cell: ignored
    settle();
    EXPECT_EQ(b.selected(), "");
    ASSERT_EQ(b.parent.got.size(), 1u);
    EXPECT_EQ(HIWORD(b.parent.got[0].wParam), 0);
    EXPECT_EQ(LOWORD(b.parent.got[0].wParam), kListId);
}

TEST(CKivThumbListCtrl, DoubleClicksReachTheParentAsCodeFive)
{
    Browser b(3, 3, 2);
    QTest::mouseDClick(b.list.GetCell(1), Qt::LeftButton, {}, QPoint(20, 20));
    settle();
    ASSERT_FALSE(b.parent.got.empty());
    EXPECT_EQ(HIWORD(b.parent.got.back().wParam), 5u);
    EXPECT_EQ(LOWORD(b.parent.got.back().wParam), kListId);
    b.parent.got.clear();
    QTest::mouseDClick(&b.list, Qt::LeftButton, {}, QPoint(1, 150)); // the background
    settle();
    ASSERT_FALSE(b.parent.got.empty());
    EXPECT_EQ(HIWORD(b.parent.got.back().wParam), 5u);
}

TEST(CKivThumbListCtrl, RubberBandSelectsTheCellsItMeets)
{
    Browser b(6, 3, 2);
    b.list.SetMultiSelect(1);
    b.list.SetSelected(5, 1);
    QTest::mousePress(&b.list, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(&b.list, QPoint(150, 90));
    QTest::mouseRelease(&b.list, Qt::LeftButton, {}, QPoint(150, 90));
    QCoreApplication::processEvents();
    EXPECT_EQ(b.selected(), "0 1 ");
    EXPECT_EQ(b.list.GetCell(1)->GetInvert(), 1);
    EXPECT_EQ(b.list.GetCell(5)->GetInvert(), 0);
    // Without multiple selection the background does not select.
    b.list.SetMultiSelect(0);
    QTest::mousePress(&b.list, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(&b.list, QPoint(290, 190));
    QTest::mouseRelease(&b.list, Qt::LeftButton, {}, QPoint(290, 190));
    EXPECT_EQ(b.selected(), "0 1 ");
}

TEST(CKivThumbListCtrl, SetCurSelScrollsTheItemIntoView)
{
    Browser b(30, 3, 2);
    EXPECT_EQ(b.list.SetCurSel(20), 2);
    EXPECT_EQ(b.list.GetTopRow(), 6);
    EXPECT_EQ(b.list.GetCurSel(), 20);
    EXPECT_EQ(b.list.GetCell(2)->GetInvert(), 1);
    EXPECT_EQ(b.list.SetCurSel(1), 1);
    EXPECT_EQ(b.list.GetTopRow(), 0);
    EXPECT_EQ(b.selected(), "1 ");
    EXPECT_EQ(b.list.SetCurSel(29), 5);
    EXPECT_EQ(b.list.GetTopRow(), 8) << "clamped to the last page";
    // A click moves the single selection that SetCurSel then replaces.
    b.click(0);
    b.list.SetCurSel(28);
    EXPECT_EQ(b.selected(), "28 ");
}

TEST(CKivThumbListCtrl, SelectionOperations)
{
    Browser b(8, 3, 2);
    const long pick[] = {6, 1, 99, -1, 3};
    EXPECT_EQ(b.list.SetSelThumbs(5, pick), 3);
    EXPECT_EQ(b.list.SetSelThumbs(0, pick), 0);
    EXPECT_EQ(b.list.SetSelThumbs(2, nullptr), 0);
    EXPECT_EQ(b.list.GetSelCount(), 3);
    long out[10] = {};
    EXPECT_EQ(b.list.GetSelThumbs(10, out), 3);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[2], 6);
    EXPECT_EQ(b.list.GetSelThumbs(2, out), 2);
    EXPECT_EQ(b.list.GetSelThumbs(0, out), 0);
    int count = 0;
    long* all = b.list.GetSelThumbs(&count);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(all[2], 6);
    delete[] all;
    EXPECT_EQ(b.list.GetSelThumbs(nullptr), nullptr);
    CStringArray files;
    EXPECT_EQ(b.list.GetSelList(&files, 1), 1);
    ASSERT_EQ(files.GetSize(), 3);
    EXPECT_EQ(files.GetAt(1), "/nowhere/f03.sld");
    EXPECT_EQ(b.list.GetSelList(&files, 0), 1);
    EXPECT_EQ(files.GetSize(), 8);
    b.list.SetSelectAll(-1);
    EXPECT_EQ(b.selected(), "0 2 4 5 7 ");

    EXPECT_EQ(b.list.RemoveSelected(0), 1);
    EXPECT_EQ(b.list.GetThumbList()->getCount(), 3);
    EXPECT_STREQ(b.list.GetCell(1)->GetFile(), "/nowhere/f03.sld");
    EXPECT_FALSE(b.list.GetCell(3)->isVisible());
    EXPECT_EQ(b.list.RemoveSelected(0), 0);
    b.list.ClearNameList();
    EXPECT_EQ(b.list.GetThumbList(), nullptr);
    EXPECT_EQ(b.list.GetSelList(&files, 0), 0);
    EXPECT_EQ(b.list.GetSelCount(), 0);
}

TEST(CKivThumbListCtrl, ExtensionListsComeFromTheFilter)
{
    CStringArray out;
    CKivThumbListCtrl::GetExtensionList("Drawings (*.sld;*.dwg)", &out);
    ASSERT_EQ(out.GetSize(), 2);
    EXPECT_EQ(out.GetAt(0), "*.sld");
    EXPECT_EQ(out.GetAt(1), "*.dwg");
    CKivThumbListCtrl::GetExtensionList("Slides (*.sld)", &out);
    ASSERT_EQ(out.GetSize(), 1);
    EXPECT_EQ(out.GetAt(0), "*.sld");
    CKivThumbListCtrl::GetExtensionList("*.sld", &out);
    EXPECT_EQ(out.GetSize(), 0);
    CKivThumbListCtrl::GetExtensionList("A ( *.x ; *.y )|rest", &out);
    ASSERT_EQ(out.GetSize(), 2);
    EXPECT_EQ(out.GetAt(0), " *.x ");
    CKivThumbListCtrl::GetExtensionList(nullptr, &out);
    EXPECT_EQ(out.GetSize(), 0);
}

TEST(CKivThumbListCtrl, FolderListingsKeepOddNamesAndSkipFolders)
{
    TempDir dir;
    writeText(dir.path() / "a.sld", "x");
    writeText(dir.path() / "B.DWG", "x");
    writeText(dir.path() / "new\nline.sld", "x");
    writeText(dir.path() / "lat\xE9.sld", "x");
    writeText(dir.path() / "[x].sld", "x");
    std::filesystem::create_directory(dir.path() / "folder.sld");
    std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "dangling.sld");
    CStringArray out;
    CKivThumbListCtrl::GetFileList(dir.path().c_str(), "*.sld", &out);
    EXPECT_EQ(out.GetSize(), 5);
    CKivStringArray extensions;
    extensions.Add("*.DWG");
    out.Add("stale");
    CKivThumbListCtrl::GetFileList(dir.path().c_str(), &extensions, &out);
    ASSERT_EQ(out.GetSize(), 1);
    EXPECT_EQ(out.GetAt(0), dir.file("B.DWG"));
    // Every listed name becomes an item, readable or not.
    Browser b(0, 3, 2);
    out.RemoveAll();
    CKivThumbListCtrl::GetFileList(dir.path().c_str(), "*", &out);
    b.list.AddItems(&out, 1);
    EXPECT_EQ(b.list.GetThumbList()->getCount(), 6);
}

TEST(CKivThumbListCtrl, PatternsMatchNamesIgnoringCase)
{
    TempDir dir;
    for (const char* name : {"a.sld", "B.SLD", "c.Sld", "d.sldx", "e.dwg"})
        writeText(dir.path() / name, "x");
    CStringArray out;
    CKivThumbListCtrl::GetFileList(dir.path().c_str(), "*.sld", &out);
    std::vector<std::string> found(out.begin(), out.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string> {dir.file("B.SLD"), dir.file("a.sld"), dir.file("c.Sld")}));
    out.RemoveAll();
    CKivThumbListCtrl::GetFileList(dir.path().c_str(), "*.DWG", &out);
    EXPECT_EQ(out.GetSize(), 1);
}

TEST(CKivSlideThumbListCtrl, APageReadsEachLibraryOnce)
{
    TempDir dir;
    std::vector<std::pair<std::string, Bytes>> slides;
    for (int i = 0; i < 12; ++i)
        slides.push_back({StringFormat("S%d", i), SlideWriter(10, 10).vector(0, 0, 10, 10).end().bytes()});
    writeFile(dir.file("lib.slb"), makeLibrary(slides));
    Browser b(0, 4, 3, 400, 300);
    for (int i = 0; i < 12; ++i)
        b.list.AddItem((dir.file("lib.slb") + StringFormat("(S%d)", i)).c_str(), nullptr, nullptr);
    b.list.MakeThumb(4, 3);
    b.list.ViewThumb(0);
    settle();
    EXPECT_EQ(b.list.GetShelf().GetLibraryReads(), 1);
    EXPECT_STREQ(b.list.GetCell(11)->GetViewCtrl()->GetSlideName(), "S11");
    const QImage shot = b.list.GetCell(11)->GetViewCtrl()->grab().toImage();
    EXPECT_GT(countColor(shot, RGB(255, 255, 255)), 10) << "the member's line";
}
