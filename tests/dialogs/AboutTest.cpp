// SPDX-License-Identifier: MIT
#include "controls/CKivHyperCtrl.h"
#include "controls/resources.h"
#include "dialogs/CKivAboutDlg.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/resources.h"
#include "platform/services/ProcessService.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CStatic.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTest>

#include <functional>

namespace {

// Runs the about box with hook inside it; the hook ends it.
int runAbout(std::function<void(CKivAboutDlg&)> hook, HICON icon, const char* product, const char* version,
    const char* notice, const char* url, const char* mail)
{
    CDialog::SetModalHook([hook](CDialog& d) {
        auto* about = dynamic_cast<CKivAboutDlg*>(&d);
        ASSERT_NE(about, nullptr);
        hook(*about);
    });
    const int result = KivDlgAbout(nullptr, icon, product, version, notice, url, mail);
    CDialog::SetModalHook(nullptr);
    return result;
}

CString textOf(CDialog& d, int id)
{
    return d.GetDlgItem(id) ? d.GetDlgItem(id)->GetWindowText() : "<none>";
}

} // namespace

TEST(KivDlgAbout, FillsTheLabelsAndTitleAndEndsWithOk)
{
    const QIcon icon(QPixmap(32, 32));
    CString title, product, version, notice, web, mail, webTarget, mailTarget;
    HICON picture = nullptr;
    bool linksUnderlined = false;
    const int result = runAbout(
        [&](CKivAboutDlg& d) {
            title = d.GetWindowText();
            product = textOf(d, 1000);
            version = textOf(d, 1001);
            notice = textOf(d, 1002);
            web = textOf(d, 1003);
            mail = textOf(d, 1004);
            ASSERT_NE(d.GetWebLink(), nullptr);
            ASSERT_NE(d.GetMailLink(), nullptr);
            webTarget = d.GetWebLink()->GetURL();
            mailTarget = d.GetMailLink()->GetURL();
            linksUnderlined = d.GetWebLink()->font().underline() && d.GetMailLink()->font().underline();
            if (auto* p = dynamic_cast<CStatic*>(d.GetDlgItem(1005)))
                picture = p->GetIcon();
            auto* ok = dynamic_cast<CButton*>(d.GetDlgItem(IDOK));
            ASSERT_NE(ok, nullptr);
            QTest::mouseClick(ok->widget(), Qt::LeftButton);
        },
        &icon, "Draft Studio", "Version 3.0", "(c) the authors", "https://example.org", "help@example.org");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(title, "About Draft Studio");
    EXPECT_EQ(product, "Draft Studio");
    EXPECT_EQ(version, "Version 3.0");
    EXPECT_EQ(notice, "(c) the authors");
    EXPECT_EQ(web, "https://example.org");
    EXPECT_EQ(mail, "help@example.org");
    EXPECT_EQ(webTarget, "https://example.org");
    EXPECT_EQ(mailTarget, "mailto:help@example.org");
    EXPECT_TRUE(linksUnderlined);
    EXPECT_EQ(picture, &icon);
}

TEST(KivDlgAbout, ClickedLinksReachTheShell)
{
    ProcessRecorder processes;
    const int result = runAbout(
        [](CKivAboutDlg& d) {
            QTest::mouseClick(d.GetWebLink(), Qt::LeftButton, {}, QPoint(2, 2));
            QTest::mouseClick(d.GetMailLink(), Qt::LeftButton, {}, QPoint(2, 2));
            d.EndDialog(IDCANCEL);
        },
        nullptr, "P", "V", "N", "https://example.org/vandrel", "mail@example.org");
    EXPECT_EQ(result, 0) << "closed without OK";
    ASSERT_EQ(processes.requests().size(), 2u);
    EXPECT_EQ(processes.requests()[0].arguments, (std::vector<CString> {"https://example.org/vandrel"}));
    EXPECT_EQ(processes.requests()[1].arguments, (std::vector<CString> {"mailto:mail@example.org"}));
    EXPECT_FALSE(processes.requests()[0].wait);
}

TEST(KivDlgAbout, NullTextsGiveEmptyLabelsAndABareMailto)
{
    CString product = "x", mail = "x", mailTarget = "x", title;
    runAbout(
        [&](CKivAboutDlg& d) {
            product = textOf(d, 1000);
            mail = textOf(d, 1004);
            mailTarget = d.GetMailLink()->GetURL();
            title = d.GetWindowText();
            d.EndDialog(IDOK);
        },
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(product, "");
    EXPECT_EQ(mail, "");
    EXPECT_EQ(mailTarget, "mailto:");
    EXPECT_EQ(title, "About ");
}

// Without an icon of the caller's, the application's own is shown, not an
// empty square.
TEST(KivDlgAbout, TheApplicationsIconStandsInForNone)
{
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(red));
    QRgb shown = 0;
    runAbout(
        [&](CKivAboutDlg& d) {
            auto* p = dynamic_cast<CStatic*>(d.GetDlgItem(1005));
            if (p && p->GetIcon())
                shown = p->GetIcon()->pixmap(16, 16).toImage().pixel(8, 8);
            d.EndDialog(IDOK);
        },
        nullptr, "Product", nullptr, nullptr, nullptr, nullptr);
    QApplication::setWindowIcon(QIcon());
    EXPECT_EQ(shown, QColor(Qt::red).rgb());
}

// The templates are KivDlg's: found while its call runs, and the caller's
// module is current again afterwards.
TEST(KivDlgAbout, UsesItsOwnResourcesForTheCallOnly)
{
    const HINSTANCE before = AfxGetResourceHandle();
    EXPECT_EQ(before->dialog(kivdlg::IDD_ABOUT), nullptr);
    HINSTANCE during = nullptr;
    runAbout(
        [&](CKivAboutDlg& d) {
            during = AfxGetResourceHandle();
            d.EndDialog(IDOK);
        },
        nullptr, "P", nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(during, KivDlgResources());
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

// The box as a person sees it, kept beside the build as about.png.
TEST(KivDlgAbout, GrabbedBoxShowsTheTextsAndBlueLinks)
{
    QImage shot;
    const QIcon icon = KivCtrlResources()->icon(1000);
    runAbout(
        [&](CKivAboutDlg& d) {
            shot = d.grab().toImage();
            d.EndDialog(IDOK);
        },
        &icon, "Vandrel Studio", "Version 0.1", "Free software for CAD desktops", "https://example.org/vandrel",
        "studio@example.org");
    ASSERT_EQ(shot.size(), QSize(DialogUnitsToPixelsX(200), DialogUnitsToPixelsY(110)));
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/about.png"));
    int blue = 0;
    const int top = DialogUnitsToPixelsY(50), bottom = DialogUnitsToPixelsY(70);
    for (int y = top; y < bottom; ++y)
        for (int x = DialogUnitsToPixelsX(40); x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            blue += c.blue() > 150 && c.red() < 100 && c.green() < 100;
        }
    EXPECT_GT(blue, 20) << "the links are drawn in blue";
}
