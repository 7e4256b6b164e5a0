// SPDX-License-Identifier: MIT
#include "controls/CKivColorCtrl.h"
#include "controls/CKivComboBox.h"
#include "controls/CKivHyperCtrl.h"
#include "controls/CKivScrollEditCtrl.h"
#include "controls/CKivSpinEditCtrl.h"
#include "core/CKivStringArray.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace testsupport;

namespace {

void loseFocus(CEdit& edit)
{
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit.widget(), &out);
}

void clickArrow(CSpinButtonCtrl& spin, bool up)
{
    spin.widget()->findChildren<QToolButton*>().at(up ? 0 : 1)->click();
}

struct Parent : CWnd {
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    BOOL OnCommand(WPARAM w, LPARAM l) override
    {
        commands.emplace_back(w, l);
        return TRUE;
    }
};

} // namespace

TEST(CKivEdit, DoubleModeStepsClampsAndRewritesOnFocusLoss)
{
    CKivEdit edit;
    edit.Setup(0.0, 10.0, 3.0, 0.5, 1);
    EXPECT_EQ(edit.GetWindowText(), "3.0");
    edit.SetWindowText("3");
    edit.Add(3, 1);
    EXPECT_EQ(edit.GetWindowText(), "4.5");
    EXPECT_TRUE(edit.widget()->isModified());
    edit.SetWindowText("12");
    loseFocus(edit);
    EXPECT_EQ(edit.GetWindowText(), "10.0");
    edit.SetWindowText("abc");
    EXPECT_EQ(edit.GetDouble(), 0.0);
    EXPECT_EQ(edit.GetWindowText(), "abc") << "reading does not rewrite";
    double min = 0, max = 0;
    edit.GetRange(&min, &max);
    EXPECT_EQ(max, 10.0);
}

TEST(CKivEdit, IntegerModeTruncatesTheStepAndFloorsDoubles)
{
    CKivEdit edit;
    edit.SetRange(0, 100, 0); // then a step of 0.01 would be what a default edit has
    CKivEdit fresh;
    fresh.SetWindowText("7");
    fresh.SetValue(7, 1);
    fresh.Add(5, 1);
    EXPECT_EQ(fresh.GetWindowText(), "7") << "the default step 0.01 truncates to 0";
    edit.Setup(0, 100, 5, 2);
    edit.Add(3, 1);
    EXPECT_EQ(edit.GetWindowText(), "11");
    edit.SetWindowText("500");
    EXPECT_EQ(edit.GetInteger(), 100);

    CKivEdit real;
    real.Setup(-10.0, 10.0, 2.7, 0.1, 1);
    EXPECT_EQ(real.GetInteger(), 2);
    real.SetWindowText("-2.5");
    EXPECT_EQ(real.GetInteger(), -3);
}

TEST(CKivSpinEditCtrl, UpAddsAStepDownTakesOne)
{
    Parent parent;
    CKivEdit edit;
    edit.Create(WS_CHILD, CRect(0, 0, 50, 20), &parent, 10);
    edit.Setup(0, 10, 5, 1);
    CKivSpinEditCtrl spin;
    spin.Create(WS_CHILD, CRect(50, 0, 66, 20), &parent, 11);
    spin.SetLink(&edit);
    clickArrow(spin, true);
    EXPECT_EQ(edit.GetWindowText(), "6");
    clickArrow(spin, false);
    clickArrow(spin, false);
    EXPECT_EQ(edit.GetWindowText(), "4");
    for (int i = 0; i < 20; ++i)
        clickArrow(spin, true);
    EXPECT_EQ(edit.GetWindowText(), "10") << "clamped to the edit's range";
}

TEST(CKivScrollEditCtrl, ScrollCodesDriveTheEditAndTheBarFollows)
{
    CKivEdit edit;
    edit.Setup(0, 100, 20, 1);
    CKivScrollEditCtrl bar;
    bar.SetLink(&edit, 10);
    EXPECT_EQ(bar.widget()->maximum(), 100);
    EXPECT_EQ(bar.GetScrollPos(), 20);
    bar.DoScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(edit.GetWindowText(), "21");
    bar.DoScroll(SB_PAGEUP, 0);
    EXPECT_EQ(edit.GetWindowText(), "11");
    bar.DoScroll(SB_THUMBTRACK, 60);
    EXPECT_EQ(edit.GetWindowText(), "60");
    EXPECT_EQ(bar.GetScrollPos(), 60);
    bar.DoScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(edit.GetWindowText(), "60");
    edit.SetWindowText("33");
    bar.DoChange();
    EXPECT_EQ(bar.GetScrollPos(), 33);
}

