// The thin common controls: each composes one Qt widget filling its window.
#include "platform/CComboBox.h"
#include "platform/CEdit.h"
#include "platform/CListBox.h"
#include "platform/CScrollBar.h"
#include "platform/CSpinButtonCtrl.h"
#include "platform/CToolTipCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QToolButton>

namespace {
void notifyParent(CWnd* wnd, UINT code)
{
    if (QWidget* parent = wnd->GetParent())
        ::PostMessage(parent, WM_COMMAND, MAKEWPARAM(wnd->GetDlgCtrlID(), static_cast<int>(code)),
            reinterpret_cast<LPARAM>(static_cast<QWidget*>(wnd)));
}
} // namespace

// CEdit

CEdit::CEdit(QWidget* parent) : CWnd(parent), m_edit(new QLineEdit(this))
{
    m_edit->installEventFilter(this);
    QObject::connect(m_edit, &QLineEdit::textEdited, this, [this] {
        m_edit->setModified(true);
        notifyParent(this, EN_CHANGE);
    });
    setFocusProxy(m_edit);
}

BOOL CEdit::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    return CWnd::Create(style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CEdit::SetWindowText(const char* text)
{
    m_edit->setText(QString::fromUtf8(text ? text : ""));
}

CString CEdit::GetWindowText() const
{
    return m_edit->text().toStdString();
}

void CEdit::SetModify(BOOL modified)
{
    m_edit->setModified(modified != FALSE);
}

BOOL CEdit::GetModify() const
{
    return m_edit->isModified() ? TRUE : FALSE;
}

void CEdit::OnKillFocus(QWidget*)
{
}

bool CEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::FocusOut) {
        OnKillFocus(QApplication::focusWidget());
        notifyParent(this, EN_KILLFOCUS);
    }
    return CWnd::eventFilter(watched, event);
}

void CEdit::resizeEvent(QResizeEvent* event)
{
    m_edit->setGeometry(rect());
    CWnd::resizeEvent(event);
}

// CSpinButtonCtrl

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent)
    : CWnd(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    static_cast<QToolButton*>(m_up)->setArrowType(Qt::UpArrow);
    static_cast<QToolButton*>(m_down)->setArrowType(Qt::DownArrow);
    static_cast<QToolButton*>(m_up)->setAutoRepeat(true);
    static_cast<QToolButton*>(m_down)->setAutoRepeat(true);
    QObject::connect(static_cast<QToolButton*>(m_up), &QToolButton::clicked, this, [this] { Click(true); });
    QObject::connect(static_cast<QToolButton*>(m_down), &QToolButton::clicked, this, [this] { Click(false); });
}

BOOL CSpinButtonCtrl::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    return CWnd::Create(style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    lower = m_lower;
    upper = m_upper;
}

int CSpinButtonCtrl::SetPos32(int pos)
{
    const int previous = m_pos;
    m_pos = pos;
    return previous;
}

void CSpinButtonCtrl::Click(bool up)
{
    // The up arrow moves toward the upper end of the range, whichever way it runs.
    const int upward = m_upper >= m_lower ? 1 : -1;
    NMUPDOWN n {{this, static_cast<UINT_PTR>(GetDlgCtrlID()), UDN_DELTAPOS}, m_pos, up ? upward : -upward};
    if (OnDeltaPos(&n) == 0) {
        const int lo = std::min(m_lower, m_upper), hi = std::max(m_lower, m_upper);
        m_pos = std::clamp(m_pos + n.iDelta, lo, hi);
    }
}

LRESULT CSpinButtonCtrl::OnDeltaPos(NMUPDOWN* n)
{
    if (QWidget* parent = GetParent())
        return ::SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(n));
    return 0;
}

void CSpinButtonCtrl::resizeEvent(QResizeEvent* event)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
    CWnd::resizeEvent(event);
}

// CScrollBar

CScrollBar::CScrollBar(QWidget* parent) : CWnd(parent), m_bar(new QScrollBar(Qt::Horizontal, this))
{
    QObject::connect(m_bar, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: OnScroll(SB_LINEUP, 0); break;
        case QAbstractSlider::SliderSingleStepAdd: OnScroll(SB_LINEDOWN, 0); break;
        case QAbstractSlider::SliderPageStepSub: OnScroll(SB_PAGEUP, 0); break;
        case QAbstractSlider::SliderPageStepAdd: OnScroll(SB_PAGEDOWN, 0); break;
        case QAbstractSlider::SliderMove: OnScroll(SB_THUMBTRACK, static_cast<UINT>(m_bar->sliderPosition())); break;
        default: break;
        }
    });
    QObject::connect(m_bar, &QScrollBar::sliderReleased, this,
        [this] { OnScroll(SB_THUMBPOSITION, static_cast<UINT>(m_bar->sliderPosition())); });
}

