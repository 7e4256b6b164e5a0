// SPDX-License-Identifier: MIT
// The image editor's document, view and page list assembled as a host
// assembles them: pages change with the save prompts, keep their own view
// state, and page edits leave every other page of the file as it was.
#include "ImagingTestData.h"
#include "toolkit/TiffTestFiles.h"

#include "imaging/app/CKivLeadApp.h"
#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/CKivLeadAppView.h"
#include "imaging/app/CKivLeadPageFrame.h"
#include "imaging/app/CKivLeadThumbView.h"
#include "imaging/widgets/CKivLeadValueDlg.h"
#include "platform/docview/CCmdUI.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <QFileInfo>

#include <sys/stat.h>

#include <filesystem>

using namespace imagingtest;
using namespace testsupport;
using namespace vandrel::win32;

namespace {

// Every box shown, for a failure's message.
std::string said(const MessageBoxRecorder& boxes)
{
    std::string all;
    for (const auto& b : boxes.shown())
        all += "[" + b.text + "] ";
    return all;
}

class Editor : public testing::Test {
protected:
    Editor() : app(dir.file("profile.ini")) { app.AddImageTemplate(); }
    ~Editor() override
    {
        app.CloseAllDocuments();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CKivLeadAppDoc* open(const std::string& path)
    {
        auto* doc = dynamic_cast<CKivLeadAppDoc*>(app.OpenDocumentFile(path.c_str()));
        if (doc)
            frame()->resize(640, 480);
        return doc;
    }
    CKivLeadPageFrame* frame() const
    {
        const auto docs = app.EnumAllDocuments();
        return docs.empty() ? nullptr : static_cast<CKivLeadPageFrame*>(docs.back()->GetFrames().front());
    }
    CKivLeadAppView* view() const { return frame()->GetImageView(); }
    CKivLeadThumbView* pages() const { return frame()->GetPageList(); }
    // Three grey pages of different sizes.
    std::string threePages(const char* name)
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(writeTiff(path,
            {{40, 30, 8, 1, TiffPageSpec::Lzw}, {64, 48, 8, 1, TiffPageSpec::None},
                {20, 10, 8, 3, TiffPageSpec::None}}));
        return path;
    }

    TempDir dir;
    MessageBoxRecorder boxes;
    CKivLeadApp app;
};

} // namespace

TEST_F(Editor, OnePageFileIsAnOrdinaryDocument)
{
    const std::string png = dir.file("one.png");
    ASSERT_TRUE(marked(30, 20, 0xFFFFFF, 1, 1, 0).save(QString::fromStdString(png)));
    CKivLeadAppDoc* doc = open(png);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->m_bMultiPage);
    EXPECT_FALSE(doc->CanActOnPage());
    EXPECT_EQ(pages(), nullptr);
    EXPECT_TRUE(boxes.shown().empty());
    CCmdUI add, del;
    view()->OnUpdatePageCommand(&add);
    view()->OnUpdatePageDelete(&del);
    EXPECT_FALSE(add.IsEnabled());
    EXPECT_FALSE(del.IsEnabled());
    // The view shows the document's own image.
    EXPECT_EQ(view()->GetBitmap(), doc->GetBitmap());
}

TEST_F(Editor, PageChangeAsksAndCancelKeepsThePage)
{
    const std::string tif = threePages("three.tif");
    const auto stored = rawPages(tif);
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->m_bMultiPage);
    ASSERT_EQ(pages()->GetCount(), 3);
    EXPECT_EQ(doc->GetBitmap()->Width(), 40);

    // Nothing changed and the page prompt off: no question.
    pages()->SelectPage(1);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(doc->GetBitmap()->Width(), 64);

    view()->RunCommand("invert");
    ASSERT_TRUE(doc->IsModified());
    boxes.answer(IDCANCEL);
    pages()->SelectPage(2);
    ASSERT_EQ(boxes.shown().size(), 1u) << said(boxes);
    EXPECT_EQ(boxes.shown()[0].text, "Image has been changed. Do you want to save changes?");
    EXPECT_EQ(boxes.shown()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
    EXPECT_EQ(pages()->GetCurrentPage(), 1);
    EXPECT_EQ(pages()->GetList()->GetCurSel(), 1);
    EXPECT_EQ(doc->GetBitmap()->Width(), 64);
    EXPECT_TRUE(doc->IsModified());

    // No drops the change: the file is untouched.
    boxes.answer(IDNO);
    pages()->SelectPage(2);
    EXPECT_EQ(pages()->GetCurrentPage(), 2);
    EXPECT_EQ(doc->GetBitmap()->Width(), 20);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetUndo(), nullptr);
    EXPECT_TRUE(rawPages(tif) == stored);
}

