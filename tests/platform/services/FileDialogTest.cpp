// SPDX-License-Identifier: MIT
// The file dialog service as dialogs drive it, and the calls dialogs use to
// put their own controls in place of a template's.
#include "platform/services/CFileDialog.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CDialog.h"
#include "platform/widgets/CEdit.h"
#include "platform/widgets/CStatic.h"

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

TEST(CFileDialog, WinFiltersBecomeQtFiltersInAnyCase)
{
    EXPECT_EQ(CFileDialog::QtFilters("Airfoil Data Files (*.dat)|*.dat|All Files (*.*)|*.*||"),
        (std::vector<CString> {"Airfoil Data Files (*.dat *.DAT)", "All Files (*)"}));
    EXPECT_EQ(
        CFileDialog::QtFilters("Pictures|*.bmp;*.PNG|"), (std::vector<CString> {"Pictures (*.bmp *.BMP *.png *.PNG)"}));
    EXPECT_TRUE(CFileDialog::QtFilters(nullptr).empty());
    EXPECT_TRUE(CFileDialog::QtFilters("||").empty());
    EXPECT_TRUE(CFileDialog::QtFilters("only a description").empty());
}

TEST(CFileDialog, RecorderAnswersInOrderThenCancels)
{
    FileDialogRecorder recorder;
    recorder.answer("C:\\Foils\\n0012.dat");
    recorder.cancel();

    CFileDialog first(TRUE, ".dat", nullptr, OFN_HIDEREADONLY, "Data (*.dat)|*.dat||");
    first.SetTitle("Select Directory");
    first.SetInitialDir("/data/foils/");
    ASSERT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.GetPathName(), "C:\\Foils\\n0012.dat");
    EXPECT_EQ(first.GetFileName(), "n0012.dat");
    EXPECT_EQ(first.GetFileExt(), "dat");
    EXPECT_EQ(first.GetFolderPath(), "C:/Foils/") << "paths come back with '/'";

    CFileDialog second(TRUE);
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.GetPathName(), "");
    CFileDialog third(FALSE);
    EXPECT_EQ(third.DoModal(), IDCANCEL) << "an empty script cancels";

    ASSERT_EQ(recorder.shown().size(), 3u);
    const auto& shown = recorder.shown()[0];
    EXPECT_TRUE(shown.open);
    EXPECT_EQ(shown.title, "Select Directory");
    EXPECT_EQ(shown.initialDir, "/data/foils/");
    EXPECT_EQ(shown.defaultExt, "dat") << "kept without its period";
    EXPECT_EQ(shown.flags, OFN_HIDEREADONLY);
    EXPECT_FALSE(recorder.shown()[2].open);
}

TEST(CFileDialog, NamesWithoutFolderOrExtension)
{
    FileDialogRecorder recorder;
    recorder.answer("README");
    recorder.answer("/x/y.tar.gz");
    CFileDialog d(TRUE);
    d.DoModal();
    EXPECT_EQ(d.GetFileName(), "README");
    EXPECT_EQ(d.GetFileExt(), "");
    EXPECT_EQ(d.GetFolderPath(), "");
    d.DoModal();
    EXPECT_EQ(d.GetFileExt(), "gz");
    EXPECT_EQ(d.GetFolderPath(), "/x/");
}

namespace {
constexpr UINT kForm = 9300;
} // namespace

