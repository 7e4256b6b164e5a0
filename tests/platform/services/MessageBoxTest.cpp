// SPDX-License-Identifier: MIT
#include "platform/services/MessageBox.h"

#include <gtest/gtest.h>

#include <QWidget>

TEST(MessageBox, RecorderAnswersFromScriptThenCautiously)
{
    MessageBoxRecorder boxes;
    boxes.answer(IDYES);
    EXPECT_EQ(MessageBox(nullptr, "Overwrite?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "Again?", "Confirm", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Done", "Info", MB_OK), IDOK);
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].text, "Overwrite?");
    EXPECT_EQ(boxes.shown()[0].caption, "Confirm");
    EXPECT_EQ(boxes.shown()[0].type, MB_YESNO | MB_ICONQUESTION);
}

TEST(MessageBox, RecordersNest)
{
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        MessageBox(nullptr, "inner", "c", MB_OK);
        EXPECT_EQ(inner.shown().size(), 1u);
    }
    MessageBox(nullptr, "outer", "c", MB_OK);
    ASSERT_EQ(outer.shown().size(), 1u);
    EXPECT_EQ(outer.shown()[0].text, "outer");
}

TEST(MessageBox, UnattendedAnswersNeverConsentUnlessTold)
{
    struct Case {
        UINT type;
        int cautious;
        int consent;
    };
    const Case cases[] = {
        {MB_OK, IDOK, IDOK},
        {MB_OKCANCEL, IDCANCEL, IDOK},
        {MB_ABORTRETRYIGNORE, IDABORT, IDRETRY},
        {MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL, IDYES},
        {MB_YESNO | MB_DEFBUTTON1, IDNO, IDYES},
        {MB_RETRYCANCEL, IDCANCEL, IDRETRY},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnattendedAnswer(c.type, ConsoleAnswer::Cautious), c.cautious) << c.type;
        EXPECT_EQ(UnattendedAnswer(c.type, ConsoleAnswer::Consent), c.consent) << c.type;
    }
}

TEST(MessageBox, AfxMessageBoxIsOwnedByTheMainWindow)
{
    MessageBoxRecorder boxes;
    AfxMessageBox("no main window yet");
    EXPECT_EQ(boxes.shown().back().owner, nullptr);
    {
        QWidget main;
        AfxSetMainWnd(&main);
        AfxMessageBox("owned", MB_ICONSTOP);
        EXPECT_EQ(boxes.shown().back().owner, &main);
        EXPECT_EQ(boxes.shown().back().type, MB_ICONSTOP);
    }
    // The handle forgets a window that is gone.
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}
