// SPDX-License-Identifier: MIT
#include "DialogTestSupport.h"

#include "controls/KivThumbList.h"
#include "core/KivAciColor.h"
#include "dialogs/KivDlgAciColor.h"
#include "dialogs/KivDlgGetPath.h"
#include "dialogs/KivDlgIconMenu.h"
#include "dialogs/resources.h"
#include "platform/services/MessageBox.h"
#include "support/SlideWriter.h"
#include "support/TestSupport.h"

#include <QMouseEvent>

#include <cstring>
#include <filesystem>

using namespace dlgtest;
using namespace testsupport;

namespace {

int runColour(std::function<void(CKivAciColorDlg&)> hook, int* colour, int allowLogical, int language)
{
    return runWith<CKivAciColorDlg>(hook, [=] { return KivDlgAciColor(nullptr, colour, allowLogical, language); });
}

void press(QWidget* w, QPoint at)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

QPoint centreOf(const CRect& r)
{
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int hit(const CKivAciPaletteCtrl* palette, int block, int row, int column)
{
    const QPoint p = centreOf(CKivAciPaletteCtrl::CellRect(palette->width(), palette->height(), block, row, column));
    return palette->HitTest(CPoint(p.x(), p.y()));
}

} // namespace

TEST(KivDlgAciColor, StandardSwatchAndOkGiveItsColourWithLogicalColoursDisabled)
{
    int colour = 7;
    bool byLayer = true, byBlock = true;
    CString name, group, picked;
    const int result = runColour(
        [&](CKivAciColorDlg& d) {
            byLayer = d.GetDlgItem(kivdlg::IDC_ACI_BYLAYER)->isEnabled();
            byBlock = d.GetDlgItem(kivdlg::IDC_ACI_BYBLOCK)->isEnabled();
            name = d.GetEdit()->GetWindowText();
            group = d.GetDlgItem(kivdlg::IDC_ACI_GRAY_GROUP)->GetWindowText();
            shot(d, "aci-color");
            press(d.GetStandardSwatch(2), QPoint(3, 3));
            picked = d.GetEdit()->GetWindowText();
            click(d, IDOK);
        },
        &colour, 0, 1);
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(byLayer);
    EXPECT_FALSE(byBlock);
    EXPECT_EQ(name, "WHITE");
    EXPECT_EQ(group, "Gray Shades") << "the template's text is replaced";
    EXPECT_EQ(picked, "YELLOW");
    EXPECT_EQ(colour, 2);
}

TEST(KivDlgAciColor, GraySwatchesAre250To255AndThePaletteHoldsEveryOtherColourOnce)
{
    int colour = 1;
    std::vector<int> grays;
    std::vector<COLORREF> shown;
    int topLeft = -1, nextRight = -1, secondBlock = -1, clicked = -1;
    runColour(
        [&](CKivAciColorDlg& d) {
            for (int j = 1; j <= 6; ++j) {
                shown.push_back(d.GetGraySwatch(j)->GetColor());
                press(d.GetGraySwatch(j), QPoint(2, 2));
                grays.push_back(KivAciColor::GetColor(d.GetEdit()->GetWindowText().c_str(), 1));
            }
            CKivAciPaletteCtrl* palette = d.GetPalette();
            topLeft = hit(palette, 0, 0, 0);
            nextRight = hit(palette, 0, 0, 1);
            secondBlock = hit(palette, 1, 0, 0);
            press(palette, centreOf(CKivAciPaletteCtrl::CellRect(palette->width(), palette->height(), 1, 4, 23)));
            clicked = d.GetColor();
            d.close();
        },
        &colour, 0, 1);
    EXPECT_EQ(grays, (std::vector<int> {250, 251, 252, 253, 254, 255}));
    EXPECT_EQ(shown.front(), KivAciColor::GetRGB(250));
    EXPECT_EQ(topLeft, 18);
    EXPECT_EQ(nextRight, 28);
    EXPECT_EQ(secondBlock, 11);
    EXPECT_EQ(clicked, 11 + 2 * 4 + 10 * 23);
    EXPECT_EQ(colour, 1) << "closed: nothing written";
    std::vector<int> seen(256, 0);
    for (int block = 0; block < 2; ++block)
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 24; ++column)
                ++seen[CKivAciPaletteCtrl::ColourAt(block, row, column)];
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(seen[c], c >= 10 && c <= 249 ? 1 : 0) << c;
}

