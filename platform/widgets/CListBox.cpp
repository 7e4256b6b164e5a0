// SPDX-License-Identifier: MIT
#include "platform/widgets/CListBox.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {
constexpr int kDataRole = Qt::UserRole + 1;

// Hands the painting of every item to the list's DrawItem.
class OwnerDraw : public QStyledItemDelegate {
public:
    OwnerDraw(CListBox* list, int height) : QStyledItemDelegate(list), m_list(list), m_height(height) { }
    void setHeight(int height) { m_height = height; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        DRAWITEMSTRUCT item {static_cast<UINT>(index.row()),
            (option.state & QStyle::State_Selected) ? vandrel::win32::ODS_SELECTED : 0u, painter,
            CRect(option.rect.left(), option.rect.top(), option.rect.right() + 1, option.rect.bottom() + 1),
            index.data(kDataRole).value<void*>()};
        painter->save();
        m_list->DrawItem(&item);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {1, m_height}; }

private:
    CListBox* m_list;
    int m_height;
};

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
    if (style & LBS_OWNERDRAWFIXED) {
        widget()->setItemDelegate(new OwnerDraw(this, 16));
        widget()->setUniformItemSizes(true);
    }
    if (style & LBS_DISABLENOSCROLL)
        widget()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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

int CListBox::InsertString(int index, const char* text)
{
    const int count = widget()->count();
    if (index < -1 || index > count)
        return LB_ERR;
    const int at = index == -1 ? count : index;
    widget()->insertItem(at, QString::fromUtf8(text ? text : ""));
    return at;
}

int CListBox::DeleteString(int index)
{
    if (index < 0 || index >= widget()->count())
        return LB_ERR;
    delete widget()->takeItem(index);
    return widget()->count();
}

int CListBox::SetItemDataPtr(int index, void* data)
{
    QListWidgetItem* item = widget()->item(index);
    if (!item)
        return LB_ERR;
    item->setData(kDataRole, QVariant::fromValue(data));
    return 0;
}

void* CListBox::GetItemDataPtr(int index) const
{
    const QListWidgetItem* item = widget()->item(index);
    return item ? item->data(kDataRole).value<void*>() : nullptr;
}

int CListBox::SetItemHeight(int, UINT height)
{
    auto* draw = dynamic_cast<OwnerDraw*>(widget()->itemDelegate());
    if (!draw || height == 0 || height > 255 * 64)
        return LB_ERR;
    draw->setHeight(static_cast<int>(height));
    widget()->doItemsLayout();
    return 0;
}

int CListBox::SetTopIndex(int index)
{
    QListWidgetItem* item = widget()->item(index);
    if (!item)
        return LB_ERR;
    widget()->scrollToItem(item, QAbstractItemView::PositionAtTop);
    return 0;
}

void CListBox::RedrawItem(int index)
{
    if (QListWidgetItem* item = widget()->item(index))
        widget()->viewport()->update(widget()->visualItemRect(item));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item->itemState & ODS_SELECTED)
        item->painter->fillRect(item->rcItem.left, item->rcItem.top, item->rcItem.Width(), item->rcItem.Height(),
            widget()->palette().highlight());
    item->painter->drawText(item->rcItem.left + 2, item->rcItem.top, item->rcItem.Width() - 4, item->rcItem.Height(),
        Qt::AlignVCenter, GetText(static_cast<int>(item->itemID)).c_str());
}
