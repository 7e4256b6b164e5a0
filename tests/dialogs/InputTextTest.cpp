// SPDX-License-Identifier: MIT
#include "dialogs/CKivInputTextDlg.h"
#include "dialogs/KivDlgInputText.h"
#include "platform/widgets/CButton.h"

#include <gtest/gtest.h>

#include <QTest>

#include <cstring>
#include <functional>
#include <string>

namespace {

int runInput(std::function<void(CKivInputTextDlg&)> hook, char* text, const char* prompt, const char* title, int x,
    int y, QWidget* owner = nullptr)
{
    CDialog::SetModalHook([hook](CDialog& d) {
        auto* dialog = dynamic_cast<CKivInputTextDlg*>(&d);
        ASSERT_NE(dialog, nullptr);
        hook(*dialog);
    });
    const int result = KivDlgInputText(owner, text, prompt, title, x, y);
    CDialog::SetModalHook(nullptr);
    return result;
}

} // namespace

TEST(KivDlgInputText, ShowsPromptAndTextAndReturnsTheEditOnOk)
{
    char text[256] = "first draft";
    CString title, prompt, preset;
    const int result = runInput(
        [&](CKivInputTextDlg& d) {
            title = d.GetWindowText();
            prompt = d.GetDlgItem(2001)->GetWindowText();
            preset = d.GetEdit()->GetWindowText();
            QTest::keyClicks(d.GetEdit()->widget(), "Layer 7"); // replaces the selected preset
            d.grab().save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/input.png");
            QTest::mouseClick(dynamic_cast<CButton*>(d.GetDlgItem(IDOK))->widget(), Qt::LeftButton);
        },
        text, "Layer name:", "Rename", -1, -1);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(title, "Rename");
    EXPECT_EQ(prompt, "Layer name:");
    EXPECT_EQ(preset, "first draft");
    EXPECT_STREQ(text, "Layer 7");
}

TEST(KivDlgInputText, CancelAndCloseWriteNothing)
{
    char text[256] = "keep me";
    EXPECT_EQ(runInput(
                  [](CKivInputTextDlg& d) {
                      d.GetEdit()->SetWindowText("changed");
                      QTest::mouseClick(dynamic_cast<CButton*>(d.GetDlgItem(IDCANCEL))->widget(), Qt::LeftButton);
                  },
                  text, nullptr, nullptr, -1, -1),
        0);
    EXPECT_STREQ(text, "keep me");
    EXPECT_EQ(runInput(
                  [](CKivInputTextDlg& d) {
                      d.GetEdit()->SetWindowText("changed");
                      d.close();
                  },
                  text, nullptr, nullptr, -1, -1),
        0);
    EXPECT_STREQ(text, "keep me");
    EXPECT_EQ(KivDlgInputText(nullptr, nullptr, "p", "t", -1, -1), 0);
}

TEST(KivDlgInputText, NullTitleIsEmptyAndPositionNeedsBothCoordinates)
{
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    char text[256] = "";
    CString title = "x";
    QPoint centred, moved;
    runInput(
        [&](CKivInputTextDlg& d) {
            title = d.GetWindowText();
            centred = d.frameGeometry().topLeft();
            d.EndDialog(IDCANCEL);
        },
        text, "p", nullptr, -1, 40, &owner);
    EXPECT_EQ(title, "");
    runInput(
        [&](CKivInputTextDlg& d) {
            moved = d.frameGeometry().topLeft();
            d.EndDialog(IDCANCEL);
        },
        text, "p", nullptr, 30, 40, &owner);
    EXPECT_EQ(moved, QPoint(30, 40));
    EXPECT_NE(centred.y(), 40) << "x = -1 leaves the dialog where it opens";
}

// The caller's buffer holds 256 bytes: a longer text is cut between
// characters, never in the middle of one and never past the buffer.
TEST(KivDlgInputText, LongTextsFitTheBufferWholeCharactersOnly)
{
    char buffer[300];
    std::memset(buffer, 'Z', sizeof buffer);
    buffer[0] = '\0';
    std::string typed(254, 'a');
    typed += "é€"; // the é would end on byte 256: the text stops before it
    runInput(
        [&](CKivInputTextDlg& d) {
            d.GetEdit()->SetWindowText(typed.c_str());
            d.OnOK();
        },
        buffer, nullptr, nullptr, -1, -1);
    EXPECT_EQ(std::strlen(buffer), 254u);
    EXPECT_EQ(buffer[255], 'Z') << "nothing written past the text";
    EXPECT_EQ(CKivInputTextDlg::CutUtf8("aé", 2), "a");
    EXPECT_EQ(CKivInputTextDlg::CutUtf8("aé", 3), "aé");
    EXPECT_EQ(CKivInputTextDlg::CutUtf8("€", 2), "");
}
