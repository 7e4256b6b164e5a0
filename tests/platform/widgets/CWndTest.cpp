// SPDX-License-Identifier: MIT
#include "platform/widgets/CWnd.h"
#include "platform/gdi/CDC.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>

#include <vector>

namespace {

struct Got {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Got&) const = default;
};

// Records every message in the order it arrives, and what each handler saw.
struct Recorder : CWnd {
    std::vector<Got> got;
    std::vector<CString> calls;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        got.push_back({message, wParam, lParam});
        if (message == WM_USER + 9)
            return 42;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void record(const char* what, UINT flags, CPoint p)
    {
        calls.push_back(StringFormat("%s %u %d,%d", what, flags, p.x, p.y));
    }
    void OnLButtonDown(UINT f, CPoint p) override { record("ldown", f, p); }
    void OnLButtonUp(UINT f, CPoint p) override { record("lup", f, p); }
    void OnLButtonDblClk(UINT f, CPoint p) override { record("ldbl", f, p); }
    void OnRButtonDown(UINT f, CPoint p) override { record("rdown", f, p); }
    void OnRButtonUp(UINT f, CPoint p) override { record("rup", f, p); }
    void OnRButtonDblClk(UINT f, CPoint p) override { record("rdbl", f, p); }
    void OnSize(UINT type, int cx, int cy) override { calls.push_back(StringFormat("size %u %dx%d", type, cx, cy)); }
    BOOL OnEraseBkgnd(CDC* dc) override
    {
        calls.push_back(dc ? "erase" : "erase without a context");
        return TRUE;
    }
    void OnPaint() override { calls.push_back("paint"); }
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        calls.push_back(StringFormat("command %d/%d", LOWORD(wParam), HIWORD(wParam)));
        return TRUE;
    }
};

// A plain widget that answers sent messages through the event's result.
struct Answering : QWidget {
    bool event(QEvent* e) override
    {
        if (e->type() == WinMessageEvent::type()) {
            auto* m = static_cast<WinMessageEvent*>(e);
            m->result = static_cast<LRESULT>(m->wParam) * 2;
            return true;
        }
        return QWidget::event(e);
    }
};

} // namespace

TEST(CWnd, PostedMessagesArriveInOrderOnlyWhenTheLoopRuns)
{
    Recorder wnd;
    EXPECT_TRUE(PostMessage(&wnd, WM_USER + 1, 1, 10));
    EXPECT_TRUE(PostMessage(&wnd, WM_USER + 2, 2, -20));
    EXPECT_EQ(SendMessage(&wnd, WM_USER + 3, 3, 30), 0);
    ASSERT_EQ(wnd.got.size(), 1u) << "a sent message is handled at once, ahead of the posted ones";
    EXPECT_EQ(wnd.got[0], (Got {WM_USER + 3, 3, 30}));
    EXPECT_TRUE(PostMessage(&wnd, WM_USER + 4, 4, 40));
    QCoreApplication::processEvents();
    const std::vector<Got> expected {
        {WM_USER + 3, 3, 30}, {WM_USER + 1, 1, 10}, {WM_USER + 2, 2, -20}, {WM_USER + 4, 4, 40}};
    EXPECT_EQ(wnd.got, expected);
    EXPECT_FALSE(PostMessage(nullptr, WM_USER, 0, 0));
}

TEST(CWnd, SendMessageGivesTheHandlersAnswer)
{
    Recorder wnd;
    EXPECT_EQ(SendMessage(&wnd, WM_USER + 9, 0, 0), 42);
    EXPECT_EQ(SendMessage(&wnd, WM_COMMAND, MAKEWPARAM(7, 3), 0), TRUE) << "OnCommand's answer";
    EXPECT_EQ(wnd.calls.back(), "command 7/3");
    Answering plain;
    EXPECT_EQ(SendMessage(&plain, WM_USER, 21, 0), 42);
    QWidget deaf;
    EXPECT_EQ(SendMessage(&deaf, WM_USER, 21, 0), 0);
    EXPECT_EQ(SendMessage(nullptr, WM_USER, 21, 0), 0);
}

