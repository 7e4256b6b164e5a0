// SPDX-License-Identifier: MIT
#include "ThumbTestSupport.h"

#include "cad/KivSlideDraw.h"
#include "support/DwgWriter.h"
#include "support/SlideWriter.h"
#include "views/CKivThumbFileCtrl.h"
#include "views/CKivThumbViewCtrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

using namespace testsupport;
using namespace thumbtest;
namespace fs = std::filesystem;

namespace {

Bytes filledSquare(std::uint16_t side)
{
    return SlideWriter(side, side).fill({{0, 0}, {side, 0}, {side, side}, {0, side}}).end().bytes();
}

// A cell of w × h with a label, in a parent, as a browser makes one.
struct Cell {
    Parent parent;
    CKivThumbFileCtrl cell {1};

    explicit Cell(int w = 100, int h = 120, UINT id = 1125)
    {
        parent.resize(400, 300);
        cell.Create(WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 10 + w, 10 + h), &parent, id);
        cell.MakeControl();
        cell.SetImageSize(-1, -1, -1, -1);
        parent.show();
        QCoreApplication::processEvents();
    }
    void show(const std::string& file, int selected = 0, const char* label = "")
    {
        KivThumbItem item;
        CopyBounded(item.file, sizeof item.file, file.c_str());
        CopyBounded(item.label, sizeof item.label, label);
        CopyBounded(item.data, sizeof item.data, "DATA");
        item.selected = selected;
        cell.SetData(&item);
    }
};

CRect geometry(const QWidget* w)
{
    return CRect(w->x(), w->y(), w->x() + w->width(), w->y() + w->height());
}

} // namespace

TEST(CKivThumbViewCtrl, FileTypesComeFromTheName)
{
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("a/DOOR.SLD"), 1);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("lib(door)"), 1);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("a/lib.slb(door)"), 1);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("a/lib.slb"), 0);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("plan.dwg"), 2);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("plan.DXF"), 3);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("notes.txt"), 0);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("noext"), 0);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType("dir.sld/noext"), 0);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType(""), 0);
    EXPECT_EQ(CKivThumbViewCtrl::GetFileType(nullptr), 0);
}

TEST(CKivThumbCtrl, LaysOutImageAndLabel)
{
    const int automatic[4] = {-1, -1, -1, -1};
    CRect image, label;
    CKivThumbCtrl::CalcLayout(100, 120, 3, 20, 1, automatic, &image, &label);
    EXPECT_EQ(image, CRect(5, 5, 95, 92));
    EXPECT_EQ(label, CRect(5, 95, 95, 115));
    CKivThumbCtrl::CalcLayout(100, 120, 3, 20, 0, automatic, &image, &label);
    EXPECT_EQ(image, CRect(5, 5, 95, 112)) << "no label: the image takes its place";
    const int fixed[4] = {-1, -1, 40, 30};
    CKivThumbCtrl::CalcLayout(100, 120, 3, 20, 1, fixed, &image, &label);
    EXPECT_EQ(image, CRect(30, 30, 70, 60));
    EXPECT_EQ(label, CRect(30, 95, 70, 115));
    // A cell smaller than its margins keeps its children at the padding.
    CKivThumbCtrl::CalcLayout(8, 8, 3, 20, 1, automatic, &image, &label);
    EXPECT_EQ(image.left, 5);
    EXPECT_LE(image.Width(), 0);

    Cell c;
    EXPECT_EQ(geometry(c.cell.GetImageCtrl()), CRect(5, 5, 95, 92));
    EXPECT_EQ(geometry(c.cell.GetLabelCtrl()), CRect(5, 95, 95, 115));
}

