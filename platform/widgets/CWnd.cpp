// SPDX-License-Identifier: MIT
#include "platform/widgets/CWnd.h"

#include <QTimerEvent>

#include <algorithm>

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
    Create(
        item->GetStyle() | visible, CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()), parent, id);
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

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse)
{
    if (elapse == 0)
        return 0;
    KillTimer(id);
    const int qtId = startTimer(static_cast<int>(std::min<UINT>(elapse, 0x7FFFFFFF)), Qt::PreciseTimer);
    if (qtId == 0)
        return 0;
    m_timers[id] = qtId;
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return FALSE;
    killTimer(it->second);
    m_timers.erase(it);
    return TRUE;
}

void CWnd::OnTimer(UINT_PTR)
{
}

void CWnd::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, qtId] : m_timers)
        if (qtId == event->timerId()) {
            OnTimer(id);
            return;
        }
    CWndT<QWidget>::timerEvent(event);
}