TEST(CWnd, ChildGeometryStyleAndText)
{
    Recorder parent;
    parent.resize(300, 200);
    CWnd child;
    ASSERT_TRUE(child.Create(WS_CHILD | WS_DISABLED, CRect(10, 20, 110, 70), &parent, 1234));
    EXPECT_EQ(child.GetDlgCtrlID(), 1234);
    EXPECT_EQ(child.GetStyle(), WS_CHILD | WS_DISABLED);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_FALSE(child.isEnabled());
    parent.show();
    EXPECT_FALSE(child.isVisible()) << "no WS_VISIBLE: hidden with its parent shown";
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 50));
    parent.move(40, 30);
    CRect screen;
    child.GetWindowRect(&screen);
    const QPoint origin = parent.mapToGlobal(QPoint(10, 20));
    EXPECT_EQ(screen, CRect(origin.x(), origin.y(), origin.x() + 100, origin.y() + 50));

    EXPECT_FALSE(child.ShowWindow(SW_SHOW)) << "gives the earlier visibility";
    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    child.MoveWindow(5, 6, 30, -4);
    EXPECT_EQ(child.geometry(), QRect(5, 6, 30, 0)) << "a negative size is empty";
    child.SetWindowText("Title");
    EXPECT_EQ(child.GetWindowText(), "Title");
    child.SetWindowText(nullptr);
    EXPECT_EQ(child.GetWindowText(), "");
    CRect empty(1, 1, 1, 1);
    child.GetClientRect(nullptr); // no crash
    child.GetWindowRect(nullptr);
    EXPECT_EQ(empty, CRect(1, 1, 1, 1));
}

TEST(CWnd, TopLevelMoveWindowSetsTheFrame)
{
    Recorder window;
    window.show();
    window.MoveWindow(50, 60, 320, 240);
    CRect frame;
    window.GetWindowRect(&frame);
    EXPECT_EQ(frame, CRect(50, 60, 370, 300)) << "the frame, not the client area, is what was asked";
    CRect client;
    window.GetClientRect(&client);
    EXPECT_LE(client.Width(), 320);
}

TEST(CWnd, MouseAndSizeReachTheHandlers)
{
    Recorder wnd;
    wnd.resize(100, 80);
    wnd.show();
    wnd.calls.clear();
    QTest::mouseClick(&wnd, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
    QTest::mouseClick(&wnd, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
    QTest::mouseDClick(&wnd, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseClick(&wnd, Qt::MiddleButton, {}, QPoint(1, 1)); // nothing
    const std::vector<CString> clicks {"ldown 5 3,4", "lup 4 3,4", "rdown 10 5,6", "rup 8 5,6", "ldbl 1 7,8"};
    EXPECT_EQ(wnd.calls, clicks) << "MK_ flags of buttons held and Shift (4) or Ctrl (8)";
    wnd.calls.clear();
    wnd.resize(120, 90);
    EXPECT_EQ(wnd.calls, (std::vector<CString> {"size 0 120x90"}));
}

TEST(CWnd, RedrawNowPaintsAtOnceAfterTheBackground)
{
    Recorder wnd;
    wnd.resize(40, 30);
    wnd.show();
    QCoreApplication::processEvents();
    wnd.calls.clear();
    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
    EXPECT_TRUE(wnd.calls.empty()) << "invalidating only paints later";
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.calls, (std::vector<CString> {"erase", "paint"}));
    wnd.calls.clear();
    wnd.RedrawWindow();
    EXPECT_EQ(wnd.calls, (std::vector<CString> {"erase", "paint"}));
}

TEST(CWnd, WaitCursorsNest)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    BeginWaitCursor();
    BeginWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EndWaitCursor();
    EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the outer wait goes on";
    EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EndWaitCursor(); // one too many changes nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(CWnd, PackedPointsKeepTheirSign)
{
    const LPARAM l = MAKELPARAM(-5, 300);
    EXPECT_EQ(GET_X_LPARAM(l), -5);
    EXPECT_EQ(GET_Y_LPARAM(l), 300);
    EXPECT_EQ(LOWORD(MAKEWPARAM(12, 5)), 12);
    EXPECT_EQ(HIWORD(MAKEWPARAM(12, 5)), 5);
}
