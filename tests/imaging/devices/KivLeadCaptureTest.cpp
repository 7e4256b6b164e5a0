// SPDX-License-Identifier: MIT
// Screen capture against a real X server: the Xvfb the CTest fixture
// started. The executable makes its own application, on that display, so
// it has its own main; without a server every X test skips and says why.
#include "ImagingTestData.h"

#include "imaging/app/CKivLeadApp.h"
#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "platform/docview/CFrameWnd.h"
#include "platform/services/MessageBox.h"
#include "support/TestSupport.h"

#include "support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using imagingtest::pixel;

std::string skipReason;

// A frameless window of one colour, so its frame and client area agree
// whether or not a window manager runs.
class Swatch : public QWidget {
public:
    Swatch() : QWidget(nullptr, Qt::FramelessWindowHint) { }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0x20, 0xa0, 0xe0)); }
};

constexpr QRgb kSwatch = 0x20a0e0;

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!skipReason.empty())
            GTEST_SKIP() << skipReason;
        swatch_.setGeometry(50, 60, 200, 100);
        swatch_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&swatch_));
        swatch_.activateWindow();
        // Without a window manager focus may not come; the active-window checks skip then.
        static_cast<void>(QTest::qWaitForWindowActive(&swatch_, 2000));
        QCursor::setPos(150, 110);
        // Let the server draw what the window painted.
        QTest::qWait(200);
    }

    Swatch swatch_;
};

TEST_F(CaptureTest, AreaAndFullScreenShowTheWindow)
{
    CLeadBitmap area;
    ASSERT_EQ(KivLeadCaptureScreen(&area, KIVLEAD_CAPTURE_AREA, QRect(40, 50, 30, 20)), KIVLEAD_SUCCESS);
    ASSERT_EQ(area.Width(), 30);
    ASSERT_EQ(area.Height(), 20);
    // The window starts 10 pixels in on both axes; the root behind it is black.
    EXPECT_EQ(pixel(area, 10, 10), kSwatch);
    EXPECT_EQ(pixel(area, 29, 19), kSwatch);
    EXPECT_NE(pixel(area, 9, 9), kSwatch);
    EXPECT_NE(pixel(area, 12, 9), kSwatch);

    CLeadBitmap screen;
    ASSERT_EQ(KivLeadCaptureScreen(&screen, KIVLEAD_CAPTURE_FULLSCREEN), KIVLEAD_SUCCESS);
    EXPECT_EQ(screen.Width(), 640);
    EXPECT_EQ(screen.Height(), 480);
    EXPECT_EQ(pixel(screen, 249, 159), kSwatch);
    EXPECT_NE(pixel(screen, 250, 160), kSwatch);

    // An area partly off the screen is cut to it; one wholly off fails.
    CLeadBitmap edge;
    ASSERT_EQ(KivLeadCaptureScreen(&edge, KIVLEAD_CAPTURE_AREA, QRect(600, 470, 100, 100)), KIVLEAD_SUCCESS);
    EXPECT_EQ(edge.Width(), 40);
    EXPECT_EQ(edge.Height(), 10);
    EXPECT_EQ(
        KivLeadCaptureScreen(&edge, KIVLEAD_CAPTURE_AREA, QRect(5000, 5000, 10, 10)), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(KivLeadCaptureScreen(&edge, KIVLEAD_CAPTURE_AREA, QRect()), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(edge.Width(), 40);
}

TEST_F(CaptureTest, WindowKindsCaptureTheWindow)
{
    CLeadBitmap under;
    ASSERT_EQ(KivLeadCaptureScreen(&under, KIVLEAD_CAPTURE_WINDOW_UNDER_CURSOR), KIVLEAD_SUCCESS);
    EXPECT_EQ(under.Width(), 200);
    EXPECT_EQ(under.Height(), 100);
    EXPECT_EQ(pixel(under, 0, 0), kSwatch);
    EXPECT_EQ(pixel(under, 199, 99), kSwatch);

    if (!swatch_.isActiveWindow())
        GTEST_SKIP() << "the X server gave the window no focus";
    CLeadBitmap client;
    ASSERT_EQ(KivLeadCaptureScreen(&client, KIVLEAD_CAPTURE_ACTIVE_CLIENT), KIVLEAD_SUCCESS);
    EXPECT_EQ(client.Width(), 200);
    EXPECT_EQ(pixel(client, 100, 50), kSwatch);
    CLeadBitmap window;
    ASSERT_EQ(KivLeadCaptureScreen(&window, KIVLEAD_CAPTURE_ACTIVE_WINDOW), KIVLEAD_SUCCESS);
    EXPECT_GE(window.Width(), 200);
}

TEST_F(CaptureTest, TheEditorOpensACaptureAsANewDocument)
{
    testsupport::TempDir dir;
    MessageBoxRecorder boxes;
    CKivLeadApp app(dir.file("profile.ini"));
    app.AddImageTemplate([](CKivLeadAppDoc*) { return new CFrameWnd; });
    ASSERT_EQ(CKivLeadApp::IsCaptureSupported(), 1);
    app.m_CaptureAreaOptions.area = QRect(50, 60, 200, 100);
    app.OnCapture(CKivLeadApp::kCaptureArea);
    ASSERT_TRUE(boxes.shown().empty()) << boxes.shown()[0].text;
    ASSERT_EQ(app.EnumAllDocuments().size(), 1u);
    CKivLeadAppDoc* doc = app.EnumAllDocuments()[0];
    EXPECT_EQ(doc->GetBitmap()->Width(), 200);
    EXPECT_EQ(pixel(*doc->GetBitmap(), 100, 50), kSwatch);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(app.m_nCaptureKind, CKivLeadApp::kCaptureNone);
    // Kinds this platform cannot take stay disabled and refuse.
    app.OnCapture(CKivLeadApp::kCaptureWallpaper);
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(app.EnumAllDocuments().size(), 1u);
    doc->SetModifiedFlag(0);
    app.CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(CaptureTest, NoWindowOfTheKindFails)
{
    QCursor::setPos(600, 400);
    CLeadBitmap bitmap;
    EXPECT_EQ(KivLeadCaptureScreen(&bitmap, KIVLEAD_CAPTURE_WINDOW_UNDER_CURSOR), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(KivLeadCaptureScreen(&bitmap, 0), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(KivLeadCaptureScreen(nullptr, KIVLEAD_CAPTURE_FULLSCREEN), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_FALSE(bitmap.IsAllocated());
}

} // namespace

int main(int argc, char** argv)
{
    skipReason = testsupport::useFixtureDisplay();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
