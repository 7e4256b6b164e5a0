#include "platform/CWnd.h"

CWnd::CWnd(QWidget* parent) : CWndT<QWidget>(parent)
{
}

CWnd::~CWnd() = default;

BOOL CWnd::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    setParent(parent);
    m_style = style;
    m_id = id;
    setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    setEnabled(!(style & WS_DISABLED));
    // Without WS_VISIBLE a child stays hidden when its parent shows, as in Win32.
    setVisible(style & WS_VISIBLE);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, QWidget* parent)
{
    if (!parent)
        return FALSE;
    CWnd* item = nullptr;
    for (QObject* child : parent->children())
        if (auto* wnd = qobject_cast<CWnd*>(child); wnd && wnd != this && wnd->GetDlgCtrlID() == static_cast<int>(id)) {
            item = wnd;
            break;
        }
    if (!item)
        return FALSE;
    const QRect r = item->geometry();
    // A template shows its controls without WS_VISIBLE in their style: the
    // new control shows when the item did.
    const DWORD visible = item->isVisibleTo(parent) ? WS_VISIBLE : 0;
    Create(item->GetStyle() | visible, CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()), parent, id);
    stackUnder(item);
    QWidget::setTabOrder(item, this);
    delete item;
    return TRUE;
}

void CWnd::PostToParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (QWidget* parent = GetParent())
        ::PostMessage(parent, message, wParam, lParam);
    if (message == WM_COMMAND)
        Q_EMIT notified(HIWORD(wParam));
}

void CWnd::NotifyParent(UINT code)
{
    PostToParent(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), static_cast<int>(code)),
        reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
}
