// SPDX-License-Identifier: MIT
#include "controls/CKivThumbListCtrl.h"

#include "core/CKivStringArray.h"
#include "core/KivUtil.h"
#include "platform/gdi/CClientDC.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/widgets/CScrollBar.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QWheelEvent>

#include <algorithm>
#include <new>

namespace {

// The folder part of a glob pattern, its wildcard characters escaped.
CString globEscape(const char* text)
{
    CString out;
    for (const char* p = text; p && *p; ++p) {
        if (*p == '*' || *p == '?' || *p == '[' || *p == '\\')
            out += '\\';
        out += *p;
    }
    return out;
}

// File names match ignoring case, as on the original's file system:
// "*.sld" finds B.SLD and c.Sld too.
std::vector<CString> filesIn(const char* dir, const char* pattern)
{
    std::vector<CString> files;
    for (CString& path : GlobPaths((globEscape(dir) + "/" + GlobNoCase(pattern)).c_str(), true))
        if (path.empty() || path.back() != '/')
            files.push_back(std::move(path));
    return files;
}

} // namespace

CKivThumbListCtrl::CKivThumbListCtrl(QWidget* parent) : CKivStatic(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

CKivThumbListCtrl::~CKivThumbListCtrl()
{
    ClearThumb();
    delete m_pScrollBar;
}

// Items

void CKivThumbListCtrl::AddItem(const char* file, const char* label, const char* data)
{
    if (!m_pThumbList)
        m_pThumbList = new (std::nothrow) KivThumbList;
    if (m_pThumbList)
        m_pThumbList->addItem(file, label, data);
}

void CKivThumbListCtrl::AddItems(CStringArray* files, int clear)
{
    if (clear == 1)
        ClearNameList();
    if (!files)
        return;
    for (int i = 0; i < files->GetSize(); ++i)
        AddItem(files->GetAt(i).c_str(), nullptr, nullptr);
}

void CKivThumbListCtrl::AddFile(const char* dir, const char* name, const char* label, const char* data)
{
    const CString path = StringFormat("%s/%s", dir ? dir : "", name ? name : "");
    AddItem(path.c_str(), label, data);
}

void CKivThumbListCtrl::Sort(int key, int descending)
{
    if (m_pThumbList)
        m_pThumbList->sort(key, descending);
}

void CKivThumbListCtrl::SetThumbList(KivThumbList* list)
{
    if (list == m_pThumbList)
        return;
    ClearNameList();
    m_pThumbList = list;
}

void CKivThumbListCtrl::ClearNameList()
{
    if (!m_pThumbList)
        return;
    m_pThumbList->removeData();
    delete m_pThumbList;
    m_pThumbList = nullptr;
}

void CKivThumbListCtrl::ClearThumbList()
{
    m_iconList.clearIcon();
}

void CKivThumbListCtrl::ClearThumb()
{
    ClearNameList();
    m_iconList.clearIcon();
}

int CKivThumbListCtrl::RemoveSelected(int)
{
    if (!m_pThumbList)
        return 0;
    int removed = 0;
    for (int i = m_pThumbList->getCount() - 1; i >= 0; --i) {
        KivThumbItem* item = m_pThumbList->getAt(i);
        if (item->selected == 1) {
            m_pThumbList->removeAt(i);
            delete item;
            ++removed;
        }
    }
    if (!removed)
        return 0;
    // The selection bookkeeping pointed into the old order.
    m_pThumbList->lastSelected = -1;
    SetSize(m_nCols, m_nRows);
    MakeScrollBar();
    ViewThumb(m_nCols * m_nTopRow);
    return 1;
}

void CKivThumbListCtrl::GetFileList(const char* dir, const char* pattern, CStringArray* out)
{
    if (!dir || !pattern || !out)
        return;
    for (const CString& path : filesIn(dir, pattern))
        out->Add(path);
}

void CKivThumbListCtrl::GetFileList(const char* dir, CKivStringArray* extensions, CStringArray* out)
{
    if (!dir || !extensions || !out)
        return;
    out->RemoveAll();
    for (const CString& path : filesIn(dir, "*")) {
        const CString wanted = "*" + KivUtil::GetFileExt(path.c_str());
        if (extensions->Find(wanted.c_str(), 0) >= 0)
            out->Add(path);
    }
}

void CKivThumbListCtrl::GetExtensionList(const char* filter, CStringArray* out)
{
    if (!out)
        return;
    out->RemoveAll();
    if (!filter)
        return;
    CString text = filter;
    const auto open = text.find('(');
    if (open != CString::npos)
        text = text.substr(open + 1);
    const auto close = text.rfind(')');
    text = close == CString::npos ? CString() : text.substr(0, close);
    if (text.empty() && close == CString::npos)
        return;
    std::size_t start = 0;
    for (;;) {
        const auto semi = text.find(';', start);
        out->Add(text.substr(start, semi == CString::npos ? CString::npos : semi - start));
        if (semi == CString::npos)
            break;
        start = semi + 1;
    }
}

// Selection

int CKivThumbListCtrl::GetCurSel() const
{
    return m_pThumbList ? m_pThumbList->getSelect() : -1;
}

int CKivThumbListCtrl::SetCurSel(int index)
{
    if (!m_pThumbList || m_nCols < 1 || m_nRows < 1)
        return -1;
    const int delta = index / m_nCols - m_nTopRow;
    const int steps = delta < 1 ? (delta - m_nRows + 1) / m_nRows : delta / m_nRows;
    m_pThumbList->setSelect(index, 1);
    m_nTopRow += (delta < 1 ? -1 : 1) * std::abs(steps) * m_nRows;
    ScrollThumb(1);
    const int cell = index - m_nTopRow * m_nCols;
    return m_iconList.getAt(cell) ? cell : -1;
}

void CKivThumbListCtrl::SetSelectAll(int select)
{
    if (m_pThumbList)
        m_pThumbList->setSelectAll(select);
}

void CKivThumbListCtrl::SetSelected(int index, int select)
{
    if (KivThumbItem* item = m_pThumbList ? m_pThumbList->getAt(index) : nullptr)
        item->selected = select;
}

int CKivThumbListCtrl::GetSelCount() const
{
    int count = 0;
    const int n = m_pThumbList ? m_pThumbList->getCount() : 0;
    for (int i = 0; i < n; ++i)
        count += m_pThumbList->getAt(i)->selected == 1;
    return count;
}

int CKivThumbListCtrl::GetSelThumbs(int max, long* out) const
{
    if (max < 1 || !out || !m_pThumbList)
        return 0;
    int stored = 0;
    const int n = m_pThumbList->getCount();
    for (int i = 0; i < n && stored < max; ++i)
        if (m_pThumbList->getAt(i)->selected == 1)
            out[stored++] = i;
    return stored;
}

long* CKivThumbListCtrl::GetSelThumbs(int* count) const
{
    if (!count)
        return nullptr;
    const int n = GetSelCount();
    long* indices = new (std::nothrow) long[static_cast<std::size_t>(std::max(n, 1))];
    *count = indices ? GetSelThumbs(n, indices) : 0;
    return indices;
}

int CKivThumbListCtrl::SetSelThumbs(int n, const long* indices)
{
    if (!indices || n < 1 || !m_pThumbList)
        return 0;
    m_pThumbList->setSelectAll(0);
    int set = 0;
    for (int i = 0; i < n; ++i) {
        const long index = indices[i];
        if (index < 0 || index > 0x7FFFFFFF)
            continue;
        if (KivThumbItem* item = m_pThumbList->getAt(static_cast<int>(index))) {
            item->selected = 1;
            ++set;
        }
    }
    return set;
}

int CKivThumbListCtrl::GetSelList(CStringArray* out, int selectedOnly) const
{
    if (!out)
        return 0;
    out->RemoveAll();
    const int n = m_pThumbList ? m_pThumbList->getCount() : 0;
    for (int i = 0; i < n; ++i) {
        const KivThumbItem* item = m_pThumbList->getAt(i);
        if (!selectedOnly || item->selected == 1)
            out->Add(item->file);
    }
    return out->GetSize() > 0 ? 1 : 0;
}

void CKivThumbListCtrl::SetInvertAll()
{
    if (!m_pThumbList)
        return;
    for (int i = 0; i < m_nCellsPerPage; ++i) {
        CKivThumbCtrl* cell = m_iconList.getAt(i);
        const KivThumbItem* item = m_pThumbList->getAt(m_nTopRow * m_nCols + i);
        if (cell && item && item->selected != cell->GetInvert())
            cell->SetInvert(item->selected, 1);
    }
}

void CKivThumbListCtrl::SetInvertAll(HWND window, int invert)
{
    const int n = m_iconList.getCount();
    for (int i = 0; i < n; ++i) {
        CKivThumbCtrl* cell = m_iconList.getAt(i);
        if (static_cast<QWidget*>(cell) == window) {
            if (m_pThumbList)
                m_pThumbList->setSelect(m_nTopRow * m_nCols + i, 1);
        } else if (cell->GetInvert() != invert) {
            cell->SetInvert(invert, 1);
        }
    }
}

int CKivThumbListCtrl::SetInvertBegin(int index)
{
    if (!m_pThumbList)
        return 0;
    for (int b = 0; b < index; ++b) {
        const KivThumbItem* item = m_pThumbList->getAt(b);
        if (item && item->selected == 1) {
            m_pThumbList->setSelectAll(0);
            for (int i = b; i <= index; ++i)
                if (KivThumbItem* it = m_pThumbList->getAt(i))
                    it->selected = 1;
            return 1;
        }
    }
    return 0;
}

int CKivThumbListCtrl::SetInvertEnd(int index)
{
    if (!m_pThumbList)
        return 0;
    for (int e = m_pThumbList->getCount() - 1; e > index; --e) {
        if (m_pThumbList->getAt(e)->selected == 1) {
            m_pThumbList->setSelectAll(0);
            for (int i = e; i >= index; --i)
                if (KivThumbItem* it = m_pThumbList->getAt(i))
                    it->selected = 1;
            return 1;
        }
    }
    return 0;
}

// Layout and paging

int CKivThumbListCtrl::UsableWidth() const
{
    return width() - (m_bScrollEnable == 1 && m_bScrollShown == 1 ? kScrollBarWidth : 0);
}

void CKivThumbListCtrl::GetThumbRect(int index, int w, int h, CRect* out) const
{
    if (!out)
        return;
    const int cols = std::max(m_nCols, 1), rows = std::max(m_nRows, 1);
    const int cw = m_bFixedSize ? std::max(m_nImageWidth, 1) : w / cols;
    const int ch = m_bFixedSize ? std::max(m_nImageHeight, 1) : h / rows;
    const int column = index % cols, row = index / cols;
    const int inset = (m_nMargin * 3) / 2;
    *out = CRect(column * cw + inset, row * ch + inset, (column + 1) * cw - inset - 1, (row + 1) * ch - inset - 1);
}

void CKivThumbListCtrl::CalcSize(int* cols, int* rows) const
{
    if (!cols || !rows)
        return;
    const int iw = std::max(m_nImageWidth, 1), ih = std::max(m_nImageHeight, 1);
    *cols = width() / iw;
    *rows = height() / ih;
    if (*rows >= 2 && m_bScrollEnable == 1 && m_bScrollShown == 1)
        *cols = (width() - kScrollBarWidth) / iw;
    *cols = std::max(*cols, 1);
    *rows = std::max(*rows, 1);
}

void CKivThumbListCtrl::SetSize(int cols, int rows)
{
    if (m_bFixedSize) {
        CalcSize(&m_nCols, &m_nRows);
        m_nCellsPerPage = (m_nRows + 1) * m_nCols;
    } else {
        // Layout divides by both: a grid has at least one cell.
        m_nCols = std::max(cols, 1);
        m_nRows = std::max(rows, 1);
        m_nCellsPerPage = m_nCols * m_nRows;
    }
    m_nTotalRows = 0;
    m_nPages = 0;
    if (m_pThumbList) {
        const int n = m_pThumbList->getCount();
        m_nTotalRows = n / m_nCols + (n % m_nCols ? 1 : 0);
        m_nTopRow = 0;
        m_nPages = n / m_nCellsPerPage + (n % m_nCellsPerPage ? 1 : 0);
    }
}

void CKivThumbListCtrl::MakeScrollBar()
{
    if (!m_pScrollBar) {
        m_pScrollBar = new CScrollBar(this);
        m_pScrollBar->Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(), this, kScrollBarId);
    }
    m_bScrollShown = 0;
    m_pScrollBar->MoveWindow(width() - kScrollBarWidth, 0, kScrollBarWidth, height());
    if (m_nRows < m_nTotalRows) {
        // Qt's range is that of the top row; the Win32 bar stops at
        // max - page + 1 by itself.
        m_pScrollBar->SetScrollRange(0, m_nTotalRows - m_nRows);
        m_pScrollBar->SetScrollPos(m_nTopRow);
        m_pScrollBar->setEnabled(true);
        m_pScrollBar->ShowWindow(m_bScrollEnable == 1 ? SW_SHOW : SW_HIDE);
        m_bScrollShown = 1;
    } else {
        m_pScrollBar->setEnabled(false);
        m_pScrollBar->ShowWindow(SW_HIDE);
    }
    m_pScrollBar->SetPageSize(m_nRows);
}

