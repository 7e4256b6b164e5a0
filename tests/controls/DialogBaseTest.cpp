// SPDX-License-Identifier: MIT
#include "controls/CKivFileViewDlg.h"
#include "controls/CKivSkinDlg.h"
#include "controls/resources.h"
#include "core/KivUtil.h"
#include "platform/widgets/CButton.h"
#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace testsupport;

namespace {

constexpr UINT kViewerTemplate = 9100;

// A viewer template: 200 × 120 dialog units with an OK button.
void registerTemplates()
{
    DialogTemplate viewer {"Viewer", 0, 0, 0, 200, 120, {}};
    viewer.items.push_back({IDOK, "BUTTON", BS_DEFPUSHBUTTON, 75, 100, 50, 14, "OK"});
    viewer.items.push_back({IDC_STATIC, "STATIC", SS_LEFT, 5, 5, 100, 10, "label"});
    AfxGetInstanceHandle()->addDialog(kViewerTemplate, viewer);
}

struct Viewer : CKivFileViewDlg {
    CWnd view;
    CRect viewRect, okRect, windowRect, client;
    bool okVisible = false;
    Viewer() : CKivFileViewDlg(kViewerTemplate)
    {
        registerTemplates();
        view.setParent(this);
        SetViewCtrl(&view);
    }
    // Records the layout as the dialog shows, then closes it.
    INT_PTR run()
    {
        SetModalHook([this](CDialog& dlg) {
            viewRect = CRect(view.x(), view.y(), view.x() + view.width(), view.y() + view.height());
            if (CWnd* ok = GetDlgItem(IDOK)) {
                okVisible = ok->isVisible();
                okRect = CRect(ok->x(), ok->y(), ok->x() + ok->width(), ok->y() + ok->height());
            }
            GetWindowRect(&windowRect);
            GetClientRect(&client);
            dlg.EndDialog(IDCANCEL);
        });
        const INT_PTR result = DoModal();
        SetModalHook(nullptr);
        return result;
    }
};

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(CKivDialog, ShowsTheDefaultIconOrItsOwn)
{
    registerTemplates();
    {
        CKivDialog dialog(kViewerTemplate);
        dialog.OnInitDialog();
        EXPECT_FALSE(dialog.windowIcon().isNull()) << "resource 1000 of the library";
        const HICON shown = dialog.SetIcon(nullptr, TRUE);
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->isNull());
    }
    const QIcon mine(QPixmap(16, 16));
    KivUtil::SetDlgIcon(&mine);
    EXPECT_EQ(CKivDialog::m_hIcon, &mine);
    {
        CKivDialog dialog(kViewerTemplate);
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.SetIcon(nullptr, TRUE), &mine);
    }
    KivUtil::SetDlgIcon(nullptr);
    EXPECT_FALSE(KivCtrlResources()->icon(1000).isNull());
}