TEST(CKivThumbCtrl, CaptionsByMode)
{
    Cell c;
    c.show("/d/lib.slb(DOOR)", 0, "Front door");
    c.cell.SetLabel(3, nullptr);
    EXPECT_STREQ(c.cell.GetLabel(), "/d/lib.slb(DOOR)");
    c.cell.SetLabel(2, nullptr);
    EXPECT_STREQ(c.cell.GetLabel(), "DATA");
    c.cell.SetLabel(1, nullptr);
    EXPECT_STREQ(c.cell.GetShownLabel(), "DATA : Front door");
    EXPECT_EQ(c.cell.GetToolTipText(), "DATA : Front door");
    c.show("/d/plan.dwg");
    c.cell.SetLabel(4, nullptr);
    EXPECT_STREQ(c.cell.GetLabel(), "plan");
    c.cell.SetLabel(1, nullptr);
    EXPECT_EQ(c.cell.GetLabelCtrl()->GetWindowText(), "plan") << "no item label: the caption alone";
    c.show("/a/rather/long/folder/name/under/the/cell/plan.dwg");
    c.cell.SetLabel(3, nullptr);
    EXPECT_NE(c.cell.GetLabelCtrl()->GetWindowText().find("\xE2\x80\xA6"), std::string::npos) << "shortened";
    EXPECT_EQ(c.cell.GetToolTipText(), "/a/rather/long/folder/name/under/the/cell/plan.dwg");
    c.show("/d/plan.dwg");
    c.cell.SetLabel(5, nullptr);
    EXPECT_STREQ(c.cell.GetLabel(), "plan.dwg");
    c.cell.SetLabel(-1, nullptr);
    EXPECT_STREQ(c.cell.GetLabel(), "/d/plan.dwg");
    c.cell.SetLabel(6, nullptr);
    EXPECT_STREQ(c.cell.GetLabel(), "/d/plan.dwg");
    c.cell.SetLabel(0, "given");
    EXPECT_STREQ(c.cell.GetLabel(), "given");
    // Mode 0 without text: the slide's name, or the file of a drawing.
    c.cell.SetLabel(0, nullptr, 0);
    EXPECT_STREQ(c.cell.GetLabel(), "/d/plan.dwg");
    c.show("/d/lib(DOOR)");
    c.cell.SetLabel(0, nullptr, 0);
    EXPECT_STREQ(c.cell.GetLabel(), "DOOR");
}

TEST(CKivThumbCtrl, UpdateShowsTheItemOrHidesTheCell)
{
    Cell c;
    c.show("/nowhere/a.sld", 1);
    EXPECT_EQ(c.cell.UpdateControl(5), 1);
    EXPECT_TRUE(c.cell.isVisible());
    EXPECT_EQ(c.cell.GetInvert(), 1);
    EXPECT_EQ(c.cell.GetImageCtrl()->GetInvert(), 1);
    EXPECT_STREQ(c.cell.GetViewCtrl()->GetFileName(), "/nowhere/a.sld");
    c.show("/nowhere/a.sld", 0);
    c.cell.UpdateControl(5);
    EXPECT_EQ(c.cell.GetInvert(), 0);
    c.cell.SetData(nullptr);
    EXPECT_EQ(c.cell.UpdateControl(5), 0);
    EXPECT_FALSE(c.cell.isVisible());
    EXPECT_EQ(c.cell.GetInvert(), 0);
}

TEST(CKivThumbCtrl, ClicksAnywhereOnTheCellReachTheParentWithKeyFlags)
{
    Cell c;
    c.show("/nowhere/a.sld");
    c.cell.SetFocus(1);
    // On the image child, which lets clicks through, with Shift held.
    QTest::mouseClick(&c.cell, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 40));
    EXPECT_EQ(c.cell.GetInvert(), 1) << "select on click inverts at once";
    EXPECT_TRUE(c.parent.got.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    ASSERT_EQ(c.parent.got.size(), 1u);
    EXPECT_EQ(LOWORD(c.parent.got[0].wParam), 1125);
    EXPECT_EQ(HIWORD(c.parent.got[0].wParam), 0);
    EXPECT_TRUE(c.parent.got[0].lParam & CKivThumbCtrl::kShiftKey);
    EXPECT_FALSE(c.parent.got[0].lParam & CKivThumbCtrl::kControlKey);

    // The right button clicks too, unless the cell is already selected.
    c.parent.got.clear();
    QTest::mouseClick(&c.cell, Qt::RightButton, Qt::ControlModifier, QPoint(50, 100));
    QCoreApplication::processEvents();
    EXPECT_TRUE(c.parent.got.empty());
    c.cell.SetInvert(0, 0);
    QTest::mouseClick(&c.cell, Qt::RightButton, Qt::ControlModifier, QPoint(50, 100));
    QCoreApplication::processEvents();
    ASSERT_EQ(c.parent.got.size(), 1u);
    EXPECT_TRUE(c.parent.got[0].lParam & CKivThumbCtrl::kControlKey);
}