void CKivThumbListCtrl::ResizeThumb(int w, int h)
{
    for (int i = 0; i < m_iconList.getCount(); ++i) {
        CRect r;
        GetThumbRect(i, w, h, &r);
        m_iconList.getAt(i)->MoveWindow(r.left, r.top, r.Width(), r.Height());
    }
}

void CKivThumbListCtrl::ScrollThumb(int force)
{
    m_nTopRow = std::max(std::min(m_nTopRow, m_nTotalRows - m_nRows), 0);
    if (m_pScrollBar && m_nTopRow == m_pScrollBar->GetScrollPos() && force != 1) {
        SetNavState();
        return;
    }
    if (m_pScrollBar)
        m_pScrollBar->SetScrollPos(m_nTopRow);
    ViewThumb(m_nCols * m_nTopRow);
    SetNavState();
}

void CKivThumbListCtrl::AddThumb(CKivThumbCtrl* cell)
{
    if (!cell)
        return;
    cell->SetFocus(m_bSelectOnClick);
    cell->SetLabelHeight(m_nLabelHeight);
    cell->SetLabelState(m_nLabelState);
    cell->SetLargeView(m_bLargeView);
    cell->SetMargin(m_nMargin);
    cell->SetContextMenu(m_bContextMenu);
    cell->SetImageSize(-1, -1, -1, -1);
    m_iconList.addTail(cell);
}

