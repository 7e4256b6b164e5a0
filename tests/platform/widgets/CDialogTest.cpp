// SPDX-License-Identifier: MIT
#include "platform/widgets/CDialog.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CStatic.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

constexpr UINT kSettings = 9200;
constexpr UINT kNoDefault = 9201;

void registerTemplates()
{
    DialogTemplate settings {"Settings", 0, 0, 0, 180, 100, {}};
    settings.items = {
        {IDC_STATIC, "STATIC", SS_LEFT, 7, 7, 100, 10, "Name:"},
        {100, "EDIT", 0, 7, 20, 166, 14, ""},
        {101, "BUTTON", BS_AUTOCHECKBOX, 7, 40, 80, 10, "Remember"},
        {102, "BUTTON", BS_GROUPBOX, 95, 36, 78, 36, "Units"},
        {103, "button", BS_AUTORADIOBUTTON, 101, 48, 60, 10, "mm"},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 70, 79, 50, 14, "OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 123, 79, 50, 14, "Cancel"},
    };
    AfxGetInstanceHandle()->addDialog(kSettings, settings);
    DialogTemplate plain {"Plain", 0, 0, 0, 100, 40, {}};
    plain.items = {{IDCANCEL, "BUTTON", BS_PUSHBUTTON, 45, 20, 50, 14, "Cancel"}};
    AfxGetInstanceHandle()->addDialog(kNoDefault, plain);
}

// Counts the handlers; OnCancel may refuse, OnInitDialog may end at once.
struct Probe : CDialog {
    explicit Probe(UINT id = kSettings, QWidget* parent = nullptr) : CDialog(id, parent) { registerTemplates(); }
    int inits = 0, oks = 0, cancels = 0;
    bool refuseCancel = false;
    int endWhileInitialising = 0;
    BOOL OnInitDialog() override
    {
        ++inits;
        CDialog::OnInitDialog();
        if (endWhileInitialising)
            EndDialog(endWhileInitialising);
        return TRUE;
    }
    void OnOK() override
    {
        ++oks;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        if (!refuseCancel)
            CDialog::OnCancel();
    }
};

// DoModal with action run once the dialog is up. What the action sets going
// (clicks, posted commands) runs before the hook returns; a dialog still open
// then ends with kStillOpen, so a fault fails the test instead of hanging it.
constexpr int kStillOpen = -99;
INT_PTR runWith(CDialog& dialog, std::function<void(CDialog&)> action)
{
    CDialog::SetModalHook([action](CDialog& d) {
        const QPointer<CDialog> alive(&d);
        action(d);
        QCoreApplication::processEvents();
        if (alive && d.isVisible())
            d.EndDialog(kStillOpen);
    });
    const INT_PTR result = dialog.DoModal();
    CDialog::SetModalHook(nullptr);
    return result;
}

QRect duRect(int x, int y, int cx, int cy)
{
    return QRect(DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y),
        DialogUnitsToPixelsX(x + cx) - DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y + cy) - DialogUnitsToPixelsY(y));
}

} // namespace

TEST(CDialog, TemplateItemsBecomeControlsInDialogUnits)
{
    Probe dialog;
    bool checked = false;
    runWith(dialog, [&](CDialog& d) {
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.GetWindowText(), "Settings");
        EXPECT_EQ(d.windowTitle(), "Settings");
        EXPECT_EQ(d.size(), QSize(DialogUnitsToPixelsX(180), DialogUnitsToPixelsY(100)));
        auto* ok = dynamic_cast<CButton*>(d.GetDlgItem(IDOK));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->geometry(), duRect(70, 79, 50, 14));
        EXPECT_EQ(ok->widget()->geometry(), QRect(QPoint(0, 0), ok->size())) << "the button fills its window";
        auto* push = qobject_cast<QPushButton*>(ok->widget());
        ASSERT_NE(push, nullptr);
        EXPECT_TRUE(push->isDefault());
        EXPECT_FALSE(qobject_cast<QPushButton*>(dynamic_cast<CButton*>(d.GetDlgItem(IDCANCEL))->widget())->isDefault());
        EXPECT_NE(qobject_cast<QCheckBox*>(dynamic_cast<CButton*>(d.GetDlgItem(101))->widget()), nullptr);
        EXPECT_NE(qobject_cast<QGroupBox*>(dynamic_cast<CButton*>(d.GetDlgItem(102))->widget()), nullptr);
        EXPECT_NE(qobject_cast<QRadioButton*>(dynamic_cast<CButton*>(d.GetDlgItem(103))->widget()), nullptr)
            << "class names ignore case";
        // A class this platform does not make keeps its place and identifier as a label.
        CWnd* edit = d.GetDlgItem(100);
        ASSERT_NE(edit, nullptr);
        EXPECT_NE(dynamic_cast<CStatic*>(edit), nullptr);
        EXPECT_EQ(edit->geometry(), duRect(7, 20, 166, 14));
        EXPECT_TRUE(edit->isVisible());
        EXPECT_EQ(d.GetDlgItem(999), nullptr);
        // How it looks, for people to see; not compared.
        d.grab().save(QString::fromUtf8(VANDREL_BIN_DIR) + "/dialog-settings.png");
        checked = true;
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(checked);
}