TEST(KivDlgAciColor, KoreanCaptionsAndNamesAndTypedNames)
{
    int colour = 7;
    CString label, palette, name;
    const int result = runColour(
        [&](CKivAciColorDlg& d) {
            label = d.GetDlgItem(kivdlg::IDC_ACI_LABEL)->GetWindowText();
            palette = d.GetDlgItem(kivdlg::IDC_ACI_PALETTE_GROUP)->GetWindowText();
            name = d.GetEdit()->GetWindowText();
            shot(d, "aci-color-ko");
            d.GetEdit()->SetWindowText("빨간색");
            click(d, IDOK);
        },
        &colour, 1, 0);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(label, "색상(&C):");
    EXPECT_EQ(palette, "전체 색상 팔레트");
    EXPECT_EQ(name, "흰색");
    EXPECT_EQ(colour, 1);
}

// A text that names no colour, or a logical colour where none is allowed,
// would come back as BYLAYER or BYBLOCK, and 300 as no colour at all.
TEST(KivDlgAciColor, RefusesLogicalColoursUnlessAllowedAndNumbersPast256)
{
    MessageBoxRecorder boxes;
    int colour = 5;
    std::vector<bool> stayed;
    const int refused = runColour(
        [&](CKivAciColorDlg& d) {
            for (const char* text : {"BYLAYER", "", "0", "300", "-4"}) {
                d.GetEdit()->SetWindowText(text);
                d.OnOK();
                stayed.push_back(d.isVisible());
            }
            d.GetEdit()->SetWindowText("42");
            d.OnOK();
        },
        &colour, 0, 1);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(colour, 42);
    EXPECT_EQ(stayed, std::vector<bool>(5, true));
    EXPECT_EQ(boxes.shown().size(), 5u);
    int logical = 5;
    EXPECT_EQ(runColour(
                  [&](CKivAciColorDlg& d) {
                      click(d, kivdlg::IDC_ACI_BYBLOCK);
                      click(d, IDOK);
                  },
                  &logical, 1, 1),
        1);
    EXPECT_EQ(logical, 0);
    EXPECT_EQ(boxes.shown().size(), 5u);
    EXPECT_EQ(KivDlgAciColor(nullptr, nullptr, 1, 1), 0);
}

