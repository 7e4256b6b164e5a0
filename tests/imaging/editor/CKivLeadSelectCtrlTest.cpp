// SPDX-License-Identifier: MIT
#include "ImagingTestData.h"

#include "imaging/editor/CKivLeadSelectCtrl.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace imagingtest;

namespace {

constexpr QRgb kGrey = 0x0A0A0A;
constexpr QRgb kMark = 0xFF0000;
constexpr UINT kShift = 0x0004;

// A 100 × 80 grey image marked red at (60, 50).
void loadMarked(CKivLeadSelectCtrl& select)
{
    ASSERT_EQ(load(encode(marked(100, 80, kGrey, 60, 50, kMark), "PNG"), *select.GetBitmap()), KIVLEAD_SUCCESS);
}

// A press, one move and a release, in window pixels.
void drag(CKivLeadSelectCtrl& select, CPoint from, CPoint to, UINT flags = 0)
{
    select.OnLButtonDown(flags | 1, from);
    select.OnMouseMove(flags | 1, to);
    select.OnLButtonUp(flags, to);
}

bool inRegion(const CKivLeadSelectCtrl& select, int x, int y)
{
    return KivLeadIsPtInRegion(select.GetBitmap(), x, y) == 1;
}

} // namespace

TEST(CKivLeadSelectCtrl, ShapesAndTheirBoundsFollowTheZoom)
{
    for (int zoom : {100, 200}) {
        SCOPED_TRACE(zoom);
        CKivLeadSelectCtrl select;
        loadMarked(select);
        select.SetZoom(zoom);
        const auto at = [zoom](int x, int y) { return CPoint(x * zoom / 100, y * zoom / 100); };
        // A new control selects rectangles.
        drag(select, at(50, 30), at(10, 10));
        EXPECT_TRUE(select.IsSelectActive());
        EXPECT_EQ(select.GetSelectionBounds(), QRect(10, 10, 40, 20));
        EXPECT_TRUE(inRegion(select, 10, 10));
        EXPECT_FALSE(inRegion(select, 50, 30));

        select.OnSelectEllipse();
        EXPECT_FALSE(select.IsSelectActive());
        EXPECT_FALSE(select.GetBitmap()->HasRegion());
        drag(select, at(10, 10), at(50, 30));
        // The ellipse's own pixels may stop a row short of the rectangle.
        EXPECT_TRUE(QRect(10, 10, 40, 20).contains(select.GetSelectionBounds()));
        EXPECT_GE(select.GetSelectionBounds().height(), 18);
        EXPECT_TRUE(inRegion(select, 30, 20));
        EXPECT_FALSE(inRegion(select, 10, 10)) << "the corners lie outside an ellipse";

        // 80 × 40 image pixels: corner ellipses of 20 × 10 leave the
        // corner pixel out and the middle of an edge in.
        select.OnSelectRoundRect();
        drag(select, at(10, 10), at(90, 50));
        EXPECT_EQ(select.GetSelectionBounds(), QRect(10, 10, 80, 40));
        EXPECT_FALSE(inRegion(select, 10, 10));
        EXPECT_FALSE(inRegion(select, 12, 11));
        EXPECT_TRUE(inRegion(select, 50, 10));
        EXPECT_TRUE(inRegion(select, 20, 15));

        select.OnSelectFreeHand();
        select.OnLButtonDown(1, at(10, 10));
        select.OnMouseMove(1, at(40, 10));
        select.OnMouseMove(1, at(40, 40));
        select.OnLButtonUp(0, at(10, 40));
        EXPECT_EQ(select.GetSelectionBounds(), QRect(10, 10, 30, 30));
        EXPECT_TRUE(inRegion(select, 30, 15));
        EXPECT_FALSE(inRegion(select, 15, 35)) << "the triangle's other half";

        // Every pixel of the colour under the click: the one red mark.
        select.OnSelectColor();
        select.OnLButtonDown(1, at(60, 50));
        select.OnLButtonUp(0, at(60, 50));
        EXPECT_EQ(select.GetSelectionBounds(), QRect(60, 50, 1, 1));
    }
}