TEST_F(Editor, YesSavesOnlyThatPage)
{
    const std::string tif = threePages("three.tif");
    const auto stored = rawPages(tif);
    app.m_bPromptSavePage = 1;
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    pages()->SelectPage(1);
    view()->RunCommand("invert");
    const QRgb inverted = pixel(*doc->GetBitmap(), 5, 5);
    boxes.answer(IDYES);
    pages()->SelectPage(0);
    ASSERT_EQ(boxes.shown().size(), 1u) << said(boxes);
    EXPECT_EQ(boxes.shown()[0].text, "Page 2 has been changed. Do you want to save changes?");
    EXPECT_TRUE(QString::fromStdString(boxes.shown()[0].caption)
                    .endsWith(" - " + QFileInfo(QString::fromStdString(tif)).fileName()))
        << "the caption names the file: " << boxes.shown()[0].caption;
    const auto now = rawPages(tif);
    ASSERT_EQ(now.size(), 3u);
    EXPECT_TRUE(now[0] == stored[0]);
    EXPECT_TRUE(now[2] == stored[2]);
    EXPECT_FALSE(now[1] == stored[1]);
    CLeadBitmap saved;
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &saved, 0, 2), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(saved, 5, 5), inverted);

    // Auto-save saves without asking.
    boxes.clear();
    doc->m_bAutoSave = 1;
    view()->RunCommand("invert");
    pages()->SelectPage(2);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(rawPages(tif)[0] == stored[0]);
}

TEST_F(Editor, EachPageKeepsItsZoomAndScroll)
{
    // A page larger than the window, so it scrolls, beside a small one.
    const std::string tif = dir.file("two.tif");
    ASSERT_TRUE(writeTiff(tif, {{40, 30, 8, 1, TiffPageSpec::Lzw}, {600, 450, 8, 1, TiffPageSpec::None}}));
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    pages()->SelectPage(1);
    view()->OnViewZoomMode();
    view()->SetViewZoom(300);
    view()->ScrollToPosition(CPoint(700, 500));
    const CPoint at = view()->GetScrollPosition();
    ASSERT_EQ(at, CPoint(700, 500));
    pages()->SelectPage(0);
    view()->OnViewFit();
    pages()->SelectPage(1);
    EXPECT_EQ(view()->GetZoom(), 300);
    EXPECT_EQ(view()->GetViewMode(), CKivLeadAppView::kModeZoom);
    EXPECT_EQ(view()->GetScrollPosition(), at);
    pages()->SelectPage(0);
    EXPECT_EQ(view()->GetViewMode(), CKivLeadAppView::kModeFit);
    // Fit: the smaller of the two ratios of the view to the 40 × 30 page.
    CRect client;
    view()->GetClientRect(&client);
    EXPECT_EQ(view()->GetZoom(), std::min(client.Width() * 100 / 40, client.Height() * 100 / 30));
}

