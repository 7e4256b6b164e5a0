// SPDX-License-Identifier: MIT
#include "DialogTestSupport.h"

#include "dialogs/KivDlgFileViewer.h"
#include "dialogs/KivDlgThumbSlide.h"
#include "dialogs/KivDlgViewDwg.h"
#include "dialogs/KivDlgViewFile.h"
#include "dialogs/KivDlgViewRich.h"
#include "dialogs/KivDlgViewSlide.h"
#include "dialogs/resources.h"
#include "platform/base/CStringArray.h"
#include "support/DwgWriter.h"
#include "support/SlideWriter.h"
#include "views/CKivThumbFileCtrl.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

using namespace dlgtest;
using namespace testsupport;

namespace {

Bytes redCross()
{
    return SlideWriter().color(1).vector(0, 0, 1000, 800).vector(0, 800, 1000, 0).end().bytes();
}

COLORREF pixel(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

struct Seen {
    CString title;
    bool buttonShown = false;
    QSize size;
    QSize client;
    QPoint centreOffset;
    HINSTANCE resources = nullptr;
    bool minMax = false;
};

Seen look(CKivFileViewDlg& d)
{
    Seen s;
    s.title = d.GetWindowText();
    s.buttonShown = d.GetDlgItem(IDOK)->isVisible();
    s.size = d.frameGeometry().size();
    s.client = d.size();
    s.centreOffset = d.frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    s.resources = AfxGetResourceHandle();
    s.minMax = d.windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
    return s;
}

} // namespace

TEST(KivDlgViewSlide, ShowsTheSlideUnderItsUpperCaseNameAndRestoresTheCallersResources)
{
    TempDir dir;
    writeFile(dir.file("cross.sld"), redCross());
    ResourceModule mine("host");
    ResourceScope hostScope(&mine);
    Seen seen;
    CString viewFile;
    const int result = runWith<CKivViewSlideDlg>(
        [&](CKivViewSlideDlg& d) {
            seen = look(d);
            viewFile = d.GetView()->GetFileName();
            shot(d, "view-slide");
            click(d, IDOK);
        },
        [&] { return KivDlgViewSlide(nullptr, dir.file("cross.sld").c_str(), nullptr, -1, -1, 0, 0, 5, 1); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(seen.title, MakeUpper(dir.file("cross.sld")));
    EXPECT_EQ(viewFile, dir.file("cross.sld"));
    EXPECT_TRUE(seen.buttonShown);
    EXPECT_TRUE(seen.minMax) << "a viewer's frame can be minimised and maximised";
    EXPECT_EQ(seen.resources, KivDlgResources()) << "the templates come from KivDlg during the call";
    EXPECT_EQ(AfxGetResourceHandle(), &mine) << "and the caller's module is current again after it";
}

TEST(KivDlgViewSlide, DoubleClickIsOkTheCloseBoxIsCancelAndBadFilesStillRun)
{
    TempDir dir;
    writeFile(dir.file("cross.sld"), redCross());
    writeFile(dir.file("junk.sld"), Bytes(40, 0xAB));
    const auto open = [&](const char* file, std::function<void(CKivViewSlideDlg&)> hook) {
        return runWith<CKivViewSlideDlg>(hook, [&] { return KivDlgViewSlide(nullptr, file, "T", 10, 20, 0, 0, 5, 1); });
    };
    EXPECT_EQ(open(dir.file("cross.sld").c_str(),
                  [](CKivViewSlideDlg& d) {
                      QTest::mouseDClick(d.GetView(), Qt::LeftButton, {}, QPoint(20, 20));
                      QCoreApplication::processEvents();
                  }),
        1);
    EXPECT_EQ(open(dir.file("cross.sld").c_str(), [](CKivViewSlideDlg& d) { d.close(); }), 0);
    for (const char* file : {static_cast<const char*>(nullptr), "", "/no/such.sld"})
        EXPECT_EQ(open(file, [](CKivViewSlideDlg& d) { click(d, IDOK); }), 1);
    const CString junk = dir.file("junk.sld");
    EXPECT_EQ(open(junk.c_str(), [](CKivViewSlideDlg& d) { click(d, IDOK); }), 1);
}

TEST(KivDlgViewFile, PlacesTheDialogAndHidesTheButtonOnRequest)
{
    EXPECT_EQ(KivDlgViewFile(nullptr, "a", "b", -1, -1, 0, 0, 5, 1), 0);
    Seen sized, placed;
    QRect view, client;
    {
        CKivViewSlideDlg dialog;
        const int result = runWith<CKivViewSlideDlg>(
            [&](CKivViewSlideDlg& d) {
                sized = look(d);
                view = d.GetView()->geometry();
                client = d.rect();
                d.close();
            },
            [&] { return KivDlgViewFile(&dialog, "x.sld", "Sized", -1, -1, 400, 300, 7, 0); });
        EXPECT_EQ(result, 0) << "closed with the close box";
    }
    EXPECT_EQ(sized.title, "Sized");
    EXPECT_FALSE(sized.buttonShown);
    EXPECT_EQ(sized.size, QSize(400, 300));
    EXPECT_LE(std::abs(sized.centreOffset.x()) + std::abs(sized.centreOffset.y()), 2) << "centred";
    EXPECT_EQ(view, QRect(7, 7, client.width() - 14, client.height() - 21)) << "three margins, no button";
    {
        CKivViewSlideDlg dialog;
        QPoint at;
        runWith<CKivViewSlideDlg>(
            [&](CKivViewSlideDlg& d) {
                at = d.frameGeometry().topLeft();
                placed = look(d);
                click(d, IDOK);
            },
            [&] { return KivDlgViewFile(&dialog, nullptr, nullptr, 10, 20, 0, 0, 5, 1); });
        EXPECT_EQ(at, QPoint(10, 20));
    }
    EXPECT_EQ(placed.client, QSize(DialogUnitsToPixelsX(300), DialogUnitsToPixelsY(230))) << "the template's size";
}

TEST(KivDlgFileViewer, OpensSlidesAndDrawingsCentredAndIgnoresOtherTypes)
{
    Seen slide;
    int slideMargin = -1;
    EXPECT_EQ(runWith<CKivViewSlideDlg>(
                  [&](CKivViewSlideDlg& d) {
                      slide = look(d);
                      slideMargin = d.GetView()->x();
                      click(d, IDOK);
                  },
                  [] { return KivDlgFileViewer(nullptr, 1, "lib.slb(door)", "fonts"); }),
        1);
    EXPECT_EQ(slide.title, "LIB.SLB(DOOR)");
    EXPECT_TRUE(slide.buttonShown);
    EXPECT_EQ(slideMargin, 5);
    EXPECT_LE(std::abs(slide.centreOffset.x()) + std::abs(slide.centreOffset.y()), 2);
    for (int type : {2, 3}) {
        CString support;
        int opened = 0;
        EXPECT_EQ(runWith<CKivViewDwgDlg>(
                      [&](CKivViewDwgDlg& d) {
                          ++opened;
                          support = d.GetView()->GetSupportPath();
                          d.close();
                      },
                      [&] { return KivDlgFileViewer(nullptr, type, "plan.dwg", "fonts"); }),
            1)
            << "always 1, even when the viewer was cancelled";
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(support, "fonts");
    }
    int opened = 0;
    EXPECT_EQ(
        runWith<CDialog>([&](CDialog&) { ++opened; }, [] { return KivDlgFileViewer(nullptr, 7, "a.txt", ""); }), 1);
    EXPECT_EQ(opened, 0);
}

TEST(KivDlgViewDwg, ScalesThePreviewOrSaysThereIsNone)
{
    TempDir dir;
    writeFile(dir.file("plan.dwg"),
        makeDwg("AC1015",
            {{1, Bytes(80, 0)}, {2, makeDib8(16, 8, {0xFFFFFF, 0xFF0000}, std::vector<std::uint8_t>(128, 1))}}));
    writeFile(dir.file("bare.dwg"), makeDwg("AC1015", {{1, Bytes(80, 0)}}));
    writeText(dir.file("part.dxf"), "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n");
    const auto open = [&](const CString& file, CString* notice, QImage* image, const char* name) {
        return runWith<CKivViewDwgDlg>(
            [&](CKivViewDwgDlg& d) {
                *notice = d.GetView()->GetNotice();
                *image = d.GetView()->grab().toImage();
                if (name)
                    shot(d, name);
                click(d, IDOK);
            },
            [&] { return KivDlgViewDwg(nullptr, file.c_str(), nullptr, nullptr, -1, -1, 0, 0, 5, 1); });
    };
    CString notice;
    QImage image;
    EXPECT_EQ(open(dir.file("plan.dwg"), &notice, &image, "view-dwg"), 1);
    EXPECT_EQ(notice, "");
    EXPECT_EQ(pixel(image, image.width() / 2, image.height() / 2), RGB(255, 0, 0)) << "the preview fills the view";
    EXPECT_GT(image.width(), 300);
    // A DXF file shows the drawing itself, fitted to the view.
    writeText(dir.file("line.dxf"),
        "0\nSECTION\n2\nENTITIES\n0\nLINE\n62\n1\n10\n0\n20\n0\n11\n10\n21\n0\n"
        "0\nLINE\n62\n3\n10\n5\n20\n-5\n11\n5\n21\n5\n0\nENDSEC\n0\nEOF\n");
    EXPECT_EQ(open(dir.file("line.dxf"), &notice, &image, "view-dxf"), 1);
    EXPECT_EQ(notice, "");
    // Lines are antialiased: one may fall between two rows of pixels.
    int red = 0, green = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QColor a = image.pixelColor(x, image.height() / 2), b = image.pixelColor(x, image.height() / 2 - 1);
        red += a.red() + b.red() - a.green() - b.green() > 150;
    }
    for (int y = 0; y < image.height(); ++y) {
        const QColor a = image.pixelColor(image.width() / 2, y), b = image.pixelColor(image.width() / 2 - 1, y);
        green += a.green() + b.green() - a.red() - b.red() > 150;
    }
    EXPECT_GT(red, image.width() / 3) << "the red line crosses the view";
    EXPECT_GT(green, image.height() / 2) << "the green one runs from top to bottom";
    const struct {
        CString file;
        const char* notice;
    } empty[] = {{dir.file("bare.dwg"), CKivDrawingViewCtrl::kNoPreview},
        {dir.file("part.dxf"), CKivDrawingViewCtrl::kEmpty}, {dir.file("none.dwg"), CKivDrawingViewCtrl::kNoPreview},
        {dir.file("none.dxf"), CKivDrawingViewCtrl::kNoDrawing}, {CString(), CKivDrawingViewCtrl::kNoPreview}};
    for (const auto& [file, expected] : empty) {
        EXPECT_EQ(open(file, &notice, &image, nullptr), 1);
        EXPECT_STREQ(notice.c_str(), expected) << file;
        int dark = 0;
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, image.height() / 2)) < 160;
        EXPECT_GT(dark, 10) << "the line of text shows across the middle";
    }
}

