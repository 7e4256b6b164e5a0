// SPDX-License-Identifier: MIT
// The studio's image window on the bundled picture.
#include "ImageWindow.h"

#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadScrollBars.h"
#include "platform/services/MessageBox.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <filesystem>

using namespace vandrel::win32;

namespace {
// A w × h picture of one colour at path.
void writePicture(const std::string& path, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::gray);
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
}
} // namespace

TEST(ImageWindow, MenusRunTheCommandsWithUndoAndRedo)
{
    ImageWindow window(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg");
    ASSERT_TRUE(window.edit().GetBitmap()->IsAllocated());
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 800);
    for (const char* entry : {"Undo", "Redo", "Rotate 90° clockwise", "Color...", "Level...", "Flip / Reverse...",
             "Rotate...", "Sobel...", "Unique colors", "Crop tool"})
        EXPECT_NE(window.action(entry), nullptr) << entry;
    window.action("Rotate 90° clockwise")->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 533);
    EXPECT_EQ(window.edit().IsModified(), 1);
    EXPECT_TRUE(window.windowTitle().contains('*'));
    window.action("Undo")->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 800);
    window.action("Redo")->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 533);
    window.resize(900, 650);
    EXPECT_TRUE(window.grab().save(VANDREL_BINARY_DIR "/image-window.png"));
}

TEST(ImageWindow, ClosingAChangedPictureAsksFirst)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("clouds.jpg");
    std::filesystem::copy_file(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg", file);
    const testsupport::Bytes original = testsupport::readFile(file);
    MessageBoxRecorder boxes;
    ImageWindow window(QString::fromStdString(file));
    // Unchanged: closes without a word.
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(boxes.shown().empty());

    window.action("Rotate 90° clockwise")->trigger();
    // Cancel keeps the window and the change; No lets both go.
    boxes.answer(IDCANCEL);
    EXPECT_FALSE(window.close());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown().front().text, "Save changes to clouds.jpg?");
    EXPECT_EQ(window.edit().IsModified(), 1);
    boxes.answer(IDNO);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(testsupport::readFile(file), original);

    // Yes saves before it closes.
    ImageWindow again(QString::fromStdString(file));
    again.action("Rotate 90° clockwise")->trigger();
    boxes.clear();
    boxes.answer(IDYES);
    EXPECT_TRUE(again.close());
    EXPECT_EQ(boxes.shown().size(), 1u);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(file.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.width, 533) << "the rotated picture was saved";
}

// A page of a multi-page file: saved, the other pages stay; the question
// names the page; opening another file asks first too.
TEST(ImageWindow, SavingAPageKeepsTheOtherPagesAndOpeningAnotherAsksFirst)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("pages.tif");
    CLeadBitmap page;
    for (int n = 1; n <= 3; ++n) {
        KivLeadCreateBitmap(&page, 60, 40, 24, n == 1 ? RGB(255, 0, 0) : RGB(0, 0, 255));
        ASSERT_EQ(KivLeadSaveFile(file.c_str(), &page, KIVLEAD_FORMAT_TIFF, 0, 2, n, n > 1 ? KIVLEAD_SAVE_INSERT : 0),
            KIVLEAD_SUCCESS);
    }
    MessageBoxRecorder boxes;
    ImageWindow window(QString::fromStdString(file));
    window.action("Rotate 90° clockwise")->trigger();
    boxes.answer(IDCANCEL);
    window.action("Open...")->trigger(); // Cancel: no file dialog, the change stays
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown().front().text, "Save changes to page 1 of pages.tif?");
    EXPECT_EQ(window.edit().IsModified(), 1);

    boxes.answer(IDYES);
    EXPECT_TRUE(window.close());
    std::vector<KivLeadFileInfo> pages;
    ASSERT_EQ(KivLeadGetPagesInfo(file.c_str(), &pages), KIVLEAD_SUCCESS);
    ASSERT_EQ(pages.size(), 3u) << "the other pages stay";
    EXPECT_EQ(pages[0].width, 40) << "page 1 was turned";
    EXPECT_EQ(pages[1].width, 60);
}