TEST_F(Editor, ZoomStepsFromAnyModeWithinLimits)
{
    CKivLeadAppDoc* doc = open(threePages("three.tif"));
    ASSERT_NE(doc, nullptr);
    // Zooming from Normal (or Fit) starts at the zoom shown and turns to Zoom.
    view()->OnViewNormal();
    view()->ViewZoomIn();
    EXPECT_EQ(view()->GetZoom(), 120);
    EXPECT_EQ(view()->GetViewMode(), CKivLeadAppView::kModeZoom);
    view()->OnViewFit();
    const int fitted = view()->GetZoom();
    view()->ViewZoomOut();
    EXPECT_EQ(view()->GetZoom(), std::max(20, fitted - 20));
    EXPECT_EQ(view()->GetViewMode(), CKivLeadAppView::kModeZoom);
    view()->SetViewZoom(1590);
    view()->ViewZoomIn();
    EXPECT_EQ(view()->GetZoom(), 1600);
    view()->ViewZoomIn();
    EXPECT_EQ(view()->GetZoom(), 1600);
    view()->SetViewZoom(30);
    view()->ViewZoomOut();
    view()->ViewZoomOut();
    EXPECT_EQ(view()->GetZoom(), 20);
}

TEST_F(Editor, InsertTakesAllPagesOrOnlyTheFirst)
{
    const std::string tif = threePages("three.tif");
    const std::string source = threePages("source.tif");
    const auto stored = rawPages(tif);
    const auto sourcePages = rawPages(source);
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);

    boxes.answer(IDNO);
    SendMessage(frame(), KIVLEAD_WM_PAGE_ADD, 1, reinterpret_cast<LPARAM>(source.c_str()));
    ASSERT_EQ(boxes.shown().size(), 1u) << said(boxes);
    EXPECT_EQ(boxes.shown()[0].text,
        "File contains 3 pages. Press Yes to load them all. Press No to load the first page only");
    EXPECT_EQ(boxes.shown()[0].type, MB_YESNO | MB_ICONINFORMATION);
    EXPECT_EQ(pages()->GetCount(), 4);
    EXPECT_EQ(pages()->GetCurrentPage(), 3);
    auto now = rawPages(tif);
    ASSERT_EQ(now.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(now[i] == stored[i]) << i;

    // Yes before page 2: all three, in order, their bytes kept.
    boxes.answer(IDYES);
    pages()->SelectPage(1);
    SendMessage(frame(), KIVLEAD_WM_PAGE_ADD, 0, reinterpret_cast<LPARAM>(source.c_str()));
    EXPECT_EQ(pages()->GetCount(), 7);
    EXPECT_EQ(pages()->GetCurrentPage(), 1);
    now = rawPages(tif);
    ASSERT_EQ(now.size(), 7u);
    EXPECT_TRUE(now[0] == stored[0]);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(now[1 + i] == sourcePages[i]) << i;
    EXPECT_TRUE(now[4] == stored[1]);
    EXPECT_EQ(doc->GetBitmap()->Width(), 40);
}

TEST_F(Editor, ReplaceAndDeleteKeepTheOtherPages)
{
    const std::string tif = threePages("three.tif");
    const auto stored = rawPages(tif);
    const std::string png = dir.file("new.png");
    ASSERT_TRUE(marked(11, 13, 0x808080, 0, 0, 0xFFFFFF).save(QString::fromStdString(png)));
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);

    pages()->SelectPage(1);
    SendMessage(frame(), KIVLEAD_WM_PAGE_REPLACE, 0, reinterpret_cast<LPARAM>(png.c_str()));
    EXPECT_EQ(pages()->GetCount(), 3);
    EXPECT_EQ(doc->GetBitmap()->Width(), 11) << said(boxes);
    auto now = rawPages(tif);
    ASSERT_EQ(now.size(), 3u);
    EXPECT_TRUE(now[0] == stored[0]);
    EXPECT_TRUE(now[2] == stored[2]);

    // Delete asks first; No keeps the page.
    boxes.answer(IDNO);
    view()->OnPageDelete();
    ASSERT_EQ(boxes.shown().back().text, "Are you sure you want to delete this page?");
    EXPECT_EQ(boxes.shown().back().type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(pages()->GetCount(), 3);
    boxes.answer(IDYES);
    view()->OnPageDelete();
    EXPECT_EQ(pages()->GetCount(), 2);
    EXPECT_EQ(pages()->GetCurrentPage(), 0);
    now = rawPages(tif);
    ASSERT_EQ(now.size(), 2u);
    EXPECT_TRUE(now[0] == stored[0]);
    EXPECT_TRUE(now[1] == stored[2]);

    SendMessage(frame(), KIVLEAD_WM_PAGE_DELETE, 0, -1);
    EXPECT_EQ(pages()->GetCount(), 1);
    CCmdUI del, add;
    view()->OnUpdatePageDelete(&del);
    view()->OnUpdatePageCommand(&add);
    EXPECT_FALSE(del.IsEnabled());
    EXPECT_TRUE(add.IsEnabled());
    // The last page is never deleted.
    SendMessage(frame(), KIVLEAD_WM_PAGE_DELETE, 0, -1);
    EXPECT_EQ(rawPages(tif).size(), 1u);
}

