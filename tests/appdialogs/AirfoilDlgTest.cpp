// SPDX-License-Identifier: MIT
#include "AirfoilDlgSupport.h"

#include "appdialogs/resources.h"
#include "dialogs/CKivAboutDlg.h"
#include "dialogs/CKivFindParamDlg.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QToolButton>

#include <cmath>
#include <string>

using namespace testsupport;
using namespace kivappdlg;

namespace {

// A small closed section in the free layout: title, then x y per line.
void writeSection(const std::string& path, const char* title, double thickness, int points)
{
    std::string text = std::string(title) + "\n";
    for (int i = 0; i < points; ++i) {
        const double a = 2 * M_PI * i / points;
        char line[64];
        std::snprintf(line, sizeof line, "%.6f %.6f\n", 0.5 + 0.5 * std::cos(a), thickness * std::sin(a));
        text += line;
    }
    writeText(path, text);
}

CKivAirfoilDlg& airfoil(CDialog& d)
{
    return dynamic_cast<CKivAirfoilDlg&>(d);
}

bool enabled(CDialog& d, UINT id)
{
    return d.GetDlgItem(static_cast<int>(id)) && d.GetDlgItem(static_cast<int>(id))->isEnabled();
}

int checkedKind(CDialog& d)
{
    int kind = -1, checked = 0;
    for (int k = 0; k < 4; ++k)
        if (auto* radio = dynamic_cast<CButton*>(d.GetDlgItem(static_cast<int>(IDC_AIRFOIL_JOUKOWSKI) + k));
            radio && radio->GetCheck() == BST_CHECKED) {
            kind = k;
            ++checked;
        }
    return checked == 1 ? kind : -2;
}

QImage drawing(CDialog& d)
{
    return d.GetDlgItem(IDC_AIRFOIL_DRAW)->palette().brush(QPalette::Window).textureImage();
}

} // namespace

