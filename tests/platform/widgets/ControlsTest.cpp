// SPDX-License-Identifier: MIT
#include "platform/widgets/CButton.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CEdit.h"
#include "platform/widgets/CListBox.h"
#include "platform/widgets/CProgressCtrl.h"
#include "platform/widgets/CScrollBar.h"
#include "platform/widgets/CSpinButtonCtrl.h"
#include "platform/widgets/CStatic.h"
#include "platform/widgets/CToolTipCtrl.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <vector>

namespace {

// A dialog-like parent: records WM_COMMAND, WM_NOTIFY and scroll messages
// in the order they arrive. An answer for WM_NOTIFY may be set.
struct Parent : CWnd {
    struct Got {
        UINT message;
        int id;
        int code;
        LPARAM lParam;
    };
    std::vector<Got> got;
    std::vector<NMUPDOWN> deltas;
    LRESULT notifyAnswer = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_HSCROLL || message == WM_VSCROLL)
            got.push_back({message, LOWORD(wParam), HIWORD(wParam), lParam});
        if (message == WM_NOTIFY) {
            deltas.push_back(*reinterpret_cast<NMUPDOWN*>(lParam));
            return notifyAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

LPARAM handle(QWidget* w)
{
    return reinterpret_cast<LPARAM>(w);
}

struct Edit : CEdit {
    int killed = 0;
    void OnKillFocus(QWidget*) override { ++killed; }
};

} // namespace

TEST(Controls, CreateMakesAVisibleChildThatTheWidgetFills)
{
    Parent parent;
    CListBox list;
    ASSERT_TRUE(list.Create(0, CRect(5, 5, 85, 65), &parent, 10));
    parent.show();
    EXPECT_TRUE(list.isVisible()) << "controls are always visible children";
    EXPECT_EQ(list.GetStyle(), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(list.widget()->geometry(), QRect(0, 0, 80, 60));
    list.MoveWindow(0, 0, 30, 20);
    EXPECT_EQ(list.widget()->geometry(), QRect(0, 0, 30, 20));
    EXPECT_EQ(list.AddString("a"), 0);
    EXPECT_EQ(list.AddString(nullptr), 1);
    list.ResetContent();
    EXPECT_EQ(list.widget()->count(), 0);
}

TEST(Controls, EditNotifiesChangesAndFocusLossBothWays)
{
    Parent parent;
    Edit edit;
    edit.Create(0, CRect(0, 0, 80, 20), &parent, 21);
    QSignalSpy spy(&edit, &CWnd::notified);
    edit.SetWindowText("set");
    EXPECT_EQ(edit.GetWindowText(), "set");
    EXPECT_FALSE(edit.widget()->isModified()) << "setting the text is no edit";
    QTest::keyClicks(edit.widget(), "ab");
    EXPECT_EQ(edit.GetWindowText(), "setab");
    EXPECT_TRUE(edit.widget()->isModified());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.widget()->isModified());
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit.widget(), &out);
    EXPECT_EQ(edit.killed, 1);
    ASSERT_EQ(spy.count(), 3) << "the signal comes as the message is posted";
    EXPECT_TRUE(parent.got.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.got.size(), 3u);
    EXPECT_EQ(parent.got[0].code, static_cast<int>(EN_CHANGE));
    EXPECT_EQ(parent.got[0].id, 21);
    EXPECT_EQ(parent.got[0].lParam, handle(&edit));
    EXPECT_EQ(parent.got[2].code, static_cast<int>(EN_KILLFOCUS));
    EXPECT_EQ(spy.at(2).at(0).toUInt(), EN_KILLFOCUS);
}

TEST(Controls, ComboAndListReportTheUsersChoice)
{
    Parent parent;
    CComboBox combo;
    combo.Create(0, CRect(0, 0, 80, 20), &parent, 31);
    combo.AddString("one");
    EXPECT_EQ(combo.AddString("two"), 1);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.SetCurSel(2), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(-2), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 1) << "a refused index changes nothing";
    EXPECT_EQ(combo.GetLBText(0), "one");
    EXPECT_EQ(combo.GetLBText(5), "");
    QCoreApplication::processEvents();
    EXPECT_TRUE(parent.got.empty()) << "choosing in code is no notification";
    combo.widget()->activated(0); // what the user's pick emits
    CListBox list;
    list.Create(0, CRect(0, 30, 80, 90), &parent, 32);
    list.AddString("x");
    list.widget()->setCurrentRow(0);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.got.size(), 2u);
    EXPECT_EQ(parent.got[0].id, 31);
    EXPECT_EQ(parent.got[0].code, static_cast<int>(CBN_SELCHANGE));
    EXPECT_EQ(parent.got[1].id, 32);
    EXPECT_EQ(parent.got[1].code, static_cast<int>(LBN_SELCHANGE));
}

