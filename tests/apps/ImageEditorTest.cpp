// SPDX-License-Identifier: MIT
// The image editor as a user drives it: menus enabled by the library's
// update handlers, page commands on a multi-page file, and a grab to look at.
#include "ImageEditor.h"

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/CKivLeadAppView.h"
#include "imaging/app/CKivLeadPageFrame.h"
#include "imaging/app/CKivLeadThumbView.h"
#include "imaging/widgets/CKivLeadScrollBars.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace vandrel::win32;

namespace {
// Three pages: red, green and blue.
std::string threePages(const testsupport::TempDir& dir)
{
    const std::string path = dir.file("pages.tif");
    CLeadBitmap page;
    int n = 0;
    for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) {
        KivLeadCreateBitmap(&page, 60, 40, 24, c);
        ++n;
        EXPECT_EQ(KivLeadSaveFile(path.c_str(), &page, KIVLEAD_FORMAT_TIFF, 0, 2, n, n > 1 ? KIVLEAD_SAVE_INSERT : 0),
            KIVLEAD_SUCCESS);
    }
    return path;
}
} // namespace

TEST(ImageEditor, MenusFollowTheActiveDocument)
{
    testsupport::TempDir dir;
    MessageBoxRecorder boxes;
    const std::string tif = threePages(dir);
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    editor.resize(1000, 700);
    editor.updateCommands();
    EXPECT_FALSE(editor.action("Undo")->isEnabled());
    EXPECT_FALSE(editor.action("Delete page")->isEnabled());

    ASSERT_NE(editor.app().OpenDocumentFile(tif.c_str()), nullptr);
    ASSERT_NE(editor.activeView(), nullptr);
    CKivLeadThumbView* pages = editor.activeFrame()->GetPageList();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->GetCount(), 3);
    editor.updateCommands();
    EXPECT_TRUE(editor.action("Delete page")->isEnabled());
    EXPECT_FALSE(editor.action("Window level...")->isEnabled());
    EXPECT_TRUE(editor.action("Resample")->isChecked());
    EXPECT_FALSE(editor.action("Full screen")->isEnabled()); // offscreen: nothing to capture

    editor.action("Next page")->trigger();
    EXPECT_EQ(pages->GetCurrentPage(), 1);
    editor.action("Invert")->trigger();
    editor.updateCommands();
    EXPECT_TRUE(editor.action("Undo")->isEnabled());
    boxes.answer(IDYES);
    editor.action("Delete page")->trigger();
    EXPECT_EQ(pages->GetCount(), 2);
    std::vector<KivLeadFileInfo> info;
    ASSERT_EQ(KivLeadGetPagesInfo(tif.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.size(), 2u);

    FileDialogRecorder files;
    const std::string pdf = dir.file("page.pdf");
    files.answer(pdf.c_str());
    editor.action("Print to PDF...")->trigger();
    EXPECT_TRUE(std::filesystem::exists(pdf));
    EXPECT_TRUE(editor.grab().save(VANDREL_BINARY_DIR "/image-editor.png"));

    // Closing asks nothing when nothing is changed.
    boxes.clear();
    EXPECT_TRUE(editor.close());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(editor.app().EnumAllDocuments().empty());
}

TEST(ImageEditor, TheNextPageKeyAsksOnceAndSavesOnlyThePageLeft)
{
    testsupport::TempDir dir;
    MessageBoxRecorder boxes;
    // A real box runs an event loop: what the list posted arrives meanwhile.
    boxes.whileShown([] { QCoreApplication::processEvents(); });
    const std::string tif = threePages(dir);
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    ASSERT_NE(editor.app().OpenDocumentFile(tif.c_str()), nullptr);
    CKivLeadThumbView* pages = editor.activeFrame()->GetPageList();
    editor.action("Next page")->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(pages->GetCurrentPage(), 1);
    editor.action("Invert")->trigger();
    boxes.answer(IDYES);
    boxes.answer(IDYES);
    editor.action("Next page")->trigger(); // what Ctrl+PgDown does
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown().size(), 1u) << "one question for one change of page";
    EXPECT_EQ(pages->GetCurrentPage(), 2);
    // Every page of the file afterwards: only the one left changed.
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(255, 0, 255), RGB(0, 0, 255)};
    for (int n = 1; n <= 3; ++n) {
        CLeadBitmap page;
        ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, n), KIVLEAD_SUCCESS);
        COLORREF c = 0;
        KivLeadGetPixel(&page, 5, 5, &c);
        EXPECT_EQ(c, expected[n - 1]) << "page " << n;
    }
    // Clicking in the list asks once too.
    editor.action("Invert")->trigger();
    boxes.clear();
    boxes.answer(IDNO);
    pages->SelectPage(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(pages->GetCurrentPage(), 0);
}