TEST(KivDlgGetPath, StartsAtThePathShowsFreeSpaceAndGivesTheChosenFolder)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "plans" / "old");
    const CString start = dir.path().string();
    char path[260];
    std::snprintf(path, sizeof path, "%s", start.c_str());
    CString label, free, title, chosen;
    int result = runWith<CKivGetPathDlg>(
        [&](CKivGetPathDlg& d) {
            title = d.GetWindowText();
            label = d.GetDlgItem(kivdlg::IDC_PATH_LABEL)->GetWindowText();
            free = d.GetDlgItem(kivdlg::IDC_PATH_FREE)->GetWindowText();
            shot(d, "get-path");
            click(d, IDOK);
        },
        [&] { return KivDlgGetPath(nullptr, "Folder", path); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(title, "Folder");
    EXPECT_EQ(label, "Path: " + start + "/");
    EXPECT_EQ(free.rfind("Disk free space (/) : ", 0), 0u) << free;
    EXPECT_EQ(free.substr(free.size() - 3), " MB");
    EXPECT_EQ(CString(path), start + "/") << "the start, with its trailing separator";

    result = runWith<CKivGetPathDlg>(
        [&](CKivGetPathDlg& d) {
            QTreeWidget* tree = d.GetTree()->widget();
            QTreeWidgetItem* current = tree->currentItem();
            ASSERT_NE(current, nullptr);
            current->setExpanded(true);
            QCoreApplication::processEvents();
            ASSERT_GT(current->childCount(), 0);
            tree->setCurrentItem(current->child(0));
            QCoreApplication::processEvents();
            chosen = d.GetPath();
            d.close();
        },
        [&] { return KivDlgGetPath(nullptr, "Folder", path); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(chosen, start + "/plans/");
    EXPECT_EQ(CString(path), start + "/") << "cancelled: the buffer stays";
    EXPECT_EQ(KivDlgGetPath(nullptr, nullptr, path), 0);
    EXPECT_EQ(KivDlgGetPath(nullptr, "t", nullptr), 0);
}

TEST(KivDlgGetPath, AnEmptyPathStartsAtHomeAndALongOneIsRefused)
{
    char path[260] = "";
    CString label;
    runWith<CKivGetPathDlg>(
        [&](CKivGetPathDlg& d) {
            label = d.GetDlgItem(kivdlg::IDC_PATH_LABEL)->GetWindowText();
            click(d, IDOK);
        },
        [&] { return KivDlgGetPath(nullptr, "t", path); });
    EXPECT_NE(label, "Path: ");
    EXPECT_EQ(CString(path).back(), '/');
    EXPECT_EQ("Path: " + CString(path), label);

    MessageBoxRecorder boxes;
    const CString deep = "/" + CString(300, 'd');
    bool stayed = false;
    CKivGetPathDlg dialog(nullptr, "t", deep.c_str());
    runWith<CKivGetPathDlg>(
        [&](CKivGetPathDlg& d) {
            d.OnOK();
            stayed = d.isVisible();
            d.close();
        },
        [&] { return static_cast<int>(dialog.DoModal()); });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(boxes.shown().size(), 1u);
}

namespace {

// Items whose files are slides of one folder; label "Ln", data "Dn".
KivThumbList* makeItems(const TempDir& dir, int n)
{
    auto* list = new KivThumbList;
    for (int i = 0; i < n; ++i) {
        const CString file = dir.file(StringFormat("s%d.sld", i));
        writeFile(file, SlideWriter().color(1 + i % 7).vector(0, 0, 1000, 800).end().bytes());
        list->addItem(file.c_str(), StringFormat("L%d", i).c_str(), StringFormat("D%d", i).c_str());
    }
    return list;
}

int runMenu(std::function<void(CKivIconMenuDlg&)> hook, KivThumbList* list, char* data, int cols = 3, int rows = 2)
{
    return runWith<CKivIconMenuDlg>(
        hook, [&] { return KivDlgIconMenu(nullptr, list, "Icons", "fonts", data, cols, rows, 100, 80); });
}

} // namespace

TEST(KivDlgIconMenu, PreselectsTheDataFollowsTheListAndGivesTheChoice)
{
    TempDir dir;
    char data[256] = "D3";
    int listRow = -1, browserAfterList = -1, cells = -1;
    CString title, firstLabel;
    const int result = runMenu(
        [&](CKivIconMenuDlg& d) {
            title = d.GetWindowText();
            listRow = d.GetListBox()->widget()->currentRow();
            firstLabel = d.GetListBox()->widget()->item(0)->text().toStdString();
            cells = d.GetBrowser()->GetCellsPerPage();
            shot(d, "icon-menu");
            d.GetListBox()->widget()->setCurrentRow(4);
            QCoreApplication::processEvents();
            browserAfterList = d.GetBrowser()->GetCurSel();
            click(d, IDOK);
        },
        makeItems(dir, 5), data);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(title, "Icons");
    EXPECT_EQ(listRow, 3);
    EXPECT_EQ(firstLabel, "L0");
    EXPECT_EQ(cells, 6);
    EXPECT_EQ(browserAfterList, 4);
    EXPECT_STREQ(data, "D4");
}

TEST(KivDlgIconMenu, NoMatchOpensWithoutSelectionAndOkSaysNoSelection)
{
    TempDir dir;
    MessageBoxRecorder boxes;
    char data[256] = "nothing";
    bool stayed = false;
    int selected = 0;
    EXPECT_EQ(runMenu(
                  [&](CKivIconMenuDlg& d) {
                      selected = d.GetBrowser()->GetCurSel();
                      click(d, IDOK);
                      stayed = d.isVisible();
                      click(d, IDCANCEL);
                  },
                  makeItems(dir, 4), data),
        0);
    EXPECT_EQ(selected, -1);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "No Selection!");
    EXPECT_EQ(boxes.shown()[0].caption, "Icon Menu");
    EXPECT_EQ(boxes.shown()[0].type & MB_ICONSTOP, MB_ICONSTOP);
    EXPECT_STREQ(data, "nothing");
    EXPECT_EQ(runMenu([](CKivIconMenuDlg& d) { click(d, IDOK), click(d, IDCANCEL); }, nullptr, data), 0)
        << "no list: nothing to choose";
}

TEST(KivDlgIconMenu, PagesWithPrevAndNextAndADoubleClickInTheListIsOk)
{
    TempDir dir;
    char data[256] = "D0";
    int afterNext = -1, afterPrev = -1;
    bool prevEnabled = true;
    const int result = runMenu(
        [&](CKivIconMenuDlg& d) {
            prevEnabled = d.GetDlgItem(kivdlg::IDC_ICON_PREV)->isEnabled();
            click(d, kivdlg::IDC_ICON_NEXT);
            afterNext = d.GetBrowser()->GetTopRow();
            click(d, kivdlg::IDC_ICON_PREV);
            afterPrev = d.GetBrowser()->GetTopRow();
            QListWidget* list = d.GetListBox()->widget();
            const QRect row = list->visualItemRect(list->item(2));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
            QCoreApplication::processEvents();
        },
        makeItems(dir, 12), data, 2, 2);
    EXPECT_FALSE(prevEnabled) << "on the first page";
    EXPECT_EQ(afterNext, 2);
    EXPECT_EQ(afterPrev, 0);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(data, "D2");
}

TEST(KivDlgIconMenu, AboutShowsTheIconMenuStringsAndLayoutFollowsTheSize)
{
    TempDir dir;
    char data[256] = "D1";
    CString aboutTitle;
    QRect ok, cancel, about, browser;
    QSize client;
    runWith<CKivIconMenuDlg>(
        [&](CKivIconMenuDlg& d) {
            click(d, kivdlg::IDC_ICON_ABOUT);
            d.resize(700, 400);
            QCoreApplication::processEvents();
            client = d.size();
            ok = d.GetDlgItem(IDOK)->geometry();
            cancel = d.GetDlgItem(IDCANCEL)->geometry();
            about = d.GetDlgItem(kivdlg::IDC_ICON_ABOUT)->geometry();
            browser = d.GetBrowser()->geometry();
            click(d, IDCANCEL);
        },
        [&] { return KivDlgIconMenu(nullptr, makeItems(dir, 3), "Icons", nullptr, data, 3, 2, 100, 80); },
        [&](CDialog& d) {
            aboutTitle = d.GetWindowText();
            d.EndDialog(IDOK);
        });
    EXPECT_EQ(aboutTitle, "About Icon Menu");
    const int m = CKivIconMenuDlg::kMargin;
    EXPECT_EQ(about.right() + 1, client.width() - m);
    EXPECT_EQ(about.bottom() + 1, client.height() - m);
    EXPECT_EQ(cancel.left(), about.left() - about.width() - 2 * m);
    EXPECT_EQ(ok.left(), cancel.left() - cancel.width() - m);
    EXPECT_EQ(browser.right() + 1, client.width() - m) << "the browser takes what the width adds";
    EXPECT_EQ(browser.height(), client.height() - 3 * m - about.height());
    EXPECT_STREQ(data, "D1") << "cancelled";
}