TEST(CDialog, DoModalGivesWhatEndedIt)
{
    Probe dialog;
    EXPECT_EQ(runWith(dialog, [](CDialog& d) { d.EndDialog(77); }), 77);
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_FALSE(dialog.isVisible());

    // The buttons post their command; the dialog's OnCommand ends it.
    EXPECT_EQ(runWith(dialog,
                  [](CDialog& d) {
                      QTest::mouseClick(dynamic_cast<CButton*>(d.GetDlgItem(IDOK))->widget(), Qt::LeftButton);
                  }),
        IDOK);
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_EQ(runWith(dialog,
                  [](CDialog& d) {
                      QTest::mouseClick(dynamic_cast<CButton*>(d.GetDlgItem(IDCANCEL))->widget(), Qt::LeftButton);
                  }),
        IDCANCEL);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_EQ(dialog.inits, 3) << "every run initialises";
}

TEST(CDialog, KeysAndTheCloseBoxGoThroughTheHandlers)
{
    Probe dialog;
    EXPECT_EQ(runWith(dialog, [](CDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }), IDCANCEL);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_EQ(runWith(dialog, [](CDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }), IDOK) << "the default button";
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_EQ(runWith(dialog, [](CDialog& d) { d.close(); }), IDCANCEL);
    EXPECT_EQ(dialog.cancels, 2);

    // An OnCancel that refuses keeps the dialog open.
    dialog.refuseCancel = true;
    bool stillOpen = false;
    EXPECT_EQ(runWith(dialog,
                  [&](CDialog& d) {
                      QTest::keyClick(&d, Qt::Key_Escape);
                      d.close();
                      stillOpen = d.isVisible();
                      d.EndDialog(IDRETRY);
                  }),
        IDRETRY);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialog.cancels, 4);

    Probe plain(kNoDefault);
    EXPECT_EQ(runWith(plain, [](CDialog& d) { QTest::keyClick(&d, Qt::Key_Enter, Qt::KeypadModifier); }), IDOK)
        << "Enter without a default button is OK, as in Win32";
    EXPECT_EQ(plain.oks, 1);
}

TEST(CDialog, EndingEarlyOrVanishing)
{
    Probe early;
    early.endWhileInitialising = IDNO;
    bool shown = false;
    EXPECT_EQ(runWith(early, [&](CDialog&) { shown = true; }), IDNO);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown) << "a dialog ended while initialising never shows";

    QPointer<Probe> doomed = new Probe;
    EXPECT_EQ(runWith(*doomed, [](CDialog& d) { delete &d; }), IDCANCEL);
    EXPECT_TRUE(doomed.isNull());

    Probe hidden;
    EXPECT_EQ(runWith(hidden, [](CDialog& d) { d.hide(); }), IDCANCEL) << "hidden without EndDialog";
}

TEST(CDialog, CentresOverItsOwnerOrTheScreenAndKeepsIcons)
{
    QWidget owner;
    owner.setGeometry(100, 120, 400, 300);
    owner.show();
    Probe dialog(kSettings, &owner);
    dialog.OnInitDialog();
    const QRect frame = dialog.frameGeometry();
    EXPECT_NEAR(frame.center().x(), owner.frameGeometry().center().x(), 1);
    EXPECT_NEAR(frame.center().y(), owner.frameGeometry().center().y(), 1);
    owner.hide();
    dialog.CenterWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(dialog.frameGeometry().center().x(), screen.center().x(), 1);

    const QIcon big(QPixmap(16, 16)), small(QPixmap(8, 8));
    EXPECT_EQ(dialog.SetIcon(&big, TRUE), nullptr);
    EXPECT_EQ(dialog.SetIcon(&small, FALSE), nullptr);
    EXPECT_EQ(dialog.SetIcon(nullptr, TRUE), &big);
    EXPECT_EQ(dialog.SetIcon(nullptr, FALSE), &small);
    EXPECT_FALSE(dialog.windowIcon().isNull()) << "the big icon is the window's";
}

// A library's templates are found while its module is current; scopes nest
// and give the caller's module back.
TEST(CDialog, ResourceScopeMakesALibrarysTemplatesCurrent)
{
    ResourceModule library("library");
    DialogTemplate own {"Own", 0, 0, 0, 100, 40, {}};
    own.items = {{IDOK, "BUTTON", BS_DEFPUSHBUTTON, 25, 20, 50, 14, "OK"}};
    library.addDialog(9300, own);
    library.addString(1, "About %s");
    EXPECT_EQ(library.string(1), "About %s");
    EXPECT_EQ(library.string(2), "");

    const HINSTANCE application = AfxGetResourceHandle();
    {
        ResourceScope scope(&library);
        EXPECT_EQ(AfxGetResourceHandle(), &library);
        {
            ResourceModule other("other");
            ResourceScope inner(&other);
            EXPECT_EQ(AfxGetResourceHandle(), &other);
        }
        EXPECT_EQ(AfxGetResourceHandle(), &library);
        Probe dialog(9300);
        CDialog::SetModalHook([](CDialog& d) { d.EndDialog(IDOK); });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        CDialog::SetModalHook(nullptr);
        EXPECT_EQ(dialog.GetWindowText(), "Own");
    }
    EXPECT_EQ(AfxGetResourceHandle(), application);
    EXPECT_EQ(AfxGetInstanceHandle(), application);
    AfxSetResourceHandle(&library);
    EXPECT_EQ(AfxGetResourceHandle(), &library);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), application);
}