BOOL CScrollBar::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    m_bar->setOrientation((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal);
    return CWnd::Create(style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CScrollBar::SetScrollRange(int min, int max, BOOL)
{
    m_bar->setRange(min, max);
}

void CScrollBar::GetScrollRange(int* min, int* max) const
{
    if (min)
        *min = m_bar->minimum();
    if (max)
        *max = m_bar->maximum();
}

int CScrollBar::SetScrollPos(int pos, BOOL)
{
    const int previous = m_bar->value();
    const QSignalBlocker quiet(m_bar);
    m_bar->setValue(pos);
    return previous;
}

int CScrollBar::GetScrollPos() const
{
    return m_bar->value();
}

void CScrollBar::SetPageSize(int page)
{
    m_bar->setPageStep(std::max(page, 1));
}

int CScrollBar::GetPageSize() const
{
    return m_bar->pageStep();
}

void CScrollBar::OnScroll(UINT code, UINT pos)
{
    if (QWidget* parent = GetParent())
        ::SendMessage(parent, m_bar->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL,
            MAKEWPARAM(static_cast<int>(code), static_cast<int>(pos)),
            reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
}

void CScrollBar::resizeEvent(QResizeEvent* event)
{
    m_bar->setGeometry(rect());
    CWnd::resizeEvent(event);
}

// CComboBox

CComboBox::CComboBox(QWidget* parent) : CWnd(parent), m_combo(new QComboBox(this))
{
    QObject::connect(m_combo, &QComboBox::activated, this, [this] { notifyParent(this, CBN_SELCHANGE); });
}

BOOL CComboBox::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    return CWnd::Create(style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

int CComboBox::AddString(const char* text)
{
    m_combo->addItem(QString::fromUtf8(text ? text : ""));
    return m_combo->count() - 1;
}

void CComboBox::ResetContent()
{
    m_combo->clear();
}

int CComboBox::GetCount() const
{
    return m_combo->count();
}

int CComboBox::GetCurSel() const
{
    return m_combo->currentIndex();
}

int CComboBox::SetCurSel(int index)
{
    if (index < -1 || index >= m_combo->count())
        return CB_ERR;
    m_combo->setCurrentIndex(index);
    return index;
}

CString CComboBox::GetLBText(int index) const
{
    return m_combo->itemText(index).toStdString();
}

void CComboBox::resizeEvent(QResizeEvent* event)
{
    m_combo->setGeometry(rect());
    CWnd::resizeEvent(event);
}

// CListBox

CListBox::CListBox(QWidget* parent) : CWnd(parent), m_list(new QListWidget(this))
{
    QObject::connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { notifyParent(this, LBN_SELCHANGE); });
}

BOOL CListBox::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    return CWnd::Create(style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

int CListBox::AddString(const char* text)
{
    m_list->addItem(QString::fromUtf8(text ? text : ""));
    return m_list->count() - 1;
}

void CListBox::ResetContent()
{
    m_list->clear();
}

int CListBox::GetCount() const
{
    return m_list->count();
}

int CListBox::GetCurSel() const
{
    return m_list->currentRow();
}

int CListBox::SetCurSel(int index)
{
    if (index < -1 || index >= m_list->count())
        return LB_ERR;
    m_list->setCurrentRow(index);
    return index;
}

CString CListBox::GetText(int index) const
{
    const QListWidgetItem* item = m_list->item(index);
    return item ? item->text().toStdString() : CString();
}

void CListBox::resizeEvent(QResizeEvent* event)
{
    m_list->setGeometry(rect());
    CWnd::resizeEvent(event);
}

// CToolTipCtrl

BOOL CToolTipCtrl::Create(QWidget* owner)
{
    m_owner = owner;
    return owner ? TRUE : FALSE;
}

BOOL CToolTipCtrl::AddTool(QWidget* window, const char* text, const CRect*, UINT_PTR id)
{
    if (!window)
        return FALSE;
    UpdateTipText(text, window, id);
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(const char* text, QWidget* window, UINT_PTR id)
{
    if (!window)
        return;
    m_tools[{window, id}] = text ? text : "";
    window->setToolTip(QString::fromUtf8(text ? text : ""));
}

CString CToolTipCtrl::GetText(QWidget* window, UINT_PTR id) const
{
    const auto it = m_tools.find({window, id});
    return it == m_tools.end() ? CString() : it->second;
}