TEST(CKivDialog, ModalRunsEndWithTheButtonClicked)
{
    registerTemplates();
    CKivDialog dialog(kViewerTemplate);
    CDialog::SetModalHook([](CDialog& d) {
        auto* ok = dynamic_cast<CButton*>(d.GetDlgItem(IDOK));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok->widget(), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    CDialog::SetModalHook([](CDialog& d) { d.EndDialog(IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    CDialog::SetModalHook(nullptr);
    ASSERT_NE(dialog.GetDlgItem(IDC_STATIC), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(IDC_STATIC)->GetWindowText(), "label");
    EXPECT_EQ(dialog.width(), DialogUnitsToPixelsX(200));
}

TEST(CKivFileViewDlg, SizeWithoutPositionIsCentred)
{
    Viewer dlg;
    dlg.SetSize(400, 300);
    dlg.run();
    EXPECT_EQ(dlg.windowRect.Width(), 400);
    EXPECT_EQ(dlg.windowRect.Height(), 300);
    EXPECT_NEAR((dlg.windowRect.left + dlg.windowRect.right) / 2, screenArea().center().x(), 2);
    EXPECT_NEAR((dlg.windowRect.top + dlg.windowRect.bottom) / 2, screenArea().center().y(), 2);
}

TEST(CKivFileViewDlg, PositionWithoutSizeKeepsTheTemplatesSize)
{
    Viewer dlg;
    dlg.SetPosition(10, 20);
    dlg.run();
    EXPECT_EQ(dlg.windowRect.left, 10);
    EXPECT_EQ(dlg.windowRect.top, 20);
    CRect frameless;
    dlg.GetClientRect(&frameless);
    EXPECT_EQ(frameless.Width(), DialogUnitsToPixelsX(200)) << "the template's client size";
}

TEST(CKivFileViewDlg, LayoutWithAndWithoutOk)
{
    Viewer with;
    with.SetSize(400, 300);
    with.SetMargin(7);
    with.run();
    const int buttonHeight = with.okRect.Height();
    const CRect c = with.client; // the window less its frame
    EXPECT_TRUE(with.okVisible);
    EXPECT_EQ(with.viewRect, CRect(7, 7, c.Width() - 7, 7 + c.Height() - 3 * 7 - buttonHeight));
    EXPECT_EQ(with.okRect.top, c.Height() - 7 - buttonHeight);
    EXPECT_EQ(with.okRect.left, (c.Width() - DialogUnitsToPixelsX(50)) / 2);

    Viewer without;
    without.SetSize(400, 300);
    without.SetHasOk(0);
    without.run();
    EXPECT_FALSE(without.okVisible);
    EXPECT_EQ(without.viewRect.Height(), without.client.Height() - 3 * 5);
}

TEST(CKivFileViewDlg, FileBecomesTheUpperCaseTitle)
{
    Viewer dlg;
    dlg.SetFile("plans/door.sld");
    EXPECT_EQ(dlg.GetTitle(), "PLANS/DOOR.SLD");
    dlg.SetSize(300, 200);
    dlg.run();
    EXPECT_EQ(dlg.GetWindowText(), "PLANS/DOOR.SLD");
    Viewer titled;
    titled.SetTitle("Mine");
    titled.SetFile("x.sld");
    EXPECT_EQ(titled.GetTitle(), "Mine");
    titled.SetTitle(nullptr);
    EXPECT_EQ(titled.GetTitle(), "");
}

TEST(CKivSkinDlg, TilesTheSkinOverTheClientArea)
{
    TempDir dir;
    // A 64 × 64 tile: red corner pixel, blue elsewhere.
    writeFile(dir.file("tile.bmp"),
        makeBmp(64, 64, 24, {}, [](int x, int y) { return x == 0 && y == 0 ? 0xFF0000u : 0x0000FFu; }));
    CKivSkinDlg dlg;
    dlg.SetSkinPath(dir.path().c_str());
    ASSERT_EQ(dlg.SetBitmap("tile.bmp", CKivSkinDlg::Tile), 1) << "found through the skin path";
    dlg.resize(150, 100);
    const QImage shot = dlg.grab().toImage();
    int corners = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 150; ++x)
            corners += (shot.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    EXPECT_EQ(corners, 6) << "3 × 2 tiles";
    EXPECT_EQ(shot.pixel(128, 64) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shot.pixel(149, 99) & 0xFFFFFF, 0x0000FFu);

    ASSERT_EQ(dlg.SetBitmap("tile.bmp", CKivSkinDlg::Stretch), 1);
    const QImage stretched = dlg.grab().toImage();
    EXPECT_EQ(stretched.pixel(1, 1) & 0xFFFFFF, 0xFF0000u) << "one corner, stretched";
    EXPECT_EQ(stretched.pixel(128, 64) & 0xFFFFFF, 0x0000FFu);

    EXPECT_EQ(dlg.SetBitmap("missing.bmp", CKivSkinDlg::Tile), 0);
    EXPECT_EQ(dlg.IsLoaded(), 0);
}

TEST(CKivSkinDlg, ControlsOverTheSkinAreTransparent)
{
    using C = CKivSkinDlg::ControlColor;
    EXPECT_EQ(CKivSkinDlg::ColorFor(true, "Button", 1), C::HollowTransparentText);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "msctls_trackbar32", 7), C::Platform);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "Button", 7), C::Hollow);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "Static", 0xFFFF), C::HollowTransparentText);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "Static", -1), C::HollowTransparentText);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "Static", 12), C::Hollow);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "Edit", 0xFFFF), C::HollowTransparentText);
    EXPECT_EQ(CKivSkinDlg::ColorFor(false, "Edit", 12), C::Platform);
    CKivSkinDlg dlg;
    EXPECT_EQ(dlg.OnQueryNewPalette(), FALSE);
}
