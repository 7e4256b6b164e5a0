#include "platform/CListBox.h"

#include <algorithm>

namespace {
// Win32's sorted list box compares ignoring letter case.
bool lessNoCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}
} // namespace

CListBox::CListBox(QWidget* parent) : WidgetWnd(parent, new QListWidget)
{
    QObject::connect(widget(), &QListWidget::itemSelectionChanged, this, [this] { NotifyParent(LBN_SELCHANGE); });
    QObject::connect(widget(), &QListWidget::itemDoubleClicked, this, [this] { NotifyParent(LBN_DBLCLK); });
}

BOOL CListBox::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    widget()->setSelectionMode(
        (style & LBS_EXTENDEDSEL) ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    return WidgetWnd::Create(style, rect, parent, id);
}

int CListBox::AddString(const char* text)
{
    const QString item = QString::fromUtf8(text ? text : "");
    int at = widget()->count();
    if (GetStyle() & LBS_SORT) {
        // After the equal ones, as Win32 inserts.
        int low = 0, high = at;
        while (low < high) {
            const int mid = (low + high) / 2;
            if (lessNoCase(item, widget()->item(mid)->text()))
                high = mid;
            else
                low = mid + 1;
        }
        at = low;
    }
    widget()->insertItem(at, item);
    return at;
}

void CListBox::ResetContent()
{
    widget()->clear();
}

int CListBox::GetCount() const
{
    return widget()->count();
}

CString CListBox::GetText(int index) const
{
    const QListWidgetItem* item = widget()->item(index);
    return item ? item->text().toStdString() : CString();
}

int CListBox::GetCurSel() const
{
    const int row = widget()->currentRow();
    if (row < 0)
        return LB_ERR;
    // A single selection's current item is only "selected" while it is.
    if (widget()->selectionMode() == QAbstractItemView::SingleSelection && !widget()->item(row)->isSelected())
        return LB_ERR;
    return row;
}

int CListBox::SetCurSel(int index)
{
    if (index < 0) {
        widget()->clearSelection();
        widget()->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        return LB_ERR;
    }
    if (index >= widget()->count())
        return LB_ERR;
    if (widget()->selectionMode() == QAbstractItemView::SingleSelection)
        widget()->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    else
        widget()->setCurrentRow(index, QItemSelectionModel::NoUpdate);
    return index;
}

int CListBox::GetSel(int index) const
{
    const QListWidgetItem* item = widget()->item(index);
    if (!item)
        return LB_ERR;
    return item->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select)
{
    if (index == -1) {
        for (int i = 0; i < widget()->count(); ++i)
            widget()->item(i)->setSelected(select);
        return 0;
    }
    QListWidgetItem* item = widget()->item(index);
    if (!item)
        return LB_ERR;
    item->setSelected(select);
    return 0;
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(widget()->selectedItems().size());
}

std::vector<int> CListBox::GetSelItems() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : widget()->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}
