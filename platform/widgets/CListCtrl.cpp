// SPDX-License-Identifier: MIT
#include "platform/widgets/CListCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>

namespace {

// A row with its item data beside the texts: data set and read during a sort
// of many rows must not go through the model, which looks each item up.
class Row : public QTreeWidgetItem {
public:
    LPARAM data = 0;
    int image = -1;
};

Qt::Alignment cellAlignment(int format)
{
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

int GetSystemMetrics(int index)
{
    if (index == SM_CXVSCROLL)
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return 0;
}

CListCtrl::CListCtrl(QWidget* parent) : WidgetWnd(parent, new QTreeWidget), m_header(widget())
{
    QTreeWidget* list = widget();
    list->setColumnCount(0);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSortingEnabled(false);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionsClickable(true);
    list->setHeaderLabels({});
    QObject::connect(list->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        NMLISTVIEW n {};
        n.hdr = {this, static_cast<UINT_PTR>(GetDlgCtrlID()), LVN_COLUMNCLICK};
        n.iItem = -1;
        n.iSubItem = column;
        OnColumnClick(&n);
    });
}

CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::OnColumnClick(NMLISTVIEW* notification)
{
    if (QWidget* parent = GetParent())
        ::SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(notification));
    return FALSE;
}

QTreeWidgetItem* CListCtrl::row(int index) const
{
    return index >= 0 && index < GetItemCount() ? widget()->topLevelItem(index) : nullptr;
}

void CListCtrl::align(QTreeWidgetItem* item, int column) const
{
    const int format = column < static_cast<int>(m_formats.size()) ? m_formats[static_cast<std::size_t>(column)] : 0;
    if ((format & LVCFMT_JUSTIFYMASK) != LVCFMT_LEFT)
        item->setTextAlignment(column, cellAlignment(format));
}

int CListCtrl::GetColumnCount() const
{
    return widget()->columnCount();
}

// Qt adds columns at the end only: a column put before others moves their
// texts one place on.
int CListCtrl::InsertColumn(int column, const char* heading, int format, int width)
{
    if (column < 0)
        return -1;
    QTreeWidget* list = widget();
    const int count = list->columnCount();
    column = std::min(column, count);
    list->setColumnCount(count + 1);
    QTreeWidgetItem* head = list->headerItem();
    for (int c = count; c > column; --c) {
        head->setText(c, head->text(c - 1));
        head->setData(c, Qt::UserRole, head->data(c - 1, Qt::UserRole));
        head->setData(c, Qt::UserRole + 1, head->data(c - 1, Qt::UserRole + 1));
        list->header()->resizeSection(c, list->header()->sectionSize(c - 1));
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = list->topLevelItem(r);
            item->setText(c, item->text(c - 1));
            item->setTextAlignment(c, Qt::Alignment::fromInt(item->textAlignment(c - 1)));
        }
    }
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        list->topLevelItem(r)->setText(column, QString());
        list->topLevelItem(r)->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    }
    m_formats.insert(m_formats.begin() + column, format);
    HDITEM item {HDI_TEXT | HDI_FORMAT | HDI_IMAGE, 0, heading ? heading : "", format & LVCFMT_JUSTIFYMASK, -1};
    m_header.SetItem(column, &item);
    if (width >= 0)
        list->header()->resizeSection(column, width);
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        align(list->topLevelItem(r), column);
    return column;
}

BOOL CListCtrl::DeleteColumn(int column)
{
    QTreeWidget* list = widget();
    const int count = list->columnCount();
    if (column < 0 || column >= count)
        return FALSE;
    QTreeWidgetItem* head = list->headerItem();
    for (int c = column; c + 1 < count; ++c) {
        head->setText(c, head->text(c + 1));
        head->setData(c, Qt::UserRole, head->data(c + 1, Qt::UserRole));
        head->setData(c, Qt::UserRole + 1, head->data(c + 1, Qt::UserRole + 1));
        head->setData(c, Qt::DecorationRole, head->data(c + 1, Qt::DecorationRole));
        head->setTextAlignment(c, Qt::Alignment::fromInt(head->textAlignment(c + 1)));
        list->header()->resizeSection(c, list->header()->sectionSize(c + 1));
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = list->topLevelItem(r);
            item->setText(c, item->text(c + 1));
            item->setTextAlignment(c, Qt::Alignment::fromInt(item->textAlignment(c + 1)));
        }
    }
    list->setColumnCount(count - 1);
    m_formats.erase(m_formats.begin() + column);
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? widget()->header()->sectionSize(column) : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= GetColumnCount())
        return FALSE;
    widget()->header()->resizeSection(column, std::max(0, width));
    return TRUE;
}