TEST_F(Editor, FailuresGoThroughDisplayErrorAndLoseNothing)
{
    const std::string tif = threePages("three.tif");
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    const auto stored = rawPages(tif);
    SendMessage(frame(), KIVLEAD_WM_PAGE_ADD, 1, reinterpret_cast<LPARAM>(dir.file("missing.tif").c_str()));
    ASSERT_EQ(boxes.shown().size(), 1u) << said(boxes);
    EXPECT_EQ(boxes.shown()[0].text.rfind("A LEADTOOLS error has occured.\nCODE = -4", 0), 0u);
    EXPECT_EQ(pages()->GetCount(), 3);

    // A page save that cannot be written (a full disk): the page stays
    // changed and on screen, and the file as it was.
    view()->RunCommand("invert");
    boxes.clear();
    boxes.answer(IDYES);
    ASSERT_TRUE(withFileSizeLimit(readFile(tif).size() / 2, [&] { pages()->SelectPage(1); }));
    ASSERT_EQ(boxes.shown().size(), 2u) << said(boxes);
    EXPECT_EQ(pages()->GetCurrentPage(), 0);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(rawPages(tif) == stored);
}

TEST_F(Editor, UndoWorksOncePerCommand)
{
    const std::string png = dir.file("one.png");
    ASSERT_TRUE(marked(30, 20, 0x102030, 1, 1, 0).save(QString::fromStdString(png)));
    CKivLeadAppDoc* doc = open(png);
    ASSERT_NE(doc, nullptr);
    CCmdUI undo;
    view()->OnUpdateEditUndo(&undo);
    EXPECT_FALSE(undo.IsEnabled());
    view()->RunCommand("invert");
    EXPECT_EQ(pixel(*doc->GetBitmap(), 5, 5), 0xEFDFCFu);
    view()->OnUpdateEditUndo(&undo);
    EXPECT_TRUE(undo.IsEnabled());
    view()->OnEditUndo();
    EXPECT_EQ(pixel(*doc->GetBitmap(), 5, 5), 0x102030u);
    EXPECT_EQ(doc->GetUndo(), nullptr);
    view()->OnEditUndo(); // nothing left to undo
    EXPECT_EQ(pixel(*doc->GetBitmap(), 5, 5), 0x102030u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(view()->GetRedoBitmap(), nullptr);
}

TEST_F(Editor, SourcesMakeDocumentsOrSayWhyNot)
{
    QGuiApplication::clipboard()->clear();
    app.OnEditPaste();
    ASSERT_EQ(boxes.shown().size(), 1u) << said(boxes);
    EXPECT_NE(boxes.shown()[0].text.find("CODE = -11"), std::string::npos);
    EXPECT_TRUE(app.EnumAllDocuments().empty());
    CCmdUI paste;
    app.OnUpdateEditPaste(&paste);
    EXPECT_FALSE(paste.IsEnabled());

    QGuiApplication::clipboard()->setImage(marked(12, 8, 0x00FF00, 0, 0, 0));
    app.OnUpdateEditPaste(&paste);
    EXPECT_TRUE(paste.IsEnabled());
    app.OnEditPaste();
    ASSERT_EQ(app.EnumAllDocuments().size(), 1u);
    CKivLeadAppDoc* pasted = app.EnumAllDocuments()[0];
    EXPECT_EQ(pasted->GetBitmap()->Width(), 12);
    EXPECT_TRUE(pasted->IsModified());
    EXPECT_EQ(app.m_nNewDocSource, CKivLeadApp::kSourceNone);

    // Separation: one grey document per plane; merging them gives the colour back.
    view()->OnColorSeparation(0);
    ASSERT_EQ(app.EnumAllDocuments().size(), 4u);
    EXPECT_EQ(app.EnumAllDocuments()[1]->GetBitmap()->BitsPerPixel(), 8);
    EXPECT_EQ(pixel(*app.EnumAllDocuments()[2]->GetBitmap(), 3, 3), 0xFFFFFFu);
    pasted->OnCloseDocument();
    app.OnFileColorMerge();
    ASSERT_EQ(app.EnumAllDocuments().size(), 4u);
    EXPECT_EQ(pixel(*app.EnumAllDocuments()[3]->GetBitmap(), 3, 3), 0x00FF00u);

    // The offscreen session has no screen to capture.
    boxes.clear();
    app.OnCapture(CKivLeadApp::kCaptureFullScreen);
    ASSERT_EQ(boxes.shown().size(), 1u) << said(boxes);
    EXPECT_NE(boxes.shown()[0].text.find("CODE = -16"), std::string::npos);
    CCmdUI capture;
    app.OnUpdateCapture(&capture, CKivLeadApp::kCaptureFullScreen);
    EXPECT_FALSE(capture.IsEnabled());
}

TEST_F(Editor, PreferencesSetTheDisplayModeOnlyWhilePainting)
{
    CCmdUI check;
    app.OnUpdatePreferencesPaintScalingResample(&check);
    EXPECT_EQ(check.GetCheck(), 1);
    app.OnPreferencesPaintScalingBicubic();
    app.OnPreferencesBitonalScalingFavorBlack();
    app.OnPreferencesPaletteFixed();
    app.OnPreferencesDitheringErrorDiffusion();
    app.OnUpdatePreferencesPaintScalingResample(&check);
    EXPECT_EQ(check.GetCheck(), 0);
    app.OnUpdatePreferencesPaintScalingBicubic(&check);
    EXPECT_EQ(check.GetCheck(), 1);
    EXPECT_EQ(
        app.DisplayModeFlags(), KIVLEAD_DISPLAY_BICUBIC | KIVLEAD_DISPLAY_FAVORBLACK | KIVLEAD_DISPLAY_FIXEDPALETTE);
    app.OnPreferencesPromptforsavingthumbnailchanges();
    app.OnUpdatePreferencesPromptforsavingthumbnailchanges(&check);
    EXPECT_EQ(check.GetCheck(), 1);

    const std::string png = dir.file("one.png");
    ASSERT_TRUE(marked(30, 20, 0xFFFFFF, 1, 1, 0).save(QString::fromStdString(png)));
    ASSERT_NE(open(png), nullptr);
    const unsigned before = KivLeadGetDisplayMode();
    view()->grab();
    EXPECT_EQ(KivLeadGetDisplayMode(), before);
}

TEST_F(Editor, SaveAsOfAPageKeepsEveryPageAndPrintsToPdf)
{
    const std::string tif = threePages("three.tif");
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    pages()->SelectPage(1);
    view()->RunCommand("invert");
    const std::string copy = dir.file("copy.tif");
    ASSERT_TRUE(doc->DoSave(copy.c_str())) << said(boxes);
    EXPECT_EQ(doc->GetPathName(), copy);
    const auto a = rawPages(tif), b = rawPages(copy);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_TRUE(a[0] == b[0]);
    EXPECT_TRUE(a[2] == b[2]);
    EXPECT_FALSE(a[1] == b[1]);

    // Saved as a one-page GIF (a format that could hold pages), the
    // document is one image: no pages, no page commands.
    const std::string png = dir.file("page.gif");
    ASSERT_TRUE(doc->DoSave(png.c_str()));
    EXPECT_FALSE(doc->m_bMultiPage);
    EXPECT_EQ(pages()->GetCount(), 0);
    CCmdUI add;
    view()->OnUpdatePageCommand(&add);
    EXPECT_FALSE(add.IsEnabled());
    EXPECT_EQ(rawPages(copy).size(), 3u);

    const std::string pdf = dir.file("page.pdf");
    ASSERT_EQ(view()->PrintPage(pdf.c_str()), KIVLEAD_SUCCESS);
    const Bytes bytes = readFile(pdf);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "%PDF");
}

