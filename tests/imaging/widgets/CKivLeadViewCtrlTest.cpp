// SPDX-License-Identifier: MIT
#include "ImagingTestData.h"

#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadViewCtrl.h"
#include "platform/services/MessageBox.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace imagingtest;

namespace {

// A view of a width × height image in a client of cw × ch.
void setUp(CKivLeadViewCtrl& view, int width, int height, int cw, int ch)
{
    view.resize(cw, ch);
    ASSERT_EQ(KivLeadCreateBitmap(view.GetBitmap(), width, height, 24, RGB(0, 0, 255)), KIVLEAD_SUCCESS);
}

QImage paint(CKivLeadViewCtrl& view)
{
    QImage surface(view.width(), view.height(), QImage::Format_RGB32);
    surface.fill(Qt::white);
    QPainter painter(&surface);
    view.Paint(painter, CRect(0, 0, view.width(), view.height()));
    return surface;
}

} // namespace

TEST(CKivLeadViewCtrl, ZoomStepsNeverGoBelowOne)
{
    CKivLeadViewCtrl view;
    EXPECT_EQ(view.GetZoom(), 100);
    view.SetZoom(15);
    view.ZoomOut();
    EXPECT_EQ(view.GetZoom(), 1);
    view.SetZoomFactor(30);
    view.ZoomIn();
    EXPECT_EQ(view.GetZoom(), 31);
    view.SetZoom(-5);
    EXPECT_EQ(view.GetZoom(), 1);
}

TEST(CKivLeadViewCtrl, ZoomFitTakesTheSmallerRatioAndSwapsRotatedPerspectives)
{
    CKivLeadViewCtrl view;
    setUp(view, 400, 300, 200, 200);
    view.ZoomFit();
    EXPECT_EQ(view.GetZoom(), 50);
    EXPECT_EQ(view.GetPaintRect(), CRect(0, 0, 200, 150));
    EXPECT_EQ(view.GetSize(), CSize(200, 150));
    view.GetBitmap()->SetViewPerspective(4);
    view.ZoomFit();
    EXPECT_EQ(view.GetZoom(), 50); // min(200/300, 200/400)
    EXPECT_EQ(view.GetPaintRect(), CRect(0, 0, 150, 200));
    // A tiny window still shows the image at 1 %.
    view.resize(1, 1);
    view.ZoomFit();
    EXPECT_EQ(view.GetZoom(), 1);
}

TEST(CKivLeadViewCtrl, CentringKeepsAWideImageAtZeroUnlessEditable)
{
    CKivLeadViewCtrl view;
    setUp(view, 300, 50, 100, 100);
    view.SetFit(0);
    view.SetCenter(1);
    QImage shown = paint(view);
    EXPECT_EQ(view.GetViewOffset(), CPoint(0, 25));
    EXPECT_EQ(shown.pixel(0, 30) & 0xFFFFFF, 0x0000FFu);
    view.SetEditable(1);
    paint(view);
    EXPECT_EQ(view.GetViewOffset(), CPoint(-100, 25));
    view.SetCenter(0);
    shown = paint(view);
    EXPECT_EQ(view.GetViewOffset(), CPoint(0, 0));
    EXPECT_EQ(shown.pixel(0, 60) & 0xFFFFFF, view.palette().window().color().rgb() & 0xFFFFFF);
}

TEST(CKivLeadViewCtrl, PaintsZoomedPixelsFromOnePaintHandle)
{
    CKivLeadViewCtrl view;
    view.resize(64, 64);
    CLeadBitmap* image = view.GetBitmap();
    ASSERT_EQ(load(encode(marked(20, 20, 0x000000, 3, 4, 0xFF0000), "PNG"), *image), KIVLEAD_SUCCESS);
    view.SetFit(0);
    view.SetZoom(400);
    QImage shown = paint(view);
    for (int y = 16; y < 20; ++y)
        for (int x = 12; x < 16; ++x)
            EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, 0xFF0000u) << x << "," << y;
    EXPECT_EQ(shown.pixel(11, 16) & 0xFFFFFF, 0u);
    view.SetZoom(50);
    shown = paint(view);
    EXPECT_EQ(shown.pixel(15, 15) & 0xFFFFFF, view.palette().window().color().rgb() & 0xFFFFFF);
    paint(view);
    view.SetZoom(400);
    paint(view);
    EXPECT_EQ(image->PaintImageBuilds(), 1);
}

TEST(CKivLeadViewCtrl, GrainGrowsWithTheDisplayedArea)
{
    EXPECT_EQ(CKivLeadViewCtrl::EffectGrain(10000), 1);
    EXPECT_EQ(CKivLeadViewCtrl::EffectGrain(10001), 2);
    EXPECT_EQ(CKivLeadViewCtrl::EffectGrain(40000), 2);
    EXPECT_EQ(CKivLeadViewCtrl::EffectGrain(160001), 8);
    EXPECT_EQ(CKivLeadViewCtrl::EffectGrain(1440000), 16);
    EXPECT_EQ(CKivLeadViewCtrl::EffectGrain(1440001), 32);
}

TEST(CKivLeadViewCtrl, DisplayErrorShowsTheCodeAndSetFileNameIsSilent)
{
    MessageBoxRecorder boxes;
    CKivLeadViewCtrl view;
    EXPECT_EQ(view.DisplayError(1), 1);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(view.DisplayError(-6), -6);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error has occured.\nCODE = -6");
    EXPECT_EQ(boxes.shown()[0].owner, &view);

    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("a.png"), encode(marked(30, 20, 0x00FF00, 0, 0, 0x00FF00), "PNG"));
    view.Offset(5, 5);
    view.SetFileName(dir.file("a.png").c_str(), 1, 1);
    EXPECT_EQ(view.GetBitmap()->Width(), 30);
    EXPECT_EQ(view.GetViewOffset(), CPoint(0, 0));
    view.SetFileName(dir.file("missing.png").c_str(), 1, 1);
    EXPECT_FALSE(view.GetBitmap()->IsAllocated());
    EXPECT_EQ(boxes.shown().size(), 1u);
    paint(view); // an empty image paints the background only
}
