// SPDX-License-Identifier: MIT
// The apps' windows open within the screen, however small it is: the
// offscreen screen of the tests is 800 × 600, smaller than the editor's
// wish of 1100 × 760.
#include "ScreenFit.h"
#include "ImageBrowser.h"
#include "ImageEditor.h"
#include "ImageWindow.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

TEST(ScreenFit, WindowsOpenWithinTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    ASSERT_LT(screen.width(), 1100) << "the test needs a screen smaller than the editor";
    testsupport::TempDir dir;
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    ImageWindow image(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg");
    ImageBrowser browser(VANDREL_SOURCE_DIR "/samples/images", QString::fromStdString(dir.path().string()));
    for (QWidget* window : std::initializer_list<QWidget*> {&editor, &image, &browser}) {
        EXPECT_LE(window->width(), screen.width()) << window->metaObject()->className();
        EXPECT_LE(window->height(), screen.height()) << window->metaObject()->className();
    }
    EXPECT_EQ(SizeOnScreen(&editor, QSize(300, 200)), QSize(300, 200)) << "a window that fits keeps its size";
}