// Images dropped from a file manager open, each in a window of its own.
TEST(ImageEditor, ImagesDroppedOnTheEditorOpen)
{
    testsupport::TempDir dir;
    const std::string path = threePages(dir);
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    ASSERT_EQ(editor.activeView(), nullptr);
    EXPECT_TRUE(testsupport::dropFiles(editor, {QString::fromStdString(path)}));
    QCoreApplication::processEvents();
    ASSERT_NE(editor.activeView(), nullptr);
}

// The view of a page larger than its window scrolls with bars; zoom works
// from every mode; the status bar names size, zoom and page.
TEST(ImageEditor, ScrollBarsZoomFromEveryModeAndTheStatusBar)
{
    testsupport::TempDir dir;
    MessageBoxRecorder boxes;
    const std::string tif = threePages(dir);
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    editor.resize(1000, 700);
    editor.show();
    ASSERT_NE(editor.app().OpenDocumentFile(tif.c_str()), nullptr);
    CKivLeadAppView* view = editor.activeView();
    ASSERT_NE(view, nullptr);
    editor.action("Next page")->trigger();
    QCoreApplication::processEvents();
    editor.action("Normal (100%)")->trigger();
    editor.updateCommands();
    EXPECT_TRUE(editor.action("Zoom in")->isEnabled()) << "not only in Zoom mode";
    EXPECT_EQ(editor.statusText(), "60 × 40 pixels, 100 %, page 2 of 3");
    for (int i = 0; i < 80; ++i) // to the largest zoom, 960 pixels wide
        editor.action("Zoom in")->trigger();
    EXPECT_EQ(view->GetViewMode(), CKivLeadAppView::kModeZoom);
    EXPECT_EQ(editor.statusText(), QString("60 × 40 pixels, %1 %, page 2 of 3").arg(view->GetZoom()));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    CKivLeadScrollBars* bars = editor.activeFrame()->GetScrollBars();
    ASSERT_NE(bars, nullptr);
    ASSERT_TRUE(bars->horizontal()->isVisible()) << view->GetZoom() << "% of 60 pixels in " << view->width();
    bars->horizontal()->setValue(bars->horizontal()->maximum());
    EXPECT_EQ(view->GetScrollPosition().x, view->GetScrollLimit().cx);
}

// Closing the editor with a changed page asks once, naming the file;
// Cancel keeps the editor and the change, No leaves the file as it was.
TEST(ImageEditor, ClosingWithAChangedPageAsksOnceAndNoKeepsTheFile)
{
    testsupport::TempDir dir;
    MessageBoxRecorder boxes;
    const std::string tif = threePages(dir);
    const testsupport::Bytes before = testsupport::readFile(tif);
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    ASSERT_NE(editor.app().OpenDocumentFile(tif.c_str()), nullptr);
    editor.action("Invert")->trigger();
    boxes.answer(IDCANCEL);
    EXPECT_FALSE(editor.close());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Image has been changed. Do you want to save changes?");
    EXPECT_TRUE(QString::fromStdString(boxes.shown()[0].caption).endsWith(" - pages.tif")) << "the file is named";
    EXPECT_NE(editor.activeView(), nullptr) << "Cancel keeps the picture and its change";
    boxes.clear();
    boxes.answer(IDNO);
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(boxes.shown().size(), 1u) << "asked once";
    EXPECT_EQ(testsupport::readFile(tif), before);
}