TEST(KivDlgAppAirfoil, JoukowskiHasNoCamberPositionAndTheFileControlsWaitForKind3)
{
    TempDir dir;
    writeSection(dir.file("a.dat"), "ALPHA", 0.06, 40);
    AirfoilChoice c;
    c.type = 0;
    c.setFolder(dir.path().string() + "/");
    CString title;
    bool position = true, camber = false, combo = true, find = true, folder = true;
    int kind = -9;
    runAirfoil(c, [&](CDialog& d) {
        title = d.GetWindowText();
        kind = checkedKind(d);
        position = enabled(d, IDC_AIRFOIL_POSITION) || enabled(d, IDC_AIRFOIL_POSITION_SPIN);
        camber = enabled(d, IDC_AIRFOIL_CAMBER) && enabled(d, IDC_AIRFOIL_CAMBER_SPIN);
        combo = enabled(d, IDC_AIRFOIL_FILE);
        find = enabled(d, IDC_AIRFOIL_FIND);
        folder = enabled(d, IDC_AIRFOIL_FOLDER);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(title, "Vandrel Airfoil : Version 2.1");
    EXPECT_EQ(kind, 0);
    EXPECT_FALSE(position);
    EXPECT_TRUE(camber);
    EXPECT_FALSE(combo) << "files are listed but kind 0 draws none";
    EXPECT_FALSE(find);
    EXPECT_FALSE(folder);
}

TEST(KivDlgAppAirfoil, Kind3DisablesTheParametersAndDrawsTheChosenFile)
{
    TempDir dir;
    writeSection(dir.file("a.dat"), "ALPHA", 0.06, 40);
    writeSection(dir.file("b.DAT"), "BETA", 0.10, 64);
    AirfoilChoice c;
    c.type = 3;
    c.setFolder(dir.path().string()); // no separator: the dialog adds one
    c.setFile("b.DAT");
    bool anyParameter = true, combo = false, find = false, folder = false;
    int drawnNodes = 0, comboItems = 0;
    CString comboText;
    const int result = runAirfoil(c, [&](CDialog& d) {
        for (UINT id : {IDC_AIRFOIL_CAMBER, IDC_AIRFOIL_POSITION, IDC_AIRFOIL_THICKNESS, IDC_AIRFOIL_NODES,
                 IDC_AIRFOIL_CAMBER_SPIN, IDC_AIRFOIL_NODES_SPIN})
            anyParameter = anyParameter && enabled(d, id);
        combo = enabled(d, IDC_AIRFOIL_FILE);
        find = enabled(d, IDC_AIRFOIL_FIND);
        folder = enabled(d, IDC_AIRFOIL_FOLDER);
        CComboBox* files = airfoil(d).GetFileCombo();
        comboItems = files->GetCount();
        comboText = files->GetLBText(files->GetCurSel());
        drawnNodes = airfoil(d).GetDrawn().m_nodes;
        clickItem(d, IDOK);
    });
    EXPECT_FALSE(anyParameter);
    EXPECT_TRUE(combo);
    EXPECT_TRUE(find);
    EXPECT_TRUE(folder);
    EXPECT_EQ(comboItems, 2);
    EXPECT_EQ(comboText, "b.DAT - BETA");
    EXPECT_EQ(drawnNodes, 64) << "the file's own points were drawn";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(c.folder), dir.path().string() + "/");
    EXPECT_STREQ(c.file, "b.DAT");
    EXPECT_EQ(c.type, 3);
    EXPECT_EQ(c.nodes, 180) << "the parameters keep their values meanwhile";
}

TEST(KivDlgAppAirfoil, FolderWithoutCoordinateFilesKeepsTheFileControlsDisabled)
{
    TempDir dir;
    writeText(dir.file("notes.txt"), "nothing here\n");
    AirfoilChoice c;
    c.type = 3;
    c.setFolder(dir.path().string() + "/");
    bool combo = true, find = true, folder = false;
    runAirfoil(c, [&](CDialog& d) {
        combo = enabled(d, IDC_AIRFOIL_FILE);
        find = enabled(d, IDC_AIRFOIL_FIND);
        folder = enabled(d, IDC_AIRFOIL_FOLDER);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_FALSE(combo);
    EXPECT_FALSE(find);
    EXPECT_TRUE(folder) << "another folder can still be chosen";
}

TEST(KivDlgAppAirfoil, TypedNodesAreClampedWhenReadForTheDrawing)
{
    AirfoilChoice c;
    int drawn = 0, drawsBefore = 0, drawsAfter = 0;
    const int result = runAirfoil(c, [&](CDialog& d) {
        auto& dialog = airfoil(d);
        drawsBefore = dialog.GetDrawCount();
        QLineEdit* nodes = dialog.GetEdit(IDC_AIRFOIL_NODES)->widget();
        nodes->selectAll();
        QTest::keyClicks(nodes, "400");
        drawsAfter = dialog.GetDrawCount();
        drawn = dialog.GetDrawn().m_nodes;
        clickItem(d, IDOK);
    });
    EXPECT_GT(drawsAfter, drawsBefore) << "typing redraws";
    EXPECT_EQ(drawn, 360);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(c.nodes, 360);
}

TEST(KivDlgAppAirfoil, ParametersRedrawLiveAndOkWritesThemBack)
{
    AirfoilChoice c;
    c.type = 0;
    c.camber = 0;
    c.thickness = 10;
    QImage thin, thick;
    const int result = runAirfoil(c, [&](CDialog& d) {
        auto& dialog = airfoil(d);
        thin = drawing(d);
        clickItem(d, IDC_AIRFOIL_NACA4);
        EXPECT_EQ(checkedKind(d), 1) << "one radio checked at a time";
        EXPECT_TRUE(enabled(d, IDC_AIRFOIL_POSITION));
        // The up arrow of the thickness adds a step of 0.1.
        auto* spin = d.GetDlgItem(IDC_AIRFOIL_THICKNESS_SPIN);
        QTest::mouseClick(spin->findChildren<QToolButton*>().at(0), Qt::LeftButton);
        EXPECT_EQ(dialog.GetEdit(IDC_AIRFOIL_THICKNESS)->GetWindowText(), "10.10");
        dialog.GetEdit(IDC_AIRFOIL_THICKNESS)->SetWindowText("24");
        thick = drawing(d);
        dialog.GetEdit(IDC_AIRFOIL_CAMBER)->SetWindowText("4");
        dialog.GetEdit(IDC_AIRFOIL_POSITION)->SetWindowText("30");
        clickItem(d, IDOK);
    });
    ASSERT_FALSE(thin.isNull());
    EXPECT_NE(thin, thick) << "the drawing follows the parameters";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(c.type, 1);
    EXPECT_DOUBLE_EQ(c.camber, 4);
    EXPECT_DOUBLE_EQ(c.position, 30);
    EXPECT_DOUBLE_EQ(c.thickness, 24);
    EXPECT_EQ(c.nodes, 180);
}

TEST(KivDlgAppAirfoil, CancelLeavesTheEightValuesUntouched)
{
    FileDialogRecorder files;
    TempDir dir;
    writeSection(dir.file("x.dat"), "X", 0.05, 30);
    files.answer((dir.path() / "x.dat").string().c_str());
    AirfoilChoice c;
    c.type = 2;
    c.setFolder("/elsewhere/");
    c.setFile("old.dat");
    const AirfoilChoice before = c;
    EXPECT_EQ(runAirfoil(c,
                  [&](CDialog& d) {
                      auto& dialog = airfoil(d);
                      clickItem(d, IDC_AIRFOIL_DATAFILE);
                      clickItem(d, IDC_AIRFOIL_FOLDER);
                      dialog.GetEdit(IDC_AIRFOIL_CAMBER)->SetWindowText("9");
                      clickItem(d, IDCANCEL);
                  }),
        0);
    EXPECT_EQ(files.shown().size(), 1u);
    EXPECT_EQ(c.type, before.type);
    EXPECT_EQ(c.camber, before.camber);
    EXPECT_EQ(c.position, before.position);
    EXPECT_EQ(c.thickness, before.thickness);
    EXPECT_EQ(c.nodes, before.nodes);
    EXPECT_STREQ(c.folder, "/elsewhere/");
    EXPECT_STREQ(c.file, "old.dat");
}

TEST(KivDlgAppAirfoil, FolderButtonTakesFolderAndFileFromTheChosenFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "Foils");
    const std::string foils = (dir.path() / "Foils").string() + "/";
    writeSection(foils + "a.dat", "ALPHA", 0.06, 40);
    writeSection(foils + "e387.dat", "EPPLER 387", 0.04, 50);
    FileDialogRecorder files;
    files.answer((foils + "e387.dat").c_str());
    AirfoilChoice c;
    c.type = 3;
    c.setFolder(dir.path().string() + "/");
    int drawn = 0;
    bool combo = false;
    const int result = runAirfoil(c, [&](CDialog& d) {
        clickItem(d, IDC_AIRFOIL_FOLDER);
        drawn = airfoil(d).GetDrawn().m_nodes;
        combo = enabled(d, IDC_AIRFOIL_FILE);
        clickItem(d, IDOK);
    });
    ASSERT_EQ(files.shown().size(), 1u);
    const auto& shown = files.shown()[0];
    EXPECT_EQ(shown.title, "Select Directory");
    EXPECT_EQ(shown.initialDir, dir.path().string() + "/");
    EXPECT_EQ(shown.defaultExt, "dat");
    EXPECT_EQ(shown.filter, "Airfoil Data Files (*.dat)|*.dat|All Files (*.*)|*.*||");
    EXPECT_TRUE(combo);
    EXPECT_EQ(drawn, 50);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(c.folder), foils);
    EXPECT_STREQ(c.file, "e387.dat");
}

// A path the caller's buffers cannot hold is refused, not cut.
TEST(KivDlgAppAirfoil, FolderButtonRefusesAPathTooLongForTheBuffers)
{
    FileDialogRecorder files;
    files.answer(("/" + std::string(300, 'f') + "/x.dat").c_str());
    MessageBoxRecorder boxes;
    AirfoilChoice c;
    c.type = 3;
    c.setFolder("/start/");
    runAirfoil(c, [&](CDialog& d) {
        clickItem(d, IDC_AIRFOIL_FOLDER);
        clickItem(d, IDOK);
    });
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_STREQ(c.folder, "/start/");
}

TEST(KivDlgAppAirfoil, FindButtonPicksAFileByTitle)
{
    TempDir dir;
    writeSection(dir.file("a.dat"), "ALPHA wing", 0.06, 40);
    writeSection(dir.file("b.dat"), "BETA tail", 0.10, 44);
    writeSection(dir.file("c.dat"), "GAMMA tail", 0.08, 48);
    AirfoilChoice c;
    c.type = 3;
    c.setFolder(dir.path().string() + "/");
    CString findTitle, shownInCombo, about;
    int drawn = 0;
    const int result = runAirfoil(c, [&](CDialog& d) {
        if (auto* find = dynamic_cast<CKivFindParamDlg*>(&d)) {
            findTitle = find->GetWindowText();
            find->GetEdit()->SetWindowText("tail");
            clickItem(*find, 3);
            find->GetList()->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED); // "GAMMA tail"
            clickItem(*find, IDOK);
            return;
        }
        if (auto* box = dynamic_cast<CKivAboutDlg*>(&d)) {
            about = box->GetDlgItem(1000)->GetWindowText() + " / " + box->GetDlgItem(1001)->GetWindowText();
            box->EndDialog(IDOK);
            return;
        }
        clickItem(d, IDC_AIRFOIL_FIND);
        CComboBox* files = airfoil(d).GetFileCombo();
        shownInCombo = files->GetLBText(files->GetCurSel());
        drawn = airfoil(d).GetDrawn().m_nodes;
        clickItem(d, IDC_AIRFOIL_ABOUT);
        clickItem(d, IDOK);
    });
    EXPECT_EQ(findTitle, "Find Airfoil");
    EXPECT_EQ(shownInCombo, "c.dat - GAMMA tail");
    EXPECT_EQ(drawn, 48);
    EXPECT_EQ(about, "Vandrel Airfoil / Version 2.1");
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(c.file, "c.dat");
}