TEST(Controls, ButtonClicksPostBnClicked)
{
    Parent parent;
    CButton button;
    button.Create("Go", BS_PUSHBUTTON, CRect(0, 0, 60, 20), &parent, 41);
    parent.show();
    EXPECT_EQ(button.GetWindowText(), "Go");
    QSignalSpy spy(&button, &CWnd::notified);
    QTest::mouseClick(button.widget(), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.got.size(), 1u);
    EXPECT_EQ(parent.got[0].id, 41);
    EXPECT_EQ(parent.got[0].code, static_cast<int>(BN_CLICKED));
    EXPECT_EQ(parent.got[0].lParam, handle(&button));
    EXPECT_EQ(spy.count(), 1);
    // A text set later shows, on a push button and a group box alike, through any window pointer.
    CButton group;
    group.Create("Old", BS_GROUPBOX, CRect(0, 30, 60, 60), &parent, 42);
    static_cast<CWnd*>(&button)->SetWindowText("&Stop");
    static_cast<CWnd*>(&group)->SetWindowText("New");
    EXPECT_EQ(qobject_cast<QPushButton*>(button.widget())->text(), "&Stop");
    EXPECT_EQ(qobject_cast<QGroupBox*>(group.widget())->title(), "New");
}

TEST(Controls, ScrollBarSendsItsCodesOnItsAxis)
{
    Parent parent;
    CScrollBar bar;
    bar.Create(SBS_VERT, CRect(0, 0, 16, 100), &parent, 51);
    EXPECT_EQ(bar.widget()->orientation(), Qt::Vertical);
    bar.SetScrollRange(0, 50);
    bar.SetPageSize(0);
    EXPECT_EQ(bar.widget()->pageStep(), 1) << "a page is at least one";
    EXPECT_EQ(bar.SetScrollPos(20), 0);
    EXPECT_EQ(bar.SetScrollPos(70), 20);
    EXPECT_EQ(bar.GetScrollPos(), 50) << "kept in the range";
    EXPECT_TRUE(parent.got.empty()) << "moving it in code reports nothing";
    bar.widget()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar.widget()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(parent.got.size(), 2u) << "sent at once";
    EXPECT_EQ(parent.got[0].message, WM_VSCROLL);
    EXPECT_EQ(parent.got[0].id, static_cast<int>(SB_LINEUP)); // the code is the low word
    EXPECT_EQ(parent.got[1].id, static_cast<int>(SB_PAGEDOWN));
    EXPECT_EQ(parent.got[1].lParam, handle(&bar));

    CScrollBar across;
    across.Create(SBS_HORZ, CRect(0, 0, 100, 16), &parent, 52);
    across.SetScrollRange(0, 10);
    across.widget()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(parent.got.back().message, WM_HSCROLL);
    EXPECT_EQ(parent.got.back().id, static_cast<int>(SB_LINEDOWN));
}

TEST(Controls, SpinArrowsNotifyDeltasThatTheParentMayRefuse)
{
    Parent parent;
    CSpinButtonCtrl spin;
    spin.Create(0, CRect(0, 0, 16, 24), &parent, 61);
    const auto arrows = spin.widget()->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    EXPECT_EQ(arrows[0]->arrowType(), Qt::UpArrow);
    arrows[1]->click(); // down: toward 100
    arrows[1]->click();
    arrows[0]->click();
    ASSERT_EQ(parent.deltas.size(), 3u);
    EXPECT_EQ(parent.deltas[0].iDelta, 1);
    EXPECT_EQ(parent.deltas[2].iDelta, -1) << "up lowers the position of a 100–0 range";
    EXPECT_EQ(parent.deltas[2].iPos, 2);
    EXPECT_EQ(parent.deltas[0].hdr.code, UDN_DELTAPOS);
    EXPECT_EQ(parent.deltas[0].hdr.idFrom, 61u);
    EXPECT_EQ(parent.deltas[0].hdr.hwndFrom, &spin);
    parent.notifyAnswer = 1; // refuse: the position stays
    arrows[0]->click();
    parent.notifyAnswer = 0;
    arrows[0]->click();
    arrows[0]->click();
    arrows[0]->click();
    EXPECT_EQ(parent.deltas[4].iPos, 1);
    EXPECT_EQ(parent.deltas.back().iPos, 0) << "never below the range";
}

TEST(Controls, ToolTipsPerWindowAndTool)
{
    QWidget a, b;
    CToolTipCtrl tips;
    EXPECT_FALSE(tips.Create(nullptr));
    EXPECT_TRUE(tips.Create(&a));
    EXPECT_TRUE(tips.AddTool(&a, "first", nullptr, 1));
    EXPECT_TRUE(tips.AddTool(&b, nullptr, nullptr, 1));
    EXPECT_FALSE(tips.AddTool(nullptr, "x"));
    tips.UpdateTipText("second", &a, 2);
    EXPECT_EQ(tips.GetText(&a, 1), "first");
    EXPECT_EQ(tips.GetText(&a, 2), "second");
    EXPECT_EQ(tips.GetText(&b, 1), "");
    EXPECT_EQ(tips.GetText(&b, 9), "");
    EXPECT_EQ(a.toolTip(), "second") << "the window shows its latest tip";
}