TEST(CKivLeadSelectCtrl, ShiftAddsAndAPressOutsideDropsTheSelection)
{
    CKivLeadSelectCtrl select;
    loadMarked(select);
    drag(select, CPoint(10, 10), CPoint(20, 20));
    drag(select, CPoint(30, 30), CPoint(40, 40), kShift);
    EXPECT_EQ(select.GetCombineMode(), KIVLEAD_RGN_OR);
    EXPECT_EQ(select.GetSelectionBounds(), QRect(10, 10, 30, 30));
    EXPECT_TRUE(inRegion(select, 15, 15));
    EXPECT_TRUE(inRegion(select, 35, 35));
    EXPECT_FALSE(inRegion(select, 25, 15));

    // The outline steps 0..7 and round again on its 250 ms timer.
    EXPECT_TRUE(select.IsTimerRunning());
    EXPECT_EQ(select.GetPhase(), 0);
    for (int step = 1; step <= 8; ++step) {
        select.OnTimer(1);
        EXPECT_EQ(select.GetPhase(), step % 8);
    }

    const QImage before = select.GetBitmap()->PaintImage();
    select.OnLButtonDown(1, CPoint(90, 70));
    select.OnLButtonUp(0, CPoint(90, 70));
    EXPECT_FALSE(select.IsSelectActive());
    EXPECT_FALSE(select.IsTimerRunning());
    EXPECT_FALSE(select.GetBitmap()->HasRegion()) << "no hidden region limits later commands";
    EXPECT_EQ(select.GetBitmap()->PaintImage(), before);
    EXPECT_EQ(select.IsModified(), 0);

    // Shift with no region replaces.
    drag(select, CPoint(5, 5), CPoint(8, 8), kShift);
    EXPECT_EQ(select.GetCombineMode(), KIVLEAD_RGN_SET);
}

TEST(CKivLeadSelectCtrl, MoveCopiesFillAndCropChangeTheImageAndUndo)
{
    CKivLeadSelectCtrl select;
    loadMarked(select);
    select.SetZoom(200);
    // Select 10 × 10 around the mark at (60, 50), then drag it 20 image pixels left.
    drag(select, CPoint(110, 90), CPoint(130, 110));
    ASSERT_EQ(select.GetSelectionBounds(), QRect(55, 45, 10, 10));
    select.OnLButtonDown(1, CPoint(120, 100));
    select.OnMouseMove(1, CPoint(100, 100));
    select.OnMouseMove(1, CPoint(80, 100));
    select.OnLButtonUp(0, CPoint(80, 100));
    EXPECT_EQ(pixel(*select.GetBitmap(), 40, 50), kMark);
    EXPECT_EQ(pixel(*select.GetBitmap(), 60, 50), kMark) << "the first move copies";
    EXPECT_EQ(select.GetSelectionBounds(), QRect(35, 45, 10, 10));
    EXPECT_TRUE(select.IsSelectActive());
    select.OnEditUndo();
    EXPECT_EQ(pixel(*select.GetBitmap(), 40, 50), kGrey);

    select.SetZoom(100);
    select.OnSelectEllipse();
    drag(select, CPoint(0, 0), CPoint(20, 20));
    select.FillSelection(RGB(0, 0, 255));
    EXPECT_EQ(pixel(*select.GetBitmap(), 10, 10), 0x0000FFu);
    EXPECT_EQ(pixel(*select.GetBitmap(), 0, 0), kGrey) << "outside the ellipse";
    EXPECT_FALSE(select.IsSelectActive());
    select.OnEditUndo();
    EXPECT_EQ(pixel(*select.GetBitmap(), 10, 10), kGrey);

    select.OnImageCrop(); // no selection: nothing happens
    EXPECT_EQ(select.GetBitmap()->Width(), 100);
    select.OnSelectRectangle();
    drag(select, CPoint(50, 40), CPoint(70, 60));
    select.OnImageCrop();
    ASSERT_EQ(select.GetBitmap()->Width(), 20);
    EXPECT_EQ(select.GetBitmap()->Height(), 20);
    EXPECT_EQ(pixel(*select.GetBitmap(), 10, 10), kMark);
    EXPECT_FALSE(select.GetBitmap()->HasRegion());
    select.OnEditUndo();
    EXPECT_EQ(select.GetBitmap()->Width(), 100);
}