int CKivThumbListCtrl::GetPage() const
{
    const int rows = std::max(m_nRows, 1);
    return (m_nTopRow + rows - 1) / rows + 1;
}

void CKivThumbListCtrl::SetNavState()
{
    if (m_pPrevButton)
        m_pPrevButton->setEnabled(!IsBOF());
    if (m_pNextButton)
        m_pNextButton->setEnabled(!IsEOF());
}

void CKivThumbListCtrl::PagePrev()
{
    OnVScroll(SB_PAGEUP, 0);
}

void CKivThumbListCtrl::PageNext()
{
    OnVScroll(SB_PAGEDOWN, 0);
}

void CKivThumbListCtrl::OnVScroll(UINT code, UINT pos)
{
    switch (code) {
    case SB_LINEUP: --m_nTopRow; break;
    case SB_LINEDOWN: ++m_nTopRow; break;
    case SB_PAGEUP: m_nTopRow -= m_nRows; break;
    case SB_PAGEDOWN: m_nTopRow += m_nRows; break;
    case SB_THUMBPOSITION: m_nTopRow = static_cast<int>(pos); break;
    case SB_TOP: m_nTopRow = 0; break;
    case SB_BOTTOM: m_nTopRow = m_nTotalRows - m_nRows; break;
    default: return;
    }
    ScrollThumb(0);
}