TEST(Controls, ProgressBarKeepsItsPositionInsideTheRange)
{
    Parent parent;
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(PBS_SMOOTH, CRect(0, 0, 200, 12), &parent, 9));
    EXPECT_EQ(bar.GetPos(), 0);
    int lower = -1, upper = -1;
    bar.GetRange(lower, upper);
    EXPECT_EQ(upper, 100) << "a Win32 bar's default range";
    EXPECT_EQ(bar.SetPos(40), 0);
    EXPECT_EQ(bar.SetPos(250), 40);
    EXPECT_EQ(bar.GetPos(), 100);
    bar.SetRange32(10, 20);
    EXPECT_EQ(bar.GetPos(), 20) << "moved into the new range";
    EXPECT_EQ(bar.SetPos(-5), 20);
    EXPECT_EQ(bar.GetPos(), 10);
    bar.SetRange32(50, 5); // upside down: an empty range at 50
    bar.GetRange(lower, upper);
    EXPECT_EQ(lower, 50);
    EXPECT_EQ(upper, 50);
    EXPECT_FALSE(bar.widget()->isTextVisible());
}

TEST(Controls, StaticShowsAnIconOrAnEtchedLine)
{
    Parent parent;
    parent.resize(100, 60);
    CStatic picture, line;
    picture.Create("", SS_ICON | WS_VISIBLE, CRect(0, 0, 32, 32), &parent, 10);
    line.Create("", SS_ETCHEDHORZ | WS_VISIBLE, CRect(0, 40, 100, 42), &parent, 11);
    QImage red(32, 32, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QIcon icon(QPixmap::fromImage(red));
    EXPECT_EQ(picture.SetIcon(&icon), nullptr);
    EXPECT_EQ(picture.GetIcon(), &icon);
    const QImage shown = parent.grab().toImage();
    EXPECT_EQ(shown.pixel(16, 16), QColor(Qt::red).rgb());
    EXPECT_NE(shown.pixel(50, 40), shown.pixel(50, 50)) << "the line's dark half";
}

// "&Cancel" shows Cancel with its access key, "&&" one ampersand.
TEST(Controls, ButtonTextsKeepTheirAccessKeys)
{
    Parent parent;
    CButton cancel, both;
    cancel.Create("&Cancel", BS_PUSHBUTTON, CRect(0, 0, 80, 24), &parent, 2);
    both.Create("Save && Close", BS_PUSHBUTTON, CRect(0, 30, 80, 54), &parent, 3);
    auto* button = qobject_cast<QAbstractButton*>(cancel.widget());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "&Cancel");
    EXPECT_EQ(button->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(both.widget())->text(), "Save && Close");
    EXPECT_EQ(cancel.GetWindowText(), "&Cancel");
}

TEST(Controls, SortedListBoxWithManySelected)
{
    Parent parent;
    CListBox list;
    list.Create(LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY, CRect(0, 0, 80, 90), &parent, 33);
    for (const char* s : {"b.sld", "A.SLD", "c.sld", "B.SLD"})
        list.AddString(s);
    std::vector<CString> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetText(i));
    EXPECT_EQ(texts, (std::vector<CString> {"A.SLD", "b.sld", "B.SLD", "c.sld"})) << "ignoring case, equal ones after";
    EXPECT_EQ(list.GetText(9), "");
    EXPECT_EQ(list.GetSelCount(), 0);
    list.SetSel(3);
    list.SetSel(1);
    EXPECT_EQ(list.GetSelItems(), (std::vector<int> {1, 3}));
    EXPECT_EQ(list.GetSel(1), 1);
    EXPECT_EQ(list.GetSel(0), 0);
    EXPECT_EQ(list.GetSel(7), LB_ERR);
    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetSelCount(), 2) << "the current item of a multiple selection is not selected by it";
    list.SetSel(-1, FALSE);
    EXPECT_EQ(list.GetSelCount(), 0);
    list.widget()->itemDoubleClicked(list.widget()->item(0)); // what the user's double click emits
    QCoreApplication::processEvents();
    ASSERT_FALSE(parent.got.empty());
    EXPECT_EQ(parent.got.back().code, static_cast<int>(LBN_DBLCLK));

    CListBox single;
    single.Create(0, CRect(0, 0, 80, 90), &parent, 34);
    single.AddString("z");
    single.AddString("a");
    EXPECT_EQ(single.GetText(1), "a") << "unsorted keeps the order";
    EXPECT_EQ(single.GetCurSel(), LB_ERR);
    single.SetCurSel(1);
    EXPECT_EQ(single.GetSelItems(), (std::vector<int> {1}));
    EXPECT_EQ(single.SetCurSel(-1), LB_ERR);
    EXPECT_EQ(single.GetCurSel(), LB_ERR);
}