TEST_F(Editor, ThumbnailsFollowTheListAndKeepTheirShape)
{
    CKivLeadAppDoc* doc = open(threePages("three.tif"));
    ASSERT_NE(doc, nullptr);
    // Only the page shown has its picture at once; the others come later.
    EXPECT_EQ(pages()->PendingThumbs(), 2);
    EXPECT_EQ(pages()->GetItem(1)->width, 64);
    pages()->MakePendingThumbs();
    EXPECT_EQ(pages()->PendingThumbs(), 0);
    const CLeadBitmap& wide = pages()->GetItem(2)->thumb; // 20 × 10
    EXPECT_EQ(wide.Width(), 200);
    EXPECT_EQ(wide.Height(), 100);
    const CLeadBitmap& tall = pages()->GetItem(0)->thumb; // 40 × 30
    EXPECT_EQ(tall.Height(), 140);
    EXPECT_EQ(tall.Width(), 186);
    CRect r(0, 0, 200, 140);
    CKivLeadThumbView::MatchAspectRatio(&r, 10, 20);
    EXPECT_EQ(r, CRect(65, 0, 135, 140));
}

TEST_F(Editor, OpenFileAsksThePageAndShowsItsPreview)
{
    const std::string tif = threePages("three.tif");
    FileDialogRecorder files;
    files.answer(tif.c_str());
    bool previewed = false;
    CDialog::SetModalHook([&](CDialog& d) {
        auto* pick = dynamic_cast<CKivLeadValueDlg*>(&d);
        ASSERT_NE(pick, nullptr);
        ASSERT_NE(pick->PreviewLabel(), nullptr);
        pick->SetFieldValue(0, 2);
        previewed = !pick->PreviewLabel()->pixmap().isNull();
        pick->OnOK();
    });
    app.OpenFile(nullptr);
    CDialog::SetModalHook(nullptr);
    EXPECT_TRUE(previewed);
    ASSERT_EQ(app.EnumAllDocuments().size(), 1u);
    CKivLeadAppDoc* doc = app.EnumAllDocuments()[0];
    EXPECT_EQ(doc->GetCurrentPage(), 1);
    EXPECT_EQ(doc->GetBitmap()->Width(), 64);
    EXPECT_EQ(pages()->GetCurrentPage(), 1);
    EXPECT_EQ(app.m_LoadOptions.page, 1);

    // Cancel in the file dialog opens nothing.
    files.cancel();
    app.OpenFile(nullptr);
    EXPECT_EQ(app.EnumAllDocuments().size(), 1u);
}