void CKivThumbListCtrl::DoKeyDown(UINT key)
{
    switch (key) {
    case kKeyPageUp: m_nTopRow -= m_nRows; break;
    case kKeyPageDown: m_nTopRow += m_nRows; break;
    case kKeyEnd: m_nTopRow = m_nTotalRows - m_nRows; break;
    case kKeyHome: m_nTopRow = 0; break;
    case kKeyUp: --m_nTopRow; break;
    case kKeyDown: ++m_nTopRow; break;
    default: return;
    }
    ScrollThumb(0);
}

int CKivThumbListCtrl::DoMouseWheel(UINT, short delta, CPoint)
{
    m_nTopRow += delta > 0 ? -m_nRows : m_nRows;
    ScrollThumb(0);
    return 1;
}

// Messages

LRESULT CKivThumbListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VSCROLL) {
        // Only the control's own bar scrolls it.
        if (m_pScrollBar && reinterpret_cast<QWidget*>(lParam) == static_cast<QWidget*>(m_pScrollBar))
            OnVScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return CKivStatic::WindowProc(message, wParam, lParam);
}

void CKivThumbListCtrl::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+A selects every item; Left and Right make the item before or
    // after the current one the only selected one, scrolled into view.
    // Either tells the parent, as a click on a cell does.
    if (m_pThumbList && event->matches(QKeySequence::SelectAll)) {
        m_pThumbList->setSelectAll(1);
        SetInvertAll();
        PostNotifyToParent(0, 0);
        event->accept();
        return;
    }
    if (m_pThumbList && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)
        && event->modifiers() == Qt::NoModifier) {
        const int count = m_pThumbList->getCount();
        const int current = m_pThumbList->lastSelected >= 0 ? m_pThumbList->lastSelected : GetCurSel();
        const int next = std::clamp(current + (event->key() == Qt::Key_Left ? -1 : 1), 0, std::max(count - 1, 0));
        if (count > 0) {
            m_pThumbList->setSelectAll(0);
            m_pThumbList->lastSelected = -1; // a single-selection list skips the item it holds
            SetCurSel(next);
            m_pThumbList->lastSelected = next;
            SetInvertAll();
            PostNotifyToParent(0, 0);
        }
        event->accept();
        return;
    }
    UINT key = 0;
    switch (event->key()) {
    case Qt::Key_PageUp: key = kKeyPageUp; break;
    case Qt::Key_PageDown: key = kKeyPageDown; break;
    case Qt::Key_End: key = kKeyEnd; break;
    case Qt::Key_Home: key = kKeyHome; break;
    case Qt::Key_Up: key = kKeyUp; break;
    case Qt::Key_Down: key = kKeyDown; break;
    default: CKivStatic::keyPressEvent(event); return;
    }
    DoKeyDown(key);
    event->accept();
}

