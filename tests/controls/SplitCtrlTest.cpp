// SPDX-License-Identifier: MIT
#include "controls/CKivSplitCtrl.h"
#include "platform/gdi/CClientDC.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

CRect placed(const QWidget* w)
{
    return CRect(w->x(), w->y(), w->x() + w->width(), w->y() + w->height());
}

int drawnPixels(const QWidget* parent)
{
    const QImage* overlay = CClientDC::Overlay(parent);
    if (!overlay)
        return 0;
    int n = 0;
    for (int y = 0; y < overlay->height(); ++y)
        for (int x = 0; x < overlay->width(); ++x)
            n += (overlay->pixel(x, y) & 0xFFFFFF) != 0;
    return n;
}

// A panel of 400 × 200 inside a window: a left window, the bar (6 wide) and
// a right window, or the same from top to bottom.
struct Panel {
    QWidget top;
    QWidget* panel = new QWidget(&top);
    CWnd first, second, third;
    CKivSplitCtrl bar;

    explicit Panel(bool vertical, int firstSize = 70)
    {
        top.resize(420, 220);
        panel->setGeometry(10, 10, 400, 200);
        if (vertical) {
            first.Create(0, CRect(0, 0, 400, firstSize), panel, 1);
            bar.Create(0, CRect(0, firstSize, 400, firstSize + 6), panel, 2);
            second.Create(0, CRect(0, firstSize + 6, 400, 200), panel, 3);
            bar.AddTop(&first);
            bar.AddBottom(&second);
        } else {
            first.Create(0, CRect(0, 0, firstSize, 200), panel, 1);
            bar.Create(0, CRect(firstSize, 0, firstSize + 6, 200), panel, 2);
            second.Create(0, CRect(firstSize + 6, 0, 400, 200), panel, 3);
            bar.AddLeft(&first);
            bar.AddRight(&second);
        }
        top.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
    }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&bar, Qt::LeftButton, {}, from);
        QTest::mouseMove(&bar, to);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, to);
    }
};

} // namespace

TEST(CKivSplitCtrl, RefusesToShrinkBelowTheMinimumAndMovesNothing)
{
    Panel p(false);
    p.bar.SetMinSize(50);
    p.drag(QPoint(3, 100), QPoint(-27, 100)); // the left window would be 40 wide
    EXPECT_EQ(placed(&p.first), CRect(0, 0, 70, 200));
    EXPECT_EQ(placed(&p.bar), CRect(70, 0, 76, 200));
    EXPECT_EQ(placed(&p.second), CRect(76, 0, 400, 200));
    EXPECT_FALSE(p.bar.IsDragging());
}

TEST(CKivSplitCtrl, DraggingRightGrowsTheLeftAndShrinksTheRight)
{
    Panel p(false);
    p.bar.SetMinSize(50);
    EXPECT_EQ(p.bar.GetVertical(), 0);
    EXPECT_EQ(p.bar.cursor().shape(), Qt::SizeHorCursor);
    p.drag(QPoint(3, 100), QPoint(33, 100));
    EXPECT_EQ(placed(&p.first), CRect(0, 0, 100, 200));
    EXPECT_EQ(placed(&p.bar), CRect(100, 0, 106, 200));
    EXPECT_EQ(placed(&p.second), CRect(106, 0, 400, 200));
    // Back to the left by 40 (the vertical part of the drag counts for nothing).
    p.drag(QPoint(3, 100), QPoint(-37, 150));
    EXPECT_EQ(placed(&p.first), CRect(0, 0, 60, 200));
    EXPECT_EQ(placed(&p.bar), CRect(60, 0, 66, 200));
    EXPECT_EQ(placed(&p.second), CRect(66, 0, 400, 200));
}