TEST(KivDlgAppAirfoil, NullArgumentsOpenNothing)
{
    int type = 0, nodes = 100;
    double v = 0;
    char folder[260] = "", file[260] = "";
    bool opened = false;
    CDialog::SetModalHook([&](CDialog& d) {
        opened = true;
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(KivDlgAppAirfoil(nullptr, nullptr, &v, &v, &v, &nodes, folder, file), 0);
    EXPECT_EQ(KivDlgAppAirfoil(nullptr, &type, &v, &v, &v, &nodes, folder, nullptr), 0);
    CDialog::SetModalHook(nullptr);
    EXPECT_FALSE(opened);
}

// The dialog as a person sees it, kept beside the build: a NACA 2412.
TEST(KivDlgAppAirfoil, GrabbedDialogShowsTheSectionOverTheGrid)
{
    AirfoilChoice c;
    QImage shot;
    runAirfoil(c, [&](CDialog& d) {
        shot = d.grab().toImage();
        d.EndDialog(IDCANCEL);
    });
    // As wide as the template, or a little wider where a label needed room.
    ASSERT_EQ(shot.height(), DialogUnitsToPixelsY(255));
    ASSERT_GE(shot.width(), DialogUnitsToPixelsX(255));
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/airfoil-naca.png"));
    int white = 0;
    for (int y = 0; y < DialogUnitsToPixelsY(125); ++y)
        for (int x = 0; x < shot.width(); ++x)
            white += (shot.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_GT(white, 200) << "the outline is drawn in the drawing area";
}

// The coordinate files the studio opens the dialog on.
TEST(KivDlgAppAirfoil, BundledSamplesListAndDraw)
{
    AirfoilChoice c;
    c.type = 3;
    c.setFolder(std::string(VANDREL_SOURCE_DIR) + "/samples/airfoil/");
    c.setFile("naca0012.dat");
    int items = 0, drawn = 0;
    CString chosen;
    QImage shot;
    runAirfoil(c, [&](CDialog& d) {
        auto& dialog = airfoil(d);
        items = dialog.GetFileCombo()->GetCount();
        chosen = dialog.GetFileCombo()->GetLBText(dialog.GetFileCombo()->GetCurSel());
        drawn = dialog.GetDrawn().m_nodes;
        shot = d.grab().toImage();
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(items, 4);
    EXPECT_EQ(chosen, "naca0012.dat - NACA 0012");
    EXPECT_EQ(drawn, 121);
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/airfoil-bundled.png"));
}