int CListCtrl::GetItemCount() const
{
    return widget()->topLevelItemCount();
}

int CListCtrl::InsertItem(int index, const char* text)
{
    if (index < 0)
        return -1;
    index = std::min(index, GetItemCount());
    auto* item = new Row;
    item->setText(0, QString::fromUtf8(text ? text : ""));
    align(item, 0);
    widget()->insertTopLevelItem(index, item);
    return index;
}

BOOL CListCtrl::SetItemText(int index, int column, const char* text)
{
    QTreeWidgetItem* item = row(index);
    if (!item || column < 0 || column >= std::max(1, GetColumnCount()))
        return FALSE;
    item->setText(column, QString::fromUtf8(text ? text : ""));
    align(item, column);
    return TRUE;
}

CString CListCtrl::GetItemText(int index, int column) const
{
    const QTreeWidgetItem* item = row(index);
    return item && column >= 0 ? item->text(column).toStdString() : CString();
}

BOOL CListCtrl::DeleteItem(int index)
{
    QTreeWidgetItem* item = row(index);
    if (!item)
        return FALSE;
    delete item;
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    widget()->clear();
    return TRUE;
}

LPARAM CListCtrl::GetItemData(int index) const
{
    const auto* item = static_cast<const Row*>(row(index));
    return item ? item->data : 0;
}

BOOL CListCtrl::SetItemData(int index, LPARAM data)
{
    auto* item = static_cast<Row*>(row(index));
    if (!item)
        return FALSE;
    item->data = data;
    return TRUE;
}

