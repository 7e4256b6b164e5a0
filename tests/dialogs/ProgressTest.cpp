// SPDX-License-Identifier: MIT
#include "dialogs/CKivProgressDlg.h"
#include "dialogs/KivDlgProgress.h"
#include "platform/widgets/CProgressCtrl.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QProgressBar>

namespace {

// Every test leaves the slot empty, whatever it did.
struct ProgressWindow : testing::Test {
    void TearDown() override { KivDlgProgressClose(); }
};

CString labelText(CKivProgressDlg* w)
{
    return w->GetDlgItem(1002) ? w->GetDlgItem(1002)->GetWindowText() : "<none>";
}

} // namespace

TEST_F(ProgressWindow, StartShowCloseThroughTheOneSlot)
{
    EXPECT_EQ(KivDlgProgressShow("nothing open", 1), 0);
    EXPECT_EQ(KivDlgProgressClose(), 0);
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Copying", 100), 1);
    QPointer<CKivProgressDlg> first = KivDlgProgressWindow();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetWindowText(), "Copying");
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    ASSERT_NE(first->GetDlgItem(IDCANCEL), nullptr);
    EXPECT_FALSE(first->GetDlgItem(IDCANCEL)->isVisible()) << "the template's Cancel is hidden";

    // A second start is refused and the first window stays.
    EXPECT_EQ(KivDlgProgressStart(nullptr, "Other", 10), 0);
    EXPECT_EQ(KivDlgProgressWindow(), first.data());
    EXPECT_EQ(first->GetWindowText(), "Copying");

    EXPECT_EQ(KivDlgProgressShow("file 50 of 100", 50), 1);
    EXPECT_EQ(labelText(first), "file 50 of 100");
    CProgressCtrl* bar = first->GetBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    int lower = -1, upper = -1;
    bar->GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 100);
    EXPECT_EQ(bar->GetPos(), 50);
    EXPECT_EQ(bar->widget()->value() * 2, bar->widget()->maximum()) << "half the bar";
    EXPECT_EQ(KivDlgProgressShow(nullptr, 500), 1);
    EXPECT_EQ(labelText(first), "");
    EXPECT_EQ(bar->GetPos(), 100) << "clamped to the range";

    EXPECT_EQ(KivDlgProgressClose(), 1);
    EXPECT_FALSE(first) << "close deletes the window";
    EXPECT_EQ(KivDlgProgressWindow(), nullptr);
    EXPECT_EQ(KivDlgProgressClose(), 0);
    EXPECT_EQ(KivDlgProgressShow("gone", 1), 0);

    // The slot is free again.
    EXPECT_EQ(KivDlgProgressStart(nullptr, "Again", 5), 1);
    EXPECT_EQ(KivDlgProgressWindow()->GetWindowText(), "Again");
}

TEST_F(ProgressWindow, RangeBelowOneShowsNoBar)
{
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Scanning", 0), 1);
    EXPECT_EQ(KivDlgProgressShow("reading folder", 3), 1);
    CKivProgressDlg* w = KivDlgProgressWindow();
    EXPECT_EQ(w->GetWindowText(), "Scanning");
    EXPECT_EQ(labelText(w), "reading folder");
    ASSERT_NE(w->GetBar(), nullptr);
    EXPECT_FALSE(w->GetBar()->isVisible());
}

// Keys and the close box do not end the window behind the operation's back.
TEST_F(ProgressWindow, TakesNoInputOfItsOwn)
{
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Busy", 10), 1);
    CKivProgressDlg* w = KivDlgProgressWindow();
    w->reject();
    w->accept();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(KivDlgProgressWindow(), w);
}

// The window is its owner's child; when the owner goes first, the slot
// empties rather than keep a dangling window.
TEST_F(ProgressWindow, OwnerGoingAwayFreesTheSlot)
{
    auto* owner = new QWidget;
    owner->resize(300, 200);
    owner->show();
    ASSERT_EQ(KivDlgProgressStart(owner, "Owned", 10), 1);
    EXPECT_EQ(KivDlgProgressWindow()->parentWidget(), owner);
    delete owner;
    EXPECT_EQ(KivDlgProgressWindow(), nullptr);
    EXPECT_EQ(KivDlgProgressShow("late", 1), 0);
    EXPECT_EQ(KivDlgProgressClose(), 0);
    EXPECT_EQ(KivDlgProgressStart(nullptr, "Next", 10), 1);
}

// The caller's resources are current again after each call.
TEST_F(ProgressWindow, CallsRestoreTheCallersResources)
{
    const HINSTANCE before = AfxGetResourceHandle();
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Res", 10), 1);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    KivDlgProgressShow("x", 1);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    KivDlgProgressClose();
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

// The window as a person sees it, kept beside the build as progress.png.
TEST_F(ProgressWindow, GrabbedWindowShowsTheMessageAndAHalfBar)
{
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Copying slides", 100), 1);
    KivDlgProgressShow("Copying HOUSE.SLD (50 of 100)", 50);
    const QImage shot = KivDlgProgressWindow()->grab().toImage();
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/progress.png"));
    // Along the middle of the bar: the filled half differs from the empty one.
    const int y = DialogUnitsToPixelsY(35 + 6);
    const QRgb filled = shot.pixel(DialogUnitsToPixelsX(5 + 70), y);
    const QRgb empty = shot.pixel(DialogUnitsToPixelsX(5 + 220), y);
    EXPECT_NE(filled, empty);
}