// A dialog's own control takes the template's place: geometry, identifier,
// style and a working notification to the dialog.
TEST(CWnd, SubclassDlgItemReplacesTheTemplateControl)
{
    DialogTemplate form {"Form", 0, 0, 0, 120, 60, {}};
    form.items = {{100, "EDIT", WS_BORDER | WS_DISABLED, 10, 10, 80, 12, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 60, 40, 50, 14, "OK"}};
    AfxGetInstanceHandle()->addDialog(kForm, form);
    CDialog dialog(kForm);
    CDialog::SetModalHook([](CDialog& d) {
        CWnd* placeholder = d.GetDlgItem(100);
        ASSERT_NE(placeholder, nullptr);
        const QRect where = placeholder->geometry();
        auto* edit = new CEdit;
        ASSERT_TRUE(edit->SubclassDlgItem(100, &d));
        EXPECT_EQ(d.GetDlgItem(100), edit) << "the template's control is gone";
        EXPECT_EQ(edit->geometry(), where);
        EXPECT_EQ(edit->GetStyle() & WS_BORDER, WS_BORDER);
        EXPECT_FALSE(edit->isEnabled()) << "WS_DISABLED kept";
        EXPECT_FALSE(CEdit().SubclassDlgItem(555, &d));
        EXPECT_FALSE(CEdit().SubclassDlgItem(100, nullptr));
        auto* plain = new CWnd;
        ASSERT_TRUE(plain->SubclassDlgItem(IDOK, &d));
        EXPECT_TRUE(plain->isVisible()) << "a plain window shows where the template's control showed";
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    CDialog::SetModalHook(nullptr);
}

TEST(CComboBox, FindStringSearchesAfterStartAndWraps)
{
    CComboBox combo;
    for (const char* text : {"n0012.dat - NACA 0012", "E387.DAT - Eppler", "n0012.dat.dat - twin", "s1223.dat - S"})
        combo.AddString(text);
    EXPECT_EQ(combo.GetCount(), 4);
    EXPECT_EQ(combo.FindString(-1, "N0012.DAT"), 0) << "from the top, case ignored";
    EXPECT_EQ(combo.FindString(0, "n0012.dat"), 2) << "after item 0 first";
    EXPECT_EQ(combo.FindString(2, "n0012.dat"), 0) << "wraps to the top";
    EXPECT_EQ(combo.FindString(3, "e387"), 1);
    EXPECT_EQ(combo.FindString(-1, "zz"), CB_ERR);
    EXPECT_EQ(combo.FindString(-1, ""), 0);
    EXPECT_EQ(CComboBox().FindString(-1, "a"), CB_ERR);
}

// Radio buttons of a template each sit in a window of their own, so the
// dialog moves the check; SetCheck must be able to take it away.
TEST(CButton, RadioChecksAreSetAndCleared)
{
    QWidget parent;
    CButton a, b, box;
    a.Create("A", BS_AUTORADIOBUTTON, CRect(0, 0, 50, 16), &parent, 1);
    b.Create("B", BS_AUTORADIOBUTTON, CRect(0, 20, 50, 36), &parent, 2);
    box.Create("C", BS_AUTOCHECKBOX, CRect(0, 40, 50, 56), &parent, 3);
    a.SetCheck(BST_CHECKED);
    EXPECT_EQ(a.GetCheck(), BST_CHECKED);
    EXPECT_EQ(b.GetCheck(), BST_UNCHECKED);
    a.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(a.GetCheck(), BST_UNCHECKED);
    box.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED) << "a two-state box has no third state";
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    // A click keeps a checked radio checked, as in Win32.
    b.SetCheck(BST_CHECKED);
    parent.show();
    auto* radio = qobject_cast<QRadioButton*>(b.widget());
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(b.GetCheck(), BST_CHECKED);
}

// "&&" shows one '&' and a single '&' only marks the next letter, as in a
// Win32 label; SS_NOPREFIX shows the text as it is.
TEST(CStatic, AmpersandsAreMnemonicsUnlessNoPrefix)
{
    QWidget parent;
    CStatic marked, plain;
    marked.Create("R&&D", SS_LEFT, CRect(0, 0, 80, 20), &parent, 1);
    plain.Create("R&D", SS_LEFT | SS_NOPREFIX, CRect(0, 0, 80, 20), &parent, 2);
    EXPECT_EQ(marked.grab().toImage(), plain.grab().toImage());
    CStatic shown;
    shown.Create("R&&&&D", SS_LEFT | SS_NOPREFIX, CRect(0, 0, 80, 20), &parent, 3);
    EXPECT_NE(shown.grab().toImage(), plain.grab().toImage());
}

// Dialog units stand for the templates' 8-point face; the desktop's larger
// default would cut labels off.
TEST(CDialog, TemplateDialogsUseAnEightPointFace)
{
    DialogTemplate small {"Small", 0, 0, 0, 60, 30, {}};
    small.items = {{IDC_STATIC, "STATIC", SS_LEFT, 2, 2, 50, 10, "Label"}};
    AfxGetInstanceHandle()->addDialog(kForm + 1, small);
    CDialog dialog(kForm + 1);
    int points = 0;
    CDialog::SetModalHook([&](CDialog& d) {
        points = d.GetDlgItem(IDC_STATIC)->font().pointSize();
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    CDialog::SetModalHook(nullptr);
    EXPECT_EQ(points, 8);
}