TEST_F(Editor, DeletingTheWindowClosesTheDocumentAndItsImage)
{
    CKivLeadAppDoc* doc = open(threePages("three.tif"));
    ASSERT_NE(doc, nullptr);
    view()->OnPalSelectElli();
    view()->ViewPanWindow();
    delete frame();
    EXPECT_TRUE(app.EnumAllDocuments().empty());
}

TEST_F(Editor, TheSavedPageIsAlwaysThePageOnScreen)
{
    const std::string tif = threePages("three.tif");
    const std::string source = dir.file("one.png");
    ASSERT_TRUE(marked(11, 13, 0x808080, 0, 0, 0xFFFFFF).save(QString::fromStdString(source)));
    const auto stored = rawPages(tif);
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    pages()->SelectPage(1);
    view()->RunCommand("invert");
    // A page goes in before the changed one, whose change is then kept on
    // screen (Cancel): it is now page 3, and a save must go there.
    boxes.answer(IDCANCEL);
    SendMessage(frame(), KIVLEAD_WM_PAGE_ADD, 0, reinterpret_cast<LPARAM>(source.c_str()));
    EXPECT_EQ(pages()->GetCurrentPage(), 2);
    EXPECT_EQ(doc->GetCurrentPage(), 2);
    ASSERT_TRUE(doc->DoFileSave());
    const auto now = rawPages(tif);
    ASSERT_EQ(now.size(), 4u);
    EXPECT_TRUE(now[0] == stored[0]);
    EXPECT_FALSE(now[2] == stored[1]);
    EXPECT_TRUE(now[3] == stored[2]);
    CLeadBitmap third;
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &third, 0, 3), KIVLEAD_SUCCESS);
    EXPECT_EQ(third.Width(), 64);

    // Nothing changed: closing asks nothing, even with the page prompt on.
    app.m_bPromptSavePage = 1;
    boxes.clear();
    doc->OnFileClose();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(app.EnumAllDocuments().empty());
}