TEST(CKivSplitCtrl, HorizontalBarMovesTheWindowsAboveAndBelow)
{
    Panel p(true);
    EXPECT_EQ(p.bar.GetVertical(), 1);
    EXPECT_EQ(p.bar.cursor().shape(), Qt::SizeVerCursor);
    p.drag(QPoint(200, 3), QPoint(50, -17)); // up by 20
    EXPECT_EQ(placed(&p.first), CRect(0, 0, 400, 50));
    EXPECT_EQ(placed(&p.bar), CRect(0, 50, 400, 56));
    EXPECT_EQ(placed(&p.second), CRect(0, 56, 400, 200));
    p.bar.SetMinSize(120);
    p.drag(QPoint(200, 3), QPoint(200, 33)); // the lower window would be 114 high
    EXPECT_EQ(placed(&p.bar), CRect(0, 50, 400, 56));
    EXPECT_EQ(placed(&p.second), CRect(0, 56, 400, 200));
}

// Every window of the shrinking side is checked before any moves, so one
// window that is too small cannot leave its neighbours moved and the bar not.
TEST(CKivSplitCtrl, OneWindowTooSmallKeepsTheWholeSideInPlace)
{
    Panel p(false);
    p.second.MoveWindow(76, 0, 324, 100);
    p.third.Create(0, CRect(76, 100, 116, 200), p.panel, 4); // 40 wide
    p.bar.AddRight(&p.third);
    p.bar.SetMinSize(20);
    p.drag(QPoint(3, 100), QPoint(33, 100));
    EXPECT_EQ(placed(&p.second), CRect(76, 0, 400, 100));
    EXPECT_EQ(placed(&p.third), CRect(76, 100, 116, 200));
    EXPECT_EQ(placed(&p.bar), CRect(70, 0, 76, 200));
    EXPECT_EQ(placed(&p.first), CRect(0, 0, 70, 200));
}

TEST(CKivSplitCtrl, GhostFollowsTheMouseAndIsGoneAfterTheRelease)
{
    Panel p(false);
    QTest::mousePress(&p.bar, Qt::LeftButton, {}, QPoint(3, 100));
    EXPECT_TRUE(p.bar.IsDragging());
    EXPECT_EQ(drawnPixels(p.panel), 0);
    QTest::mouseMove(&p.bar, QPoint(23, 100));
    // A dotted line down the middle of the bar, 20 pixels on: x = 73 + 20.
    const QImage* overlay = CClientDC::Overlay(p.panel);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(drawnPixels(p.panel), 100);
    EXPECT_NE(overlay->pixel(93, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(overlay->pixel(93, 1) & 0xFFFFFF, 0u);
    // On screen it inverts what the panel shows there.
    const QImage screen = p.top.grab().toImage();
    const QRgb under = screen.pixel(10 + 93, 10 + 1), ghost = screen.pixel(10 + 93, 10 + 0);
    EXPECT_EQ(qRed(ghost), 255 - qRed(under));
    QTest::mouseMove(&p.bar, QPoint(43, 100));
    EXPECT_EQ(drawnPixels(p.panel), 100);
    EXPECT_NE(overlay->pixel(113, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(overlay->pixel(93, 0) & 0xFFFFFF, 0u);
    QTest::mouseRelease(&p.bar, Qt::LeftButton, {}, QPoint(43, 100));
    EXPECT_EQ(drawnPixels(p.panel), 0);
    EXPECT_EQ(placed(&p.bar), CRect(110, 0, 116, 200));
}

TEST(CKivSplitCtrl, ClickWithoutMovingDrawsNoGhostAndKeepsTheLayout)
{
    Panel p(false);
    QTest::mouseClick(&p.bar, Qt::LeftButton, {}, QPoint(3, 100));
    EXPECT_EQ(drawnPixels(p.panel), 0);
    EXPECT_EQ(placed(&p.first), CRect(0, 0, 70, 200));
    EXPECT_EQ(placed(&p.bar), CRect(70, 0, 76, 200));
    EXPECT_EQ(placed(&p.second), CRect(76, 0, 400, 200));
}

// Positions are taken from window rectangles; the offset is what lies
// between the parent's window corner and its client corner.
TEST(CKivSplitCtrl, OffsetShiftsTheComputedPositions)
{
    Panel p(false);
    p.bar.SetOffset(4, 23);
    p.drag(QPoint(3, 100), QPoint(13, 100));
    EXPECT_EQ(placed(&p.first), CRect(-4, -23, 76, 177));
}