TEST(CKivComboBox, AddFilesStripsExtensions)
{
    TempDir dir;
    for (const char* name : {"abc.sld", "de.sld", "x.dwg"})
        writeText(dir.file(name), "");
    std::filesystem::create_directory(dir.path() / "sub.sld");
    CKivComboBox combo;
    EXPECT_EQ(combo.AddFiles(dir.path().c_str(), "*.sld", 1, 1), 1);
    ASSERT_EQ(combo.widget()->count(), 3);
    EXPECT_EQ(combo.GetLBText(0), "abc");
    EXPECT_EQ(combo.GetLBText(1), "de");
    EXPECT_EQ(combo.GetLBText(2), "sub") << "folders count too";
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(combo.AddFiles(dir.path().c_str(), "*.dwg", 0, 0), 1);
    EXPECT_EQ(combo.GetLBText(3), "x.dwg");
    EXPECT_EQ(combo.AddFiles(dir.path().c_str(), "*.none", 0, 1), 0);
    EXPECT_EQ(combo.widget()->count(), 0);
    writeText(dir.file("ab"), "");
    combo.AddFiles(dir.path().c_str(), "ab", 1, 1);
    EXPECT_EQ(combo.GetLBText(0), "ab") << "names under four characters stay whole";
}

TEST(CKivListBox, StringCollectionsAndShowList)
{
    CKivListBox list;
    CStringArray array;
    array.Add("one");
    array.Add("two");
    CStringList strings;
    strings.AddTail("three");
    EXPECT_EQ(list.AddStringArray(&array, 1), 1);
    EXPECT_EQ(list.AddStringList(&strings, 0), 1);
    EXPECT_EQ(list.widget()->count(), 3);
    EXPECT_EQ(list.widget()->item(2)->text(), "three");
    EXPECT_EQ(list.AddStringArray(nullptr, 1), 0);
    EXPECT_EQ(list.widget()->count(), 3);

    CKivStringArray names;
    names.Add("B");
    names.Add("A");
    names.ShowList(&list, 1);
    EXPECT_EQ(list.widget()->count(), 2);
    CComboBox combo;
    combo.AddString("old");
    names.ShowList(&combo, 0);
    EXPECT_EQ(combo.widget()->count(), 3);
    EXPECT_EQ(combo.GetLBText(2), "A");
    names.ShowList(static_cast<CComboBox*>(nullptr), 1);
}