// An exported dialog call: its module is current while it runs, the
// caller's afterwards, and a throw becomes 0 instead of reaching the host.
TEST(CDialog, CallWithResourcesRestoresTheModuleAndStopsExceptions)
{
    ResourceModule library("library");
    const HINSTANCE application = AfxGetResourceHandle();
    EXPECT_EQ(CallWithResources(&library, [&] { return AfxGetResourceHandle() == &library ? 7 : -1; }), 7);
    EXPECT_EQ(AfxGetResourceHandle(), application);
    EXPECT_EQ(CallWithResources(&library, []() -> int { throw std::runtime_error("template missing"); }), 0);
    EXPECT_EQ(AfxGetResourceHandle(), application);
}

TEST(CDialog, CreateShowsAModelessDialogFromItsTemplate)
{
    QWidget owner;
    Probe dialog(kSettings);
    ASSERT_TRUE(dialog.Create(0, &owner));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.parentWidget(), &owner);
    EXPECT_TRUE(dialog.isWindow());
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.GetWindowText(), "Settings");

    Probe missing(9399);
    EXPECT_FALSE(missing.Create(0));
    EXPECT_FALSE(missing.isVisible());
    Probe ended(kSettings);
    ended.endWhileInitialising = IDCANCEL;
    EXPECT_FALSE(ended.Create(0));
    EXPECT_FALSE(ended.isVisible());
}

// A template laid out for a narrower face: a label and two buttons too
// narrow for their texts, a button column whose edges line up, and a box
// around them; a resizable template beside it.
TEST(CDialog, TextsTooWideForTheTemplateGetRoomWithoutOverlapAndTheFrameIsFixed)
{
    constexpr UINT kNarrow = 9202, kResizable = 9203;
    DialogTemplate narrow {"Narrow", 0, 0, 0, 120, 80, {}};
    narrow.items = {
        {200, "BUTTON", BS_GROUPBOX, 2, 2, 116, 50, "Box"},
        {IDC_STATIC, "STATIC", SS_LEFT, 7, 14, 20, 8, "Tolerance of the fit:"},
        {201, "EDIT", 0, 30, 12, 40, 12, ""},
        {202, "BUTTON", BS_PUSHBUTTON, 75, 12, 20, 14, "Delete All"},
        {203, "BUTTON", BS_PUSHBUTTON, 75, 30, 20, 14, "X"},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 75, 60, 40, 14, "OK"},
    };
    AfxGetInstanceHandle()->addDialog(kNarrow, narrow);
    DialogTemplate resizable = narrow;
    resizable.style = WS_THICKFRAME;
    AfxGetInstanceHandle()->addDialog(kResizable, resizable);

    CDialog dialog(kNarrow);
    runWith(dialog, [](CDialog& d) {
        const QRect box = d.GetDlgItem(200)->geometry(), edit = d.GetDlgItem(201)->geometry();
        const QRect wide = d.GetDlgItem(202)->geometry(), below = d.GetDlgItem(203)->geometry();
        CWnd* label = nullptr;
        for (CWnd* w : d.findChildren<CWnd*>())
            if (w->GetWindowText() == "Tolerance of the fit:")
                label = w;
        ASSERT_NE(label, nullptr);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance("Tolerance of the fit:"));
        EXPECT_GE(wide.width(), d.fontMetrics().horizontalAdvance("Delete All"));
        EXPECT_FALSE(label->geometry().intersects(edit)) << "the edit moved over";
        EXPECT_FALSE(edit.intersects(wide));
        EXPECT_EQ(below.right(), wide.right()) << "edges that lined up still do";
        EXPECT_EQ(below.left(), wide.left());
        EXPECT_TRUE(box.contains(wide) && box.contains(label->geometry())) << "the box grew around them";
        EXPECT_TRUE(d.rect().contains(box) && d.rect().contains(d.GetDlgItem(IDOK)->geometry()));
        EXPECT_EQ(d.GetDlgItem(IDOK)->height(), DialogUnitsToPixelsY(74) - DialogUnitsToPixelsY(60)) << "heights stay";
        // Not resizable, so no maximise box: a maximised dialog would keep its
        // controls in a corner.
        EXPECT_FALSE(d.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(d.minimumSize(), d.maximumSize());
        d.EndDialog(IDOK);
    });
    CDialog frame(kResizable);
    runWith(frame, [](CDialog& d) {
        EXPECT_NE(d.minimumSize(), d.maximumSize()) << "the template's frame is resizable";
        d.EndDialog(IDOK);
    });
}