TEST(KivDlgViewRich, ShowsRtfFormattedAndOtherFilesAsText)
{
    TempDir dir;
    writeText(dir.file("note.rtf"),
        "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fnil\\fcharset129 Gulim;}}"
        "{\\colortbl ;\\red200\\green0\\blue0;}"
        "\\pard\\fs32\\b Title\\b0\\par \\cf1 \\'c7\\'d1\\'b1\\'db red\\cf0\\par}");
    writeText(dir.file("plain.txt"), "line one\nzwei \xC3\xBC\n");
    const auto open = [&](const CString& file, QTextDocument** doc, CString* text, const char* name) {
        return runWith<CKivViewRichDlg>(
            [&](CKivViewRichDlg& d) {
                *text = d.GetView()->GetWindowText();
                if (doc)
                    *doc = d.GetView()->document()->clone(nullptr);
                if (name)
                    shot(d, name);
                click(d, IDOK);
            },
            [&] { return KivDlgViewRich(nullptr, file.c_str(), "Note", -1, -1, 0, 0, 5, 1); });
    };
    QTextDocument* doc = nullptr;
    CString text;
    EXPECT_EQ(open(dir.file("note.rtf"), &doc, &text, "view-rich"), 1);
    EXPECT_EQ(text, "Title\n한글 red\n");
    ASSERT_NE(doc, nullptr);
    const QTextCharFormat title = QTextCursor(doc->findBlockByNumber(0)).block().begin().fragment().charFormat();
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.fontPointSize(), 16.0);
    const QTextCharFormat red = doc->findBlockByNumber(1).begin().fragment().charFormat();
    EXPECT_EQ(red.foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(red.fontWeight(), QFont::Normal);
    delete doc;
    EXPECT_EQ(open(dir.file("plain.txt"), nullptr, &text, nullptr), 1);
    EXPECT_EQ(text, "line one\nzwei \xC3\xBC\n");
    EXPECT_EQ(open(dir.file("missing.txt"), nullptr, &text, nullptr), 1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(open(dir.path().string(), nullptr, &text, nullptr), 1) << "a folder is no file to read";
    EXPECT_EQ(text, "");
}

TEST(KivDlgViewRich, ABigFileShowsItsStartAndSaysSo)
{
    TempDir dir;
    {
        std::FILE* f = std::fopen(dir.file("big.txt").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string line(1023, 'x');
        for (int i = 0; i < 12 * 1024; ++i)
            std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
    CString text;
    runWith<CKivViewRichDlg>(
        [&](CKivViewRichDlg& d) {
            text = d.GetView()->GetWindowText();
            click(d, IDOK);
        },
        [&] { return KivDlgViewRich(nullptr, dir.file("big.txt").c_str(), nullptr, -1, -1, 0, 0, 5, 1); });
    EXPECT_LE(text.size(), CKivViewRichDlg::kMaxFileBytes + 200);
    EXPECT_NE(text.find("Only the start of this file is shown: 8192 of 12288 KiB"), CString::npos);
}

TEST(KivDlgThumbSlide, ShowsTheNamedSlidesOfALibraryAndOpensOneLarge)
{
    TempDir dir;
    writeFile(
        dir.file("parts.slb"), makeLibrary({{"DOOR", redCross()}, {"WINDOW", redCross()}, {"STAIR", redCross()}}));
    const CString library = dir.file("parts.slb");
    CStringArray names;
    names.Add("DOOR");
    names.Add("WINDOW");
    names.Add("STAIR");
    int visible = -1, cells = -1, topAfterPageDown = -1;
    CString first, opened;
    const int result = runWith<CKivThumbSlideDlg>(
        [&](CKivThumbSlideDlg& d) {
            CKivSlideThumbListCtrl* browser = d.GetBrowser();
            cells = browser->GetCellsPerPage();
            visible = 0;
            for (int i = 0; i < cells; ++i)
                visible += browser->GetCell(i)->isVisible();
            first = browser->GetThumbList()->getAt(0)->file;
            shot(d, "view-thumbnail");
            browser->DoKeyDown(CKivThumbListCtrl::kKeyPageDown);
            topAfterPageDown = browser->GetTopRow();
            browser->GetCell(1)->LargeView();
            click(d, IDOK);
        },
        [&] { return KivDlgThumbSlide(nullptr, library.c_str(), &names, 3, 3, 1, "Parts", -1, -1, 0, 0, 5, 1); },
        [&](CDialog& d) {
            if (auto* slide = dynamic_cast<CKivViewSlideDlg*>(&d))
                opened = slide->GetView()->GetFileName();
            d.EndDialog(IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(cells, 9);
    EXPECT_EQ(visible, 3) << "three slide cells, six hidden";
    EXPECT_EQ(topAfterPageDown, 0) << "one page: Page Down changes nothing";
    EXPECT_EQ(first, library + "(DOOR)");
    EXPECT_EQ(opened, library + "(WINDOW)");
}

TEST(KivDlgThumbSlide, NullNamesLeaveTheGridEmptyAndCancelGivesZero)
{
    int items = -1;
    EXPECT_EQ(runWith<CKivThumbSlideDlg>(
                  [&](CKivThumbSlideDlg& d) {
                      items = d.GetBrowser()->GetThumbList() ? d.GetBrowser()->GetThumbList()->getCount() : 0;
                      d.close();
                  },
                  [] { return KivDlgThumbSlide(nullptr, nullptr, nullptr, 4, 3, 1, nullptr, -1, -1, 0, 0, 5, 1); }),
        0);
    EXPECT_EQ(items, 0);
}

TEST(KivDlgViewDwg, TheCloseBoxGivesZeroForEveryViewer)
{
    const auto closeIt = [](CDialog& d) { d.close(); };
    CDialog::SetModalHook(closeIt);
    EXPECT_EQ(KivDlgViewDwg(nullptr, "plan.dwg", "fonts", "t", -1, -1, 0, 0, 5, 1), 0);
    EXPECT_EQ(KivDlgViewRich(nullptr, "note.rtf", nullptr, -1, -1, 0, 0, 5, 0), 0);
    EXPECT_EQ(KivDlgViewSlide(nullptr, nullptr, nullptr, 5, 5, 200, 150, 0, 0), 0);
    CDialog::SetModalHook(nullptr);
}