// A file manager's drop: the window takes the dropped picture, after asking
// about its own changes.
TEST(ImageWindow, APictureDroppedOnTheWindowOpensInIt)
{
    testsupport::TempDir dir;
    const std::string first = dir.file("a.png"), second = dir.file("b.png");
    writePicture(first, 20, 10);
    writePicture(second, 30, 15);
    MessageBoxRecorder boxes;
    ImageWindow window(QString::fromStdString(first));
    window.action("Rotate 90° clockwise")->trigger();
    const auto drop = [&] {
        EXPECT_TRUE(testsupport::dropFiles(window, {QString::fromStdString(second)})) << "a drag of files is welcome";
    };
    boxes.answer(IDCANCEL);
    drop();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 10) << "Cancel keeps the changed picture";
    boxes.answer(IDNO);
    drop();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 30) << "the dropped picture is shown";
    EXPECT_TRUE(window.windowTitle().startsWith("b.png"));
    EXPECT_EQ(boxes.shown().size(), 2u);
}

// The files opened last, newest first; one that has gone leaves the list.
TEST(ImageWindow, RecentFilesReopenAndForgetWhatIsGone)
{
    testsupport::TempDir dir;
    const std::string a = dir.file("a.png"), b = dir.file("b.png");
    writePicture(a, 20, 10);
    writePicture(b, 30, 15);
    MessageBoxRecorder boxes;
    ImageWindow window(QString::fromStdString(a));
    window.open(QString::fromStdString(b));
    QMenu* recent = nullptr;
    for (QMenu* m : window.findChildren<QMenu*>())
        if (m->title() == "Recen&t Files")
            recent = m;
    ASSERT_NE(recent, nullptr);
    const QList<QAction*> entries = recent->actions();
    ASSERT_GE(entries.size(), 2);
    EXPECT_EQ(entries.at(0)->text(), "&1 b.png");
    EXPECT_EQ(entries.at(1)->text(), "&2 a.png");
    entries.at(1)->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 20) << "a.png opened again";
    EXPECT_EQ(recent->actions().at(0)->text(), "&1 a.png");

    std::filesystem::remove(b);
    recent->actions().at(1)->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].text.find("is no longer there"), std::string::npos);
    EXPECT_EQ(recent->actions().at(0)->text(), "&1 a.png");
    for (const QAction* entry : recent->actions())
        EXPECT_NE(entry->toolTip().toStdString(), b) << "b.png left the list";
}

// Zoomed past the window, the picture gets scroll bars that move it; Ctrl
// and the wheel zoom, the wheel scrolls, and the status bar says what shows.
TEST(ImageWindow, ScrollBarsWheelZoomAndTheStatusBar)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("big.png");
    writePicture(file, 400, 300);
    ImageWindow window(QString::fromStdString(file));
    window.resize(500, 400);
    window.show();
    QCoreApplication::processEvents();
    CKivLeadScrollBars* bars = window.scrollBars();
    ASSERT_NE(bars, nullptr);
    EXPECT_FALSE(bars->horizontal()->isVisible()) << "fitted, nothing to scroll";
    const int fitted = window.edit().GetZoom();
    EXPECT_EQ(window.statusText(), QString("400 × 300 pixels, %1 %").arg(fitted));
    for (int i = 0; i < 8; ++i)
        window.action("Zoom in")->trigger();
    EXPECT_GT(window.edit().GetZoom(), fitted) << "zooming starts from the fitted zoom";
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_TRUE(bars->horizontal()->isVisible() && bars->vertical()->isVisible());
    EXPECT_EQ(bars->horizontal()->maximum(), window.edit().GetScrollLimit().cx);
    bars->vertical()->setValue(40);
    EXPECT_EQ(window.edit().GetScrollPosition().y, 40) << "the bar moves the picture";
    // The wheel scrolls up; with Ctrl it zooms out.
    QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&window.edit(), &up);
    EXPECT_EQ(window.edit().GetScrollPosition().y, 0);
    QCoreApplication::processEvents(); // the paint
    QCoreApplication::processEvents(); // the bars, after it
    EXPECT_EQ(bars->vertical()->value(), 0) << "the bar follows what else moved the picture";
    const int zoomed = window.edit().GetZoom();
    QWheelEvent out(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&window.edit(), &out);
    EXPECT_LT(window.edit().GetZoom(), zoomed);
    EXPECT_EQ(window.statusText(), QString("400 × 300 pixels, %1 %").arg(window.edit().GetZoom()));
    EXPECT_TRUE(window.grab().save(VANDREL_BINARY_DIR "/image-window-zoomed.png"));
}
