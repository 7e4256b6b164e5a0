// SPDX-License-Identifier: MIT
#include "platform/widgets/CDialog.h"

#include "platform/base/Translation.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CProgressCtrl.h"
#include "platform/widgets/CStatic.h"
#include "platform/widgets/TextFit_p.h"

#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

std::function<void(CDialog&)> g_modalHook;

bool hasDefaultButton(const QWidget* dialog)
{
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisible())
            return true;
    return false;
}

} // namespace

CDialog::CDialog(UINT templateId, QWidget* parent) : CWndT<QDialog>(parent), m_templateId(templateId)
{
}

CDialog::~CDialog() = default;

void CDialog::SetModalHook(std::function<void(CDialog&)> hook)
{
    g_modalHook = std::move(hook);
}

void CDialog::createFromTemplate()
{
    if (m_created)
        return;
    m_created = true;
    const DialogTemplate* t = AfxGetResourceHandle()->dialog(m_templateId);
    if (!t && m_templateId != 0)
        t = AfxGetInstanceHandle()->dialog(m_templateId);
    if (!t)
        return;
    // A template's texts are shown in the user's language where the
    // catalogue has them.
    SetWindowText(KivTranslate("Dialog", t->caption.c_str()).c_str());
    // The templates are laid out for an 8-point face (MS Sans Serif 8), which
    // the dialog units stand for; the desktop's larger default would cut
    // labels off. The face stays the desktop's.
    QFont face = font();
    face.setPointSize(8);
    setFont(face);
    resize(DialogUnitsToPixelsX(t->cx), DialogUnitsToPixelsY(t->cy));
    for (const auto& item : t->items) {
        const CRect rect(DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y),
            DialogUnitsToPixelsX(item.x + item.cx), DialogUnitsToPixelsY(item.y + item.cy));
        CWnd* control = nullptr;
        if (MakeUpper(item.className) == "BUTTON") {
            auto* button = new CButton;
            button->Create(KivTranslate("Dialog", item.text.c_str()).c_str(), item.style, rect, this, item.id);
            control = button;
        } else if (MakeUpper(item.className) == "MSCTLS_PROGRESS32") {
            auto* bar = new CProgressCtrl;
            bar->Create(item.style, rect, this, item.id);
            control = bar;
        } else {
            // A static, or a class this platform does not make: a label holds its place.
            auto* label = new CStatic;
            label->Create(KivTranslate("Dialog", item.text.c_str()).c_str(), item.style, rect, this, item.id);
            control = label;
        }
        control->SetDlgCtrlID(item.id);
        control->show();
    }
    // A frame the template does not let the user resize has no maximise
    // box either, or a maximised dialog would keep its controls in a corner.
    m_fixedFrame = !(t->style & WS_THICKFRAME) && !windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
    if (m_fixedFrame)
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint);
    textfit::FitTexts(*this);
}

void CDialog::settleFrame()
{
    if (!m_created)
        return;
    // OnInitDialog may have given labels and the title longer texts.
    const int before = width();
    textfit::FitTexts(*this);
    if (width() != before)
        move(x() - (width() - before) / 2, y());
    if (m_fixedFrame)
        setFixedSize(size());
}

INT_PTR CDialog::DoModal()
{
    createFromTemplate();
    m_ended = false;
    // The window exists, frame and all, before it is initialised, as in Win32.
    winId();
    OnInitDialog(); // FALSE only says it placed the focus itself
    if (m_ended)
        return result(); // ended while initialising: it never shows
    settleFrame();
    if (g_modalHook)
        QTimer::singleShot(0, this, [this] {
            if (g_modalHook && isVisible())
                g_modalHook(*this);
        });
    const QPointer<CDialog> alive(this);
    const int ended = exec();
    if (!alive || !m_ended)
        return IDCANCEL;
    return ended;
}

BOOL CDialog::Create(UINT templateId, QWidget* parent)
{
    if (templateId != 0)
        m_templateId = templateId;
    if (parent && parent != parentWidget())
        setParent(parent, windowFlags() | Qt::Dialog);
    if (!AfxGetResourceHandle()->dialog(m_templateId) && !AfxGetInstanceHandle()->dialog(m_templateId))
        return FALSE;
    createFromTemplate();
    m_ended = false;
    setModal(false);
    winId();
    OnInitDialog();
    if (m_ended)
        return FALSE;
    settleFrame();
    show();
    return TRUE;
}

void CDialog::EndDialog(int result)
{
    m_ended = true;
    QDialog::done(result);
}

BOOL CDialog::OnInitDialog()
{
    createFromTemplate();
    CenterWindow();
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::accept()
{
    OnOK();
}

void CDialog::reject()
{
    OnCancel();
}

CWnd* CDialog::GetDlgItem(int id) const
{
    for (QObject* child : children())
        if (auto* wnd = qobject_cast<CWnd*>(child); wnd && wnd->GetDlgCtrlID() == id)
            return wnd;
    return nullptr;
}

void CDialog::CenterWindow(QWidget* owner)
{
    if (!owner)
        owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    const QSize size = frameGeometry().size();
    move(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2);
}

HICON CDialog::SetIcon(HICON icon, BOOL big)
{
    HICON& slot = big ? m_bigIcon : m_smallIcon;
    const HICON previous = slot;
    slot = icon;
    if (icon && big)
        setWindowIcon(*icon);
    return previous;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
    }
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (enter && plain && !hasDefaultButton(this))
        OnOK();
    else
        CWndT::keyPressEvent(event);
}