// By row through the selection model: asking an item for its state makes
// the model search for the item's row.
UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    if (index < 0 || index >= GetItemCount())
        return 0;
    const QModelIndex at = widget()->model()->index(index, 0);
    UINT state = 0;
    if (widget()->selectionModel()->isSelected(at))
        state |= LVIS_SELECTED;
    if (widget()->currentIndex().row() == index && widget()->currentIndex().isValid())
        state |= LVIS_FOCUSED;
    return state & mask;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    const QModelIndex at = widget()->model()->index(index, 0);
    QItemSelectionModel* selection = widget()->selectionModel();
    if (mask & LVIS_FOCUSED) {
        if (state & LVIS_FOCUSED)
            selection->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
        else if (widget()->currentIndex().row() == index)
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    if (mask & LVIS_SELECTED)
        selection->select(at,
            ((state & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
                | QItemSelectionModel::Rows);
    return TRUE;
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(widget()->selectionModel()->selectedRows().size());
}

int CListCtrl::GetNextItem(int start, int flags) const
{
    const int count = GetItemCount();
    for (int i = std::max(0, start + 1); i < count; ++i) {
        const UINT state = GetItemState(i, LVIS_SELECTED | LVIS_FOCUSED);
        if (((flags & LVNI_SELECTED) && !(state & LVIS_SELECTED))
            || ((flags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED)))
            continue;
        return i;
    }
    return -1;
}

BOOL CListCtrl::GetItemRect(int index, CRect* rect, UINT) const
{
    const QTreeWidgetItem* item = row(index);
    if (!item || !rect)
        return FALSE;
    const QRect r = widget()->visualItemRect(item);
    const QPoint at = widget()->viewport()->mapTo(const_cast<CListCtrl*>(this), r.topLeft());
    *rect = CRect(at.x(), at.y(), at.x() + r.width(), at.y() + r.height());
    return TRUE;
}

int CListCtrl::HitTest(CPoint point) const
{
    const QPoint at = widget()->viewport()->mapFrom(const_cast<CListCtrl*>(this), QPoint(point.x, point.y));
    if (!widget()->viewport()->rect().contains(at))
        return -1;
    QTreeWidgetItem* item = widget()->itemAt(at);
    return item ? widget()->indexOfTopLevelItem(item) : -1;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, LPARAM data)
{
    if (!compare)
        return FALSE;
    QTreeWidget* list = widget();
    const int count = GetItemCount();
    struct Entry {
        Row* item;
        bool selected;
    };
    std::vector<Entry> rows;
    rows.reserve(static_cast<std::size_t>(count));
    QItemSelectionModel* selection = list->selectionModel();
    for (int i = 0; i < count; ++i)
        rows.push_back({static_cast<Row*>(list->topLevelItem(i)), false});
    for (const QModelIndex& at : selection->selectedRows())
        rows[static_cast<std::size_t>(at.row())].selected = true;
    Row* current
        = list->currentIndex().isValid() ? rows[static_cast<std::size_t>(list->currentIndex().row())].item : nullptr;
    std::stable_sort(rows.begin(), rows.end(),
        [compare, data](const Entry& a, const Entry& b) { return compare(a.item->data, b.item->data, data) < 0; });
    const QList<QTreeWidgetItem*> taken = list->invisibleRootItem()->takeChildren();
    Q_UNUSED(taken);
    QList<QTreeWidgetItem*> ordered;
    ordered.reserve(count);
    for (const Entry& r : rows)
        ordered.append(r.item);
    list->addTopLevelItems(ordered);
    // Selection and focus go with their rows, as runs of selected rows.
    QItemSelection selected;
    for (int i = 0; i < count;) {
        if (!rows[static_cast<std::size_t>(i)].selected) {
            ++i;
            continue;
        }
        int end = i;
        while (end + 1 < count && rows[static_cast<std::size_t>(end + 1)].selected)
            ++end;
        selected.select(list->model()->index(i, 0), list->model()->index(end, 0));
        i = end + 1;
    }
    selection->select(selected, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (int i = 0; current && i < count; ++i)
        if (rows[static_cast<std::size_t>(i)].item == current) {
            selection->setCurrentIndex(list->model()->index(i, 0), QItemSelectionModel::NoUpdate);
            break;
        }
    return TRUE;
}

void CListCtrl::SetViewStyle(DWORD style)
{
    style &= LVS_TYPEMASK;
    m_viewStyle = style;
    QTreeWidget* list = widget();
    if (style == LVS_REPORT) {
        if (m_iconView)
            m_iconView->hide();
        list->show();
    } else {
        if (!m_iconView) {
            // The same rows through a second view of the same model: one
            // selection, one order, whichever view shows.
            m_iconView = new QListView(this);
            m_iconView->setModel(list->model());
            m_iconView->setSelectionModel(list->selectionModel());
            m_iconView->setSelectionMode(QAbstractItemView::ExtendedSelection);
            m_iconView->setEditTriggers(QAbstractItemView::NoEditTriggers);
            m_iconView->setResizeMode(QListView::Adjust);
            m_iconView->setMovement(QListView::Static);
            m_iconView->setUniformItemSizes(true);
        }
        const bool large = style == LVS_ICON;
        m_iconView->setViewMode(large ? QListView::IconMode : QListView::ListMode);
        m_iconView->setFlow(style == LVS_LIST ? QListView::TopToBottom : QListView::LeftToRight);
        m_iconView->setWrapping(true);
        m_iconView->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
        m_iconView->setGridSize(large ? QSize(96, 64) : QSize());
        m_iconView->setWordWrap(large);
        m_iconView->setGeometry(rect());
        m_iconView->show();
        m_iconView->raise();
        list->hide();
    }
    for (int i = 0; i < GetItemCount(); ++i)
        applyIcon(i);
    if (m_iconView)
        m_iconView->doItemsLayout();
}

void CListCtrl::SetImageList(CImageList* images, int which)
{
    (which == LVSIL_NORMAL ? m_largeImages : m_smallImages) = images;
}

BOOL CListCtrl::SetItemImage(int index, int image)
{
    auto* item = static_cast<Row*>(row(index));
    if (!item)
        return FALSE;
    item->image = image;
    applyIcon(index);
    return TRUE;
}

int CListCtrl::GetItemImage(int index) const
{
    const auto* item = static_cast<const Row*>(row(index));
    return item ? item->image : -1;
}

void CListCtrl::applyIcon(int index)
{
    auto* item = static_cast<Row*>(row(index));
    if (!item)
        return;
    const CImageList* images = m_viewStyle == LVS_ICON ? m_largeImages : m_smallImages;
    item->setIcon(0, images && item->image >= 0 ? images->GetIcon(item->image) : QIcon());
}

void CListCtrl::resizeEvent(QResizeEvent* event)
{
    if (m_iconView)
        m_iconView->setGeometry(rect());
    WidgetWnd::resizeEvent(event);
}