TEST(CKivColorCtrl, FillsAndOutlines)
{
    CKivColorCtrl swatch;
    swatch.resize(20, 10);
    swatch.SetAciColor(1);
    swatch.SetLineColor(RGB(0, 255, 0));
    const QImage shot = swatch.grab().toImage();
    EXPECT_EQ(shot.pixel(10, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(shot.pixel(19, 9) & 0xFFFFFF, 0x00FF00u);
}

namespace {
int g_offered = 0;
int pickGreen(HWND, int* colour, int, int)
{
    g_offered = *colour;
    *colour = 3;
    return 1;
}
int pickNothing(HWND, int*, int, int)
{
    return 0;
}
} // namespace

TEST(CKivColorLabelCtrl, ClampsNamesAndPicks)
{
    Parent parent;
    CKivColorLabelCtrl label;
    label.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 24), &parent, 501);
    ASSERT_NE(label.GetSwatch(), nullptr);
    EXPECT_EQ(label.GetSwatch()->GetDlgCtrlID(), 20000);
    EXPECT_EQ(label.GetSwatch()->width(), 20);
    EXPECT_EQ(label.GetLabel()->GetDlgCtrlID(), 30000);
    label.SetColor(300);
    EXPECT_EQ(label.GetColor(), 256);
    label.SetColor(-1);
    EXPECT_EQ(label.GetColor(), 0);
    label.SetLanguage(1);
    label.SetColor(1);
    EXPECT_EQ(label.GetLabel()->GetWindowText(), "RED");
    EXPECT_EQ(label.GetColor(0), "빨간색");
    EXPECT_EQ(label.GetSwatch()->GetColor(), RGB(255, 0, 0));
    label.SetColor("blue", 1);
    EXPECT_EQ(label.GetColor(), 5);

    QTest::mouseDClick(&label, Qt::LeftButton); // no picker: nothing
    QCoreApplication::processEvents();
    EXPECT_TRUE(parent.commands.empty());
    label.SetColorPicker(&pickNothing);
    QTest::mouseDClick(&label, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(parent.commands.empty());

    label.SetColorPicker(&pickGreen);
    QTest::mouseDClick(&label, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(g_offered, 5);
    EXPECT_EQ(label.GetColor(), 3);
    ASSERT_EQ(parent.commands.size(), 2u);
    EXPECT_EQ(LOWORD(parent.commands[0].first), 501);
    EXPECT_EQ(HIWORD(parent.commands[0].first), 0);
    EXPECT_EQ(parent.commands[0].second, 0);
    EXPECT_EQ(HIWORD(parent.commands[1].first), CKivStatic::kDoubleClickCode);
}

namespace {
// A Qt host that is no CWnd: it reads the posted WM_COMMANDs as events and
// connects to the controls' signal, logging both in the order they come.
struct QtHost : QWidget {
    std::vector<CString> log;
    bool event(QEvent* e) override
    {
        if (e->type() != WinMessageEvent::type())
            return QWidget::event(e);
        const auto* m = static_cast<WinMessageEvent*>(e);
        if (m->message == WM_COMMAND)
            log.push_back(StringFormat("message %d/%d", LOWORD(m->wParam), HIWORD(m->wParam)));
        return true;
    }
    void listen(CWnd& control)
    {
        QObject::connect(&control, &CWnd::notified, this, [this, &control](unsigned code) {
            log.push_back(StringFormat("signal %d/%u", control.GetDlgCtrlID(), code));
        });
    }
};
} // namespace

TEST(CKivStatic, AQtHostGetsEachNotificationAsSignalAndMessage)
{
    QtHost host;
    CKivColorLabelCtrl label;
    label.Create(WS_VISIBLE, CRect(0, 0, 120, 24), &host, 601);
    label.SetColorPicker(&pickGreen);
    CKivEdit edit;
    edit.Create(WS_VISIBLE, CRect(0, 30, 60, 50), &host, 602);
    host.listen(label);
    host.listen(edit);
    host.show();

    QTest::mouseDClick(&label, Qt::LeftButton);
    QTest::keyClick(edit.widget(), Qt::Key_7);
    const std::vector<CString> signalled {"signal 601/0", "signal 601/5", "signal 602/768"};
    EXPECT_EQ(host.log, signalled) << "signals come at once: colour picked, double click, EN_CHANGE";
    QCoreApplication::processEvents();
    const std::vector<CString> both {
        "signal 601/0", "signal 601/5", "signal 602/768", "message 601/0", "message 601/5", "message 602/768"};
    EXPECT_EQ(host.log, both) << "the messages follow when the loop runs";
}

TEST(CKivHyperCtrl, OpensItsLinkOrBeeps)
{
    Parent parent;
    CKivHyperCtrl link;
    link.Create("https://example.org/docs", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &parent, 7);
    EXPECT_EQ(link.GetURL(), "https://example.org/docs") << "the text is the address until one is set";
    EXPECT_EQ(link.GetToolTipText(), "https://example.org/docs");
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);

    ProcessRecorder processes;
    MessageBoxRecorder boxes;
    EXPECT_EQ(link.GotoLink(), 1);
    ASSERT_EQ(processes.requests().size(), 1u);
    EXPECT_EQ(processes.requests()[0].arguments, (std::vector<CString> {"https://example.org/docs"}));
    processes.answer(-1);
    EXPECT_EQ(link.GotoLink(), 0);
    EXPECT_EQ(boxes.beeps(), (std::vector<UINT> {MB_ICONEXCLAMATION}));

    link.SetURL("https://example.org/other");
    EXPECT_EQ(link.GetToolTipText(), "https://example.org/other");
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(processes.requests().back().arguments, (std::vector<CString> {"https://example.org/other"}));
    link.SetUnderline(0);
    EXPECT_FALSE(link.font().underline());
    EXPECT_EQ(CKivHyperCtrl::GotoURL(nullptr, SW_SHOW), 0);
}