void CKivThumbListCtrl::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 && event->angleDelta().x() != 0) {
        event->ignore();
        return;
    }
    const QPoint p = event->position().toPoint();
    DoMouseWheel(0, static_cast<short>(std::clamp(delta, -32768, 32767)), CPoint(p.x(), p.y()));
    event->accept();
}

void CKivThumbListCtrl::RepaintParent()
{
    if (QWidget* parent = GetParent())
        parent->repaint();
}

BOOL CKivThumbListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id < kFirstCellId || id >= kFirstCellId + static_cast<UINT>(std::max(m_nCellsPerPage, 0)))
        return CKivStatic::OnCommand(wParam, lParam);
    CKivThumbCtrl* cell = m_iconList.getAt(static_cast<int>(id - kFirstCellId));
    if (!cell)
        return CKivStatic::OnCommand(wParam, lParam);
    if (code == 0 && m_pThumbList) {
        const int index = static_cast<int>(id - kFirstCellId) + m_nCols * m_nTopRow;
        const auto flags = static_cast<UINT>(lParam);
        KivThumbItem* item = m_pThumbList->getAt(index);
        if (flags & CKivThumbCtrl::kShiftKey) {
            if (item)
                item->selected = 1;
            if (!SetInvertBegin(index))
                SetInvertEnd(index);
        } else if (flags & CKivThumbCtrl::kControlKey) {
            if (item)
                item->selected = item->selected ? 0 : 1;
        } else {
            m_pThumbList->setSelectAll(0);
            if (item) {
                item->selected = 1;
                m_pThumbList->lastSelected = index;
            }
        }
        SetInvertAll();
    }
    PostNotifyToParent(code, 0);
    CKivStatic::OnCommand(wParam, reinterpret_cast<LPARAM>(static_cast<QWidget*>(cell)));
    return TRUE;
}

