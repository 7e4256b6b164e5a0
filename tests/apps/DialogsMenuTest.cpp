// SPDX-License-Identifier: MIT
// The studio's Dialogs menu on the bundled samples: every entry opens its
// dialog, which is grabbed to a picture for a person to look at, closed
// with OK, and its result lands in the log pane.
#include "DialogsMenu.h"
#include "OpenFile.h"

#include "controls/KivThumbList.h"
#include "dialogs/CKivDrawingViewCtrl.h"
#include "dialogs/CKivFindParamDlg.h"
#include "dialogs/KivDlgIconMenu.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CDialog.h"
#include "views/CKivSlideThumbListCtrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

void pressOk(CDialog& d)
{
    if (auto* ok = dynamic_cast<CButton*>(d.GetDlgItem(IDOK)); ok && ok->isVisible())
        QTest::mouseClick(ok->widget(), Qt::LeftButton);
    else
        d.EndDialog(IDOK);
    QCoreApplication::processEvents();
}

// Grabs the first dialog the call opens as studio-<name>.png, lets prepare
// drive it, then presses OK.
int grabbing(const char* name, const std::function<int()>& call, std::function<void(CDialog&)> prepare = {})
{
    bool grabbed = false;
    CDialog::SetModalHook([&](CDialog& d) {
        if (grabbed) {
            d.EndDialog(IDOK);
            return;
        }
        grabbed = true;
        if (prepare)
            prepare(d);
        QCoreApplication::processEvents();
        d.grab().save(QString("%1/studio-%2.png").arg(VANDREL_BINARY_DIR, name));
        pressOk(d);
    });
    const int result = call();
    CDialog::SetModalHook(nullptr);
    EXPECT_TRUE(grabbed) << name;
    return result;
}

} // namespace

TEST(DialogsMenu, EveryEntryOpensItsDialogOnTheSamplesAndLogsTheResult)
{
    QWidget owner;
    QPlainTextEdit log;
    DialogsMenu menu(VANDREL_SOURCE_DIR "/samples", &log, &owner);
    EXPECT_EQ(menu.actions().size(), 15);
    EXPECT_EQ(grabbing("view-slide", [&] { return menu.viewSlide(); }), 1);
    EXPECT_EQ(grabbing("view-file", [&] { return menu.viewFile(); }), 1);
    int slides = 0;
    EXPECT_EQ(grabbing(
                  "view-thumbnail", [&] { return menu.viewThumbnail(); },
                  [&](CDialog& d) {
                      if (auto* browser = dynamic_cast<CKivSlideThumbListCtrl*>(d.GetDlgItem(1006)))
                          slides = browser->GetThumbList() ? browser->GetThumbList()->getCount() : 0;
                  }),
        1);
    EXPECT_GT(slides, 1) << "the library's slides";
    EXPECT_EQ(grabbing("view-drawing", [&] { return menu.viewDrawing(); }), 1);
    EXPECT_EQ(grabbing("view-drawing-bare", [&] { return menu.viewDrawingWithoutPreview(); }), 1);
    EXPECT_EQ(grabbing("view-rich", [&] { return menu.viewRichText(); }), 1);
    EXPECT_EQ(grabbing("view-text", [&] { return menu.viewPlainText(); }), 1);
    EXPECT_EQ(grabbing("file-viewer", [&] { return menu.fileViewer(); }), 1);
    EXPECT_EQ(grabbing("aci-color", [&] { return menu.pickColour(1); }), 1);
    EXPECT_EQ(grabbing("aci-color-ko", [&] { return menu.pickColour(0); }), 1);
    EXPECT_EQ(grabbing("get-path", [&] { return menu.pickFolder(); }), 1);
    EXPECT_EQ(grabbing(
                  "icon-menu", [&] { return menu.iconMenu(); },
                  [](CDialog& d) {
                      if (auto* icons = dynamic_cast<CKivIconMenuDlg*>(&d))
                          icons->GetBrowser()->SetCurSel(1);
                  }),
        1);
    EXPECT_EQ(grabbing("input-text", [&] { return menu.inputText(); }), 1);
    EXPECT_EQ(grabbing(
                  "find", [&] { return menu.findParameter(); },
                  [](CDialog& d) {
                      if (auto* find = dynamic_cast<CKivFindParamDlg*>(&d)) {
                          find->Find("NACA");
                          find->GetList()->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                      }
                  }),
        1);
    const QStringList lines = log.toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "KivDlgViewSlide(HOUSE.SLD) = 1");
    EXPECT_TRUE(lines[8].startsWith("KivDlgAciColor(language 1) = 1   colour 1 (RED)")) << lines[8].toStdString();
    EXPECT_TRUE(lines[11].startsWith("KivDlgIconMenu = 1   data ")) << lines[11].toStdString();
    EXPECT_TRUE(lines[13].startsWith("KivDlgFindParam = 1   index ")) << lines[13].toStdString();
}

TEST(Studio, AFileGivenOpensInItsViewer)
{
    QTemporaryDir dir;
    const QString dxf = dir.filePath("plan.dxf");
    QFile out(dxf);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n62\n1\n10\n0\n20\n0\n11\n10\n21\n5\n0\nENDSEC\n0\nEOF\n");
    out.close();
    const QString library = VANDREL_SOURCE_DIR "/samples/slides/DEMO.SLB";
    QString seen;
    int cells = 0;
    const auto opened = [&](const char* name, const QString& path) {
        seen.clear();
        return grabbing(
            name, [&] { return OpenGivenFile(nullptr, path); },
            [&](CDialog& d) {
                seen = d.windowTitle();
                if (auto* view = dynamic_cast<CKivDrawingViewCtrl*>(d.GetDlgItem(1011)))
                    seen += view->IsDxf() && !*view->GetNotice() ? " shows the drawing" : " shows nothing";
                if (auto* browser = dynamic_cast<CKivSlideThumbListCtrl*>(d.GetDlgItem(1006)))
                    cells = browser->GetThumbList() ? browser->GetThumbList()->getCount() : 0;
            });
    };
    EXPECT_EQ(opened("open-dxf", dxf), 1);
    EXPECT_TRUE(seen.endsWith("shows the drawing")) << seen.toStdString();
    EXPECT_EQ(opened("open-slide", VANDREL_SOURCE_DIR "/samples/slides/HOUSE.SLD"), 1);
    EXPECT_EQ(opened("open-library", library), 1);
    EXPECT_GT(cells, 1) << "the library's slides";
    // Anything else opens nothing and says so to the caller.
    bool any = false;
    CDialog::SetModalHook([&](CDialog& d) {
        any = true;
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(OpenGivenFile(nullptr, dir.filePath("notes.txt")), -1);
    CDialog::SetModalHook(nullptr);
    EXPECT_FALSE(any);
}