TEST_F(Editor, AnIconOfSeveralImagesKeepsTheOthersWhenSaved)
{
    const std::string ico = dir.file("two.ico");
    CLeadBitmap a, b;
    ASSERT_EQ(KivLeadCreateBitmap(&a, 16, 16, 24, RGB(255, 0, 0)), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadCreateBitmap(&b, 32, 32, 24, RGB(0, 0, 255)), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSaveFile(ico.c_str(), &a, KIVLEAD_FORMAT_ICO, 0, 2), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSaveFile(ico.c_str(), &b, KIVLEAD_FORMAT_ICO, 0, 2, 2, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
    CKivLeadAppDoc* doc = open(ico);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->m_bMultiPage);
    view()->RunCommand("invert");
    ASSERT_TRUE(doc->DoFileSave());
    std::vector<KivLeadFileInfo> info;
    ASSERT_EQ(KivLeadGetPagesInfo(ico.c_str(), &info), KIVLEAD_SUCCESS);
    ASSERT_EQ(info.size(), 2u);
    CLeadBitmap first, second;
    ASSERT_EQ(KivLeadLoadFile(ico.c_str(), &first, 0, 1), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadLoadFile(ico.c_str(), &second, 0, 2), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(first, 3, 3), 0x00FFFFu);
    EXPECT_EQ(second.Width(), 32);
}

TEST_F(Editor, OpeningAnOpenFileAgainShowsItAtThePageAsked)
{
    const std::string tif = threePages("three.tif");
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    const std::string link = dir.file("link.tif");
    std::filesystem::create_symlink(tif, link);
    app.m_LoadOptions.page = 3;
    EXPECT_EQ(app.OpenDocumentFile(link.c_str()), doc);
    EXPECT_EQ(app.EnumAllDocuments().size(), 1u);
    EXPECT_EQ(pages()->GetCurrentPage(), 2);
}

TEST_F(Editor, SaveAsOfPagesFollowsLinksAndRefusesWhatIsNoFile)
{
    const std::string tif = threePages("three.tif");
    CKivLeadAppDoc* doc = open(tif);
    ASSERT_NE(doc, nullptr);
    view()->RunCommand("invert");
    const std::string folder = dir.file("folder");
    const std::string fifo = dir.file("fifo");
    std::filesystem::create_directory(folder);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A folder or a pipe as the target: refused at once, left as it was.
    for (const std::string& target : {folder, fifo}) {
        EXPECT_FALSE(doc->OnSaveDocument(target.c_str())) << target;
        EXPECT_EQ(doc->GetPathName(), tif);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    // A link: its target gets the pages, the link stays.
    const std::string real = dir.file("real.tif"), link = dir.file("link.tif");
    writeFile(real, Bytes {1, 2, 3});
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(doc->OnSaveDocument(link.c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(rawPages(real).size(), 3u);
    // A full disk: the save fails and the existing target keeps its bytes.
    const std::string kept = dir.file("kept.tif");
    writeFile(kept, Bytes {4, 5, 6});
    bool saved = true;
    ASSERT_TRUE(withFileSizeLimit(readFile(tif).size() / 2, [&] { saved = doc->OnSaveDocument(kept.c_str()); }));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(readFile(kept) == (Bytes {4, 5, 6}));
    // No work file is left beside the targets.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".vandrel-save", 0), std::string::npos) << entry.path();
}
