// SPDX-License-Identifier: MIT
// The progress window on a real X server: a job that runs on the interface
// thread and never returns to the event loop still sees the window painted
// on the screen, step by step.
#include "dialogs/CKivProgressDlg.h"
#include "dialogs/KivDlgProgress.h"
#include "support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QThread>

#include <string>

namespace {

std::string skipReason;

// The share of pixels two pictures of the same size have alike.
double alike(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 0;
    long same = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            same += (a.pixel(x, y) & 0xFFFFFF) == (b.pixel(x, y) & 0xFFFFFF);
    return static_cast<double>(same) / (a.width() * a.height());
}

} // namespace

TEST(ProgressOnScreen, AJobThatNeverYieldsStillSeesEachStepPainted)
{
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Job", 100), 1);
    CKivProgressDlg* window = KivDlgProgressWindow();
    ASSERT_NE(window, nullptr);
    for (int step = 1; step <= 60; ++step) {
        QThread::msleep(5); // the work: no event loop runs meanwhile
        ASSERT_EQ(KivDlgProgressShow(("Working on step " + std::to_string(step)).c_str(), step), 1);
    }
    // What the X server shows of the window, against what Qt would paint.
    const QImage onScreen
        = QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage painted = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    onScreen.save("progress-on-screen.png");
    EXPECT_GT(alike(onScreen, painted), 0.95) << "the window on the screen is not the window Qt paints";
    KivDlgProgressClose();
}

int main(int argc, char** argv)
{
    skipReason = testsupport::useFixtureDisplay();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