TEST(CKivLeadSelectCtrl, DrawingToolsDrawInTheDrawColourAndUndo)
{
    CKivLeadSelectCtrl select;
    loadMarked(select);
    select.SetZoom(200);
    select.SetDrawColor(RGB(0, 255, 0));
    select.OnDrawLine();
    drag(select, CPoint(0, 20), CPoint(60, 20)); // image row 10, x 0..30
    EXPECT_EQ(pixel(*select.GetBitmap(), 15, 10), 0x00FF00u);
    EXPECT_EQ(pixel(*select.GetBitmap(), 15, 12), kGrey);
    EXPECT_EQ(select.IsModified(), 1);
    select.OnEditUndo();
    EXPECT_EQ(pixel(*select.GetBitmap(), 15, 10), kGrey);

    select.OnDrawPoint();
    select.OnLButtonDown(1, CPoint(10, 10));
    select.OnLButtonUp(0, CPoint(10, 10));
    EXPECT_EQ(pixel(*select.GetBitmap(), 5, 5), 0x00FF00u);
    EXPECT_EQ(pixel(*select.GetBitmap(), 6, 5), kGrey);

    // A rectangle grows by the pen width on each side; a wide pen is solid
    // whatever style was asked for.
    select.SetZoom(100);
    select.SetPen(1, 3);
    select.OnDrawRectangle();
    drag(select, CPoint(20, 20), CPoint(40, 30));
    for (int x = 20; x <= 40; ++x)
        EXPECT_EQ(pixel(*select.GetBitmap(), x, 17), 0x00FF00u) << x;
    EXPECT_EQ(pixel(*select.GetBitmap(), 30, 20), kGrey);
    EXPECT_EQ(pixel(*select.GetBitmap(), 30, 25), kGrey);

    select.OnDrawText();
    EXPECT_TRUE(select.IsText());
    select.SetText("Wg");
    const QImage before = select.GetBitmap()->PaintImage();
    select.OnLButtonDown(1, CPoint(60, 5));
    select.OnLButtonUp(0, CPoint(60, 5));
    const QImage after = select.GetBitmap()->PaintImage();
    int changed = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_GE(x, 60);
                EXPECT_GE(y, 5);
            }
    EXPECT_GT(changed, 10);
    EXPECT_EQ(select.GetTextFont().family(), "Arial");
}

TEST(CKivLeadSelectCtrl, TheOutlineIsPaintedWithDashesThatMove)
{
    CKivLeadSelectCtrl select;
    loadMarked(select);
    select.SetFit(0);
    select.SetZoom(200);
    select.resize(240, 200);
    select.OnSelectRectangle();
    drag(select, CPoint(20, 20), CPoint(120, 100));
    ASSERT_TRUE(select.IsSelectActive());
    const QImage first = select.grab().toImage();
    if (const char* dir = std::getenv("VANDREL_GRAB_DIR"))
        first.save(QString(dir) + "/select-outline.png");
    // Along the top edge (window row 20) the dashes alternate black and white.
    int black = 0, white = 0;
    for (int x = 24; x < 116; ++x) {
        const QRgb c = first.pixel(x, 20) & 0xFFFFFF;
        black += c == 0x000000;
        white += c == 0xFFFFFF;
    }
    EXPECT_GT(black, 20);
    EXPECT_GT(white, 20);
    select.OnTimer(1);
    select.OnTimer(1);
    EXPECT_NE(select.grab().toImage(), first) << "the dashes moved";
    // Painting leaves the image as it was.
    EXPECT_EQ(pixel(*select.GetBitmap(), 20, 20), kGrey);
}
