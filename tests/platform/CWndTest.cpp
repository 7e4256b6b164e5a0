#include "platform/CWnd.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <vector>

namespace {

struct Parent : CWnd {
    struct Got {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Got> got;
    int timers = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        got.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void OnTimer(UINT_PTR id) override
    {
        if (id == 7 && ++timers == 2)
            KillTimer(7);
    }
};

} // namespace

TEST(CWnd, PostedMessagesArriveOnlyWhenTheLoopRuns)
{
    Parent parent;
    EXPECT_TRUE(parent.PostMessage(WM_USER + 1, 2, 3));
    EXPECT_TRUE(parent.got.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.got.size(), 1u);
    EXPECT_EQ(parent.got[0].message, WM_USER + 1);
    EXPECT_EQ(parent.got[0].wParam, 2u);
    EXPECT_EQ(parent.got[0].lParam, 3);
    EXPECT_EQ(parent.SendMessage(WM_USER + 2), 0);
    EXPECT_EQ(parent.got.size(), 2u) << "sent messages arrive at once";
    EXPECT_FALSE(PostMessage(nullptr, WM_USER, 0, 0));
}

TEST(CWnd, ChildGeometryAndIdentifiers)
{
    Parent parent;
    CWnd child;
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), &parent, 1234));
    EXPECT_EQ(child.GetDlgCtrlID(), 1234);
    EXPECT_EQ(child.GetParent(), &parent);
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 50));
    child.MoveWindow(0, 0, 30, 40);
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 30, 40));
    EXPECT_TRUE(child.EnableWindow(FALSE) == FALSE);
    EXPECT_FALSE(child.IsWindowEnabled());
}

TEST(CWnd, TimersTickUntilKilled)
{
    Parent wnd;
    EXPECT_EQ(wnd.SetTimer(7, 5), 7u);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(wnd.timers, 2);
    EXPECT_FALSE(wnd.KillTimer(7));
}

TEST(CWnd, PackedPointsKeepTheirSign)
{
    const LPARAM l = MAKELPARAM(-5, 300);
    EXPECT_EQ(GET_X_LPARAM(l), -5);
    EXPECT_EQ(GET_Y_LPARAM(l), 300);
    EXPECT_EQ(LOWORD(MAKEWPARAM(12, 5)), 12);
    EXPECT_EQ(HIWORD(MAKEWPARAM(12, 5)), 5);
}
