// SPDX-License-Identifier: MIT
#include "core/KivParamList.h"
#include "dialogs/CKivFindParamDlg.h"
#include "dialogs/KivDlgFindParam.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CButton.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <functional>

namespace {

struct Files : KivParamList {
    Files()
    {
        addParam("clarky.dat", "CLARK Y AIRFOIL");
        addParam("e387.dat", "EPPLER 387 abc");
        addParam("n0012.dat", "NACA 0012 AIRFOILS");
        addParam("E387.DAT", "Eppler 387 ab, upper case twin");
        addParam("s1223.dat", "Selig S1223 AB");
    }
    ~Files() { removeData(); }
};

int runFind(std::function<void(CKivFindParamDlg&)> hook, KivParamList* list, int* index, const char* title)
{
    CDialog::SetModalHook([hook](CDialog& d) {
        auto* dialog = dynamic_cast<CKivFindParamDlg*>(&d);
        ASSERT_NE(dialog, nullptr);
        hook(*dialog);
    });
    const int result = KivDlgFindParam(nullptr, list, index, title);
    CDialog::SetModalHook(nullptr);
    return result;
}

void click(CDialog& d, int id)
{
    auto* button = dynamic_cast<CButton*>(d.GetDlgItem(id));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button->widget(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the click is posted to the dialog
}

} // namespace

TEST(KivDlgFindParam, FilterListsMatchingValuesAndGivesThePositionInTheWholeList)
{
    Files files;
    int index = 99;
    int rows = -1;
    CString title, second, heading0, heading1;
    const int result = runFind(
        [&](CKivFindParamDlg& d) {
            title = d.GetWindowText();
            EXPECT_EQ(d.GetList()->GetItemCount(), 0) << "the list starts empty";
            d.GetEdit()->SetWindowText("ab");
            click(d, 3);
            rows = d.GetList()->GetItemCount();
            second = d.GetList()->GetItemText(1, 0) + "|" + d.GetList()->GetItemText(1, 1);
            heading0 = d.GetList()->widget()->headerItem()->text(0).toStdString();
            heading1 = d.GetList()->widget()->headerItem()->text(1).toStdString();
            d.GetList()->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
            d.grab().save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/find.png");
            click(d, IDOK);
        },
        &files, &index, "Find Airfoil");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(title, "Find Airfoil");
    EXPECT_EQ(heading0, "Name");
    EXPECT_EQ(heading1, "Data");
    EXPECT_EQ(rows, 2) << "case-sensitive: \"abc\" and \"ab,\" match, \"AB\" does not";
    EXPECT_EQ(second, "E387.DAT|Eppler 387 ab, upper case twin");
    EXPECT_EQ(index, 3) << "the position in the list, not the row, and not its lower-case twin";
}

TEST(KivDlgFindParam, EmptyFilterListsAllAndDoubleClickIsOk)
{
    Files files;
    int index = -5;
    const int result = runFind(
        [&](CKivFindParamDlg& d) {
            click(d, 3);
            EXPECT_EQ(d.GetList()->GetItemCount(), 5);
            QTreeWidget* view = d.GetList()->widget();
            const QRect row = view->visualItemRect(view->topLevelItem(2));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
        },
        &files, &index, "t");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(index, 2);
}

TEST(KivDlgFindParam, OkWithoutARowSaysSoAndStaysOpen)
{
    Files files;
    int index = 7;
    MessageBoxRecorder boxes;
    bool stillOpen = false;
    const int result = runFind(
        [&](CKivFindParamDlg& d) {
            d.GetEdit()->SetWindowText("no such text");
            click(d, 3);
            click(d, IDOK);
            stillOpen = d.isVisible();
            click(d, IDCANCEL);
        },
        &files, &index, "t");
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(index, 7) << "nothing written without OK";
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "No Selection!");
    EXPECT_EQ(boxes.shown()[0].caption, "Find");
    EXPECT_EQ(boxes.shown()[0].type & MB_ICONMASK, MB_ICONSTOP);
}

TEST(KivDlgFindParam, NeedsAListAndAnIndex)
{
    Files files;
    int index = 0;
    bool opened = false;
    CDialog::SetModalHook([&](CDialog& d) {
        opened = true;
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(KivDlgFindParam(nullptr, nullptr, &index, "t"), 0);
    EXPECT_EQ(KivDlgFindParam(nullptr, &files, nullptr, "t"), 0);
    CDialog::SetModalHook(nullptr);
    EXPECT_FALSE(opened);
}
