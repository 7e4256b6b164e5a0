#include "platform/CDialog.h"

#include "platform/CStatic.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <map>

namespace {

std::function<void(CDialog&)> g_modalHook;

std::map<CString, CDialog::ControlFactory>& factories()
{
    static std::map<CString, CDialog::ControlFactory> map;
    return map;
}

} // namespace

CButton::CButton(QWidget* parent) : CWnd(parent)
{
}

BOOL CButton::Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    const QString label = QString::fromUtf8(text ? text : "").replace('&', "&&").replace("&&&&", "&&");
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* box = new QCheckBox(label, this);
        box->setTristate((style & BS_TYPEMASK) == BS_3STATE || (style & BS_TYPEMASK) == BS_AUTO3STATE);
        m_widget = box;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: m_widget = new QRadioButton(label, this); break;
    case BS_GROUPBOX:
        m_widget = new QGroupBox(label, this);
        m_widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    default: {
        auto* push = new QPushButton(label, this);
        push->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        push->setAutoDefault(false);
        m_widget = push;
        break;
    }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        QObject::connect(button, &QAbstractButton::clicked, this, [this] {
            if (QWidget* parent = GetParent())
                ::PostMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                    reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
        });
    CWnd::SetWindowText(text);
    return CWnd::Create(style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CButton::resizeEvent(QResizeEvent* event)
{
    if (m_widget)
        m_widget->setGeometry(rect());
    CWnd::resizeEvent(event);
}

int CButton::GetCheck() const
{
    if (auto* box = qobject_cast<QCheckBox*>(m_widget))
        return box->checkState() == Qt::Checked         ? BST_CHECKED
            : box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                        : BST_UNCHECKED;
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

void CButton::SetCheck(int check)
{
    if (auto* box = qobject_cast<QCheckBox*>(m_widget))
        box->setCheckState(check == BST_CHECKED ? Qt::Checked
                : check == BST_INDETERMINATE    ? Qt::PartiallyChecked
                                                : Qt::Unchecked);
    else if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        button->setChecked(check == BST_CHECKED);
}

void CButton::SetWindowText(const char* text)
{
    CWnd::SetWindowText(text);
    const QString label = QString::fromUtf8(text ? text : "");
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        button->setText(label);
    else if (auto* group = qobject_cast<QGroupBox*>(m_widget))
        group->setTitle(label);
}

CDialog::CDialog(UINT templateId, QWidget* parent) : CWnd(parent), m_templateId(templateId)
{
    setWindowFlags(Qt::Dialog);
}

CDialog::~CDialog()
{
    if (m_loop)
        m_loop->exit(IDCANCEL);
}

void CDialog::RegisterControlClass(const char* className, ControlFactory factory)
{
    factories()[MakeUpper(className ? className : "")] = std::move(factory);
}

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
    SetWindowText(t->caption.c_str());
    resize(DialogUnitsToPixelsX(t->cx), DialogUnitsToPixelsY(t->cy));
    for (const auto& item : t->items) {
        const CRect rect(DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y),
            DialogUnitsToPixelsX(item.x + item.cx), DialogUnitsToPixelsY(item.y + item.cy));
        const CString cls = MakeUpper(item.className);
        const auto factory = factories().find(cls);
        CWnd* control = nullptr;
        if (factory != factories().end()) {
            control = factory->second(item, rect, this);
        } else if (cls == "BUTTON") {
            auto* button = new CButton;
            button->Create(item.text.c_str(), item.style, rect, this, item.id);
            control = button;
        } else {
            // A static, or a class nobody registered: a label holds its place.
            auto* label = new CStatic;
            label->Create(item.text.c_str(), item.style, rect, this, item.id);
            control = label;
        }
        if (control) {
            control->SetDlgCtrlID(item.id);
            control->show();
        }
    }
}

INT_PTR CDialog::DoModal()
{
    createFromTemplate();
    m_result = IDCANCEL;
    // The window exists, frame and all, before it is initialised, as in Win32.
    setWindowModality(Qt::ApplicationModal);
    winId();
    OnInitDialog(); // FALSE only says it placed the focus itself
    show();
    QEventLoop loop;
    m_loop = &loop;
    if (g_modalHook)
        QTimer::singleShot(0, this, [this] {
            if (g_modalHook && m_loop)
                g_modalHook(*this);
        });
    const int result = loop.exec();
    m_loop = nullptr;
    hide();
    return result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    if (m_loop)
        m_loop->exit(result);
    else
        hide();
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

CWnd* CDialog::GetDlgItem(int id) const
{
    for (QObject* child : children())
        if (auto* wnd = dynamic_cast<CWnd*>(child); wnd && wnd->GetDlgCtrlID() == id)
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

void CDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    OnCancel();
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        OnCancel();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        OnOK();
    else
        CWnd::keyPressEvent(event);
}