TEST(CKivThumbCtrl, DoubleClickNotifiesOrOpensTheLargeViewer)
{
    Cell c;
    c.show("/d/lib(DOOR)");
    c.cell.UpdateControl(0);
    c.cell.SetViewer(&recordViewer);
    c.cell.SetSupportPath("/fonts");
    viewerCalls().clear();
    QTest::mouseDClick(&c.cell, Qt::LeftButton, {}, QPoint(50, 50));
    QCoreApplication::processEvents();
    ASSERT_FALSE(c.parent.got.empty());
    EXPECT_EQ(HIWORD(c.parent.got.back().wParam), 5u);
    EXPECT_TRUE(viewerCalls().empty());

    c.cell.SetLargeView(1);
    c.parent.got.clear();
    QTest::mouseDClick(&c.cell, Qt::LeftButton, {}, QPoint(50, 50));
    QCoreApplication::processEvents();
    for (const auto& g : c.parent.got)
        EXPECT_NE(HIWORD(g.wParam), 5u) << "a cell that opens the viewer does not notify";
    ASSERT_EQ(viewerCalls().size(), 1u);
    EXPECT_EQ(viewerCalls()[0].owner, static_cast<QWidget*>(&c.cell));
    EXPECT_EQ(viewerCalls()[0].type, 1);
    EXPECT_EQ(viewerCalls()[0].file, "/d/lib(DOOR)");
    EXPECT_EQ(viewerCalls()[0].support, "/fonts");

    // The context menu's command does the same.
    ::PostMessage(&c.cell, WM_COMMAND, CKivThumbCtrl::kLargeViewCommand, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(viewerCalls().size(), 2u);
    c.cell.SetViewer(nullptr);
    ::PostMessage(&c.cell, WM_COMMAND, CKivThumbCtrl::kLargeViewCommand, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(viewerCalls().size(), 2u);
}

TEST(CKivThumbCtrl, PaintsAFrameAndTheSelection)
{
    Cell c;
    c.show("/nowhere/a.sld");
    c.cell.UpdateControl(5);
    QImage shot = c.cell.grab().toImage();
    EXPECT_EQ(at(shot, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(at(shot, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(at(shot, 99, 119), RGB(64, 64, 64));
    EXPECT_EQ(at(shot, 98, 60), RGB(64, 64, 64));
    EXPECT_EQ(at(shot, 8, 97), RGB(255, 255, 221)) << "the label";
    const COLORREF face = at(shot, 3, 60);
    c.cell.SetInvert(1, 0);
    shot = c.cell.grab().toImage();
    EXPECT_NE(at(shot, 3, 60), face);
    EXPECT_EQ(at(shot, 50, 50), RGB(255, 255, 255)) << "the unreadable slide's black view, inverted";
}

TEST(CKivThumbViewCtrl, DrawsSlidesFromMemoryWithTheSlideDrawing)
{
    TempDir dir;
    const Bytes slide
        = SlideWriter(100, 50).vector(0, 0, 100, 50).color(1).fill({{10, 10}, {40, 10}, {40, 40}}).end().bytes();
    writeFile(dir.file("cross.sld"), slide);
    writeFile(dir.file("lib.slb"), makeLibrary({{"CROSS", slide}, {"SQUARE", filledSquare(8)}}));

    CKivThumbViewCtrl view;
    view.resize(120, 70);
    // The same pixels as the slide drawing gives on its own.
    QImage expected(120, 70, QImage::Format_RGB32);
    expected.fill(Qt::black);
    {
        CDC dc(&expected);
        KivSlideDraw draw;
        draw.Draw(nullptr, &dc, dir.file("cross.sld").c_str(), 0);
    }
    for (const std::string& ref : {dir.file("cross.sld"), dir.file("lib.slb") + "(cross)"}) {
        EXPECT_EQ(view.SetFileName(ref.c_str(), 0), 1);
        EXPECT_EQ(view.grab().toImage().convertToFormat(QImage::Format_RGB32), expected) << ref;
    }
    EXPECT_STREQ(view.GetSlideName(), "cross");
    EXPECT_EQ(view.GetLibraryName(), dir.file("lib.slb"));
    // Paints after the file is gone still draw: the bytes are in memory.
    fs::remove(dir.file("lib.slb"));
    const QImage again = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(again, expected);
}

TEST(CKivThumbViewCtrl, BadFilesShowTheBackColourOnlyAndDrawingsWithoutAPictureSaySo)
{
    TempDir dir;
    Bytes truncated = SlideWriter(100, 50).vector(0, 0, 100, 50).end().bytes();
    truncated.resize(truncated.size() - 6);
    writeFile(dir.file("cut.sld"), truncated);
    writeFile(dir.file("junk.dwg"), Bytes(300, 0xFF));
    writeFile(dir.file("noimage.dwg"), makeDwg("AC1015", {{1, Bytes(80, 0)}}));
    writeFile(dir.file("lib.slb"), Bytes {'A', 'u', 't', 'o'});
    fs::create_symlink(dir.file("missing.sld"), dir.file("dangling.sld"));
    CKivThumbViewCtrl view;
    view.resize(60, 40);
    view.SetBackColor(RGB(0, 0, 200), 0);
    for (const std::string& ref :
        {dir.file("lib.slb") + "(X)", dir.file("dangling.sld"), dir.file("plan.dxf"), dir.path().string() + "(X)"}) {
        view.SetFileName(ref.c_str(), 0);
        const QImage shot = view.grab().toImage();
        EXPECT_EQ(countColor(shot, RGB(0, 0, 200)), 60 * 40) << ref;
    }
    // A drawing without a preview picture is a sheet and "No preview", not
    // a cell of the back colour that looks like an empty drawing.
    view.resize(120, 90);
    for (const std::string& ref : {dir.file("junk.dwg"), dir.file("noimage.dwg")}) {
        view.SetFileName(ref.c_str(), 0);
        const QImage shot = view.grab().toImage();
        const int back = countColor(shot, RGB(0, 0, 200));
        EXPECT_LT(back, 120 * 90 - 100) << ref << ": the placeholder is drawn";
        EXPECT_GT(back, 120 * 90 / 2) << ref << ": on the back colour";
    }
    view.grab().save("no-preview-cell.png");
    view.resize(60, 40);
    view.SetFileName(dir.file("cut.sld").c_str(), 0);
    view.grab(); // records cut short: whatever was drawn, no crash
}

TEST(CKivThumbViewCtrl, DrawsTheDwgPreviewAndItsInversion)
{
    TempDir dir;
    std::vector<std::uint8_t> pixels(16 * 8, 1);
    writeFile(dir.file("plan.dwg"),
        makeDwg("AC1015", {{1, Bytes(80, 0)}, {2, makeDib8(16, 8, {0xFFFFFF, 0xFF0000}, pixels)}}));
    CKivThumbViewCtrl view;
    view.resize(40, 20);
    view.SetBackColor(RGB(0, 0, 0), 0);
    EXPECT_EQ(view.SetFileName(dir.file("plan.dwg").c_str(), 0), 1);
    // The preview was read when the name was set: a paint never reads the
    // file, which may be gone by then.
    fs::remove(dir.file("plan.dwg"));
    QImage shot = view.grab().toImage();
    EXPECT_EQ(at(shot, 20, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(shot, 1, 1), RGB(0, 0, 0));
    view.SetInvert(1, 0);
    shot = view.grab().toImage();
    EXPECT_EQ(at(shot, 1, 1), RGB(255, 255, 255));
}

TEST(CKivThumbViewCtrl, DrawsDxfDrawingsAndTheirEmbeddedPreview)
{
    TempDir dir;
    writeText(dir.file("cross.dxf"),
        "0\nSECTION\n2\nENTITIES\n0\nLINE\n62\n1\n10\n0\n20\n0\n11\n10\n21\n0\n"
        "0\nSOLID\n62\n3\n10\n4\n20\n-1\n11\n6\n21\n-1\n12\n4\n22\n1\n13\n6\n23\n1\n"
        "0\nENDSEC\n0\nEOF\n");
    CKivThumbViewCtrl view;
    view.resize(60, 40);
    view.SetBackColor(RGB(0, 0, 0), 0);
    EXPECT_EQ(view.SetFileName(dir.file("cross.dxf").c_str(), 0), 1);
    QImage shot = view.grab().toImage();
    EXPECT_EQ(at(shot, 30, 20), RGB(0, 255, 0)) << "the filled solid in the middle";
    EXPECT_EQ(at(shot, 30, 2), RGB(0, 0, 0));
    view.SetInvert(1, 0);
    shot = view.grab().toImage();
    EXPECT_EQ(at(shot, 30, 2), RGB(255, 255, 255));
    // A file that is no drawing shows the back colour only.
    writeText(dir.file("bad.dxf"), "not a drawing");
    view.SetInvert(0, 0);
    EXPECT_EQ(view.SetFileName(dir.file("bad.dxf").c_str(), 0), 1);
    shot = view.grab().toImage();
    EXPECT_EQ(at(shot, 30, 20), RGB(0, 0, 0));
}