void CKivThumbListCtrl::OnSize(UINT type, int cx, int cy)
{
    CKivStatic::OnSize(type, cx, cy);
    if (m_bFixedSize) {
        MakeThumb(1, 1);
        ViewThumb(0);
        update();
    }
    MakeScrollBar();
    if (!m_bFixedSize)
        ResizeThumb(UsableWidth(), cy);
}

void CKivThumbListCtrl::DrawDrag(CPoint point, int draw, int erase)
{
    CClientDC dc(this);
    CPen pen(PS_DOT, 0, RGB(0, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.SetROP2(R2_XORPEN);
    const auto outline = [&dc](CPoint a, CPoint b) {
        CRect r(a.x, a.y, b.x, b.y);
        r.NormalizeRect();
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.LineTo(r.left, r.bottom);
        dc.LineTo(r.left, r.top);
    };
    if (erase == 1)
        outline(m_dragStart, m_dragEnd);
    if (draw == 1)
        outline(m_dragStart, point);
    dc.SelectObject(old);
    dc.SetROP2(R2_COPYPEN);
    m_dragEnd = point;
}

void CKivThumbListCtrl::SetSelectArea(CPoint a, CPoint b)
{
    if (!m_pThumbList)
        return;
    CRect band(a.x, a.y, b.x, b.y);
    band.NormalizeRect();
    for (int i = 0; i < m_nCellsPerPage; ++i) {
        CRect r;
        GetThumbRect(i, UsableWidth(), height(), &r);
        const bool meets = r.left <= band.right && band.left <= r.right && r.top <= band.bottom && band.top <= r.bottom;
        if (!meets)
            continue;
        if (KivThumbItem* item = m_pThumbList->getAt(m_nTopRow * m_nCols + i))
            item->selected = 1;
    }
}

void CKivThumbListCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    CKivStatic::OnLButtonDown(flags, point);
    if (m_bMultiSelect != 1)
        return;
    SetSelectAll(0);
    SetInvertAll();
    m_dragStart = point;
    m_bDragging = 1;
    DrawDrag(point, 1, 0);
}

void CKivThumbListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    CKivStatic::OnMouseMove(flags, point);
    if (m_bDragging != 1)
        return;
    DrawDrag(point, 0, 1);
    SetSelectAll(0);
    SetSelectArea(m_dragStart, point);
    SetInvertAll();
    DrawDrag(point, 1, 0);
}

void CKivThumbListCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    CKivStatic::OnLButtonUp(flags, point);
    if (m_bDragging != 1)
        return;
    DrawDrag(point, 0, 1);
    m_bDragging = 0;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    RepaintParent();
}
