// SPDX-License-Identifier: MIT
#include "platform/widgets/CTreeCtrl.h"

#include <QHeaderView>

namespace {

enum Role : int {
    kData = Qt::UserRole, // the item data
    kBytes, // the text's bytes where they are no UTF-8
    kExpandedOnce,
    kImage,
    kSelectedImage,
};

bool isAscii(const char* text)
{
    for (; *text; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80)
            return false;
    return true;
}

void setText(QTreeWidgetItem* item, const char* text)
{
    if (!text)
        text = "";
    const QString shown = QString::fromUtf8(text);
    item->setText(0, shown);
    // Only names that do not come back from their UTF-8 reading keep their
    // bytes beside them: a folder of many plain names stays light.
    if (!isAscii(text) && shown.toUtf8() != QByteArray(text))
        item->setData(0, kBytes, QByteArray(text));
    else if (item->data(0, kBytes).isValid())
        item->setData(0, kBytes, QVariant());
}

} // namespace

CTreeCtrl::CTreeCtrl(QWidget* parent) : WidgetWnd(parent, new QTreeWidget)
{
    QTreeWidget* tree = widget();
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setUniformRowHeights(true);
    tree->setAnimated(false);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->header()->setStretchLastSection(true);
    QObject::connect(tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { expanded(item, true); });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) { expanded(item, false); });
    QObject::connect(
        tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
            NMTREEVIEW n {};
            n.hdr = {this, static_cast<UINT_PTR>(GetDlgCtrlID()), TVN_SELCHANGED};
            n.action = TVC_UNKNOWN;
            n.itemOld.hItem = previous;
            n.itemNew.hItem = current;
            n.itemNew.lParam = GetItemData(current);
            OnSelChanged(&n);
        });
    // A name edited by the user is text again, whatever bytes it had.
    QObject::connect(tree, &QTreeWidget::itemChanged, this, [](QTreeWidgetItem* item, int column) {
        if (column == 0 && item->data(0, kBytes).isValid()
            && item->text(0) != QString::fromUtf8(item->data(0, kBytes).toByteArray()))
            item->setData(0, kBytes, QVariant());
    });
}

// The tree widget goes after this class's part of the object: what it
// signals while it goes must not reach the handlers.
CTreeCtrl::~CTreeCtrl()
{
    QObject::disconnect(widget(), nullptr, this, nullptr);
}

BOOL CTreeCtrl::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    const BOOL made = WidgetWnd::Create(style, rect, parent, id);
    applyStyle();
    return made;
}

BOOL CTreeCtrl::ModifyStyle(DWORD remove, DWORD add)
{
    SetStyle((GetStyle() & ~remove) | add);
    applyStyle();
    return TRUE;
}

void CTreeCtrl::applyStyle()
{
    const DWORD style = GetStyle();
    widget()->setRootIsDecorated(style & TVS_LINESATROOT);
    widget()->setEditTriggers((style & TVS_EDITLABELS)
            ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
            : QAbstractItemView::NoEditTriggers);
}

void CTreeCtrl::expanded(QTreeWidgetItem* item, bool open)
{
    if (open)
        item->setData(0, kExpandedOnce, true);
    if (m_quiet > 0)
        return;
    NMTREEVIEW n {};
    n.hdr = {this, static_cast<UINT_PTR>(GetDlgCtrlID()), TVN_ITEMEXPANDED};
    n.action = open ? TVE_EXPAND : TVE_COLLAPSE;
    n.itemNew.hItem = item;
    n.itemNew.state = GetItemState(item, TVIS_EXPANDED | TVIS_EXPANDEDONCE | TVIS_SELECTED);
    n.itemNew.lParam = GetItemData(item);
    OnItemExpanded(&n);
}

void CTreeCtrl::sendToParent(NMTREEVIEW* n)
{
    if (QWidget* parent = GetParent())
        ::SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(n));
}

BOOL CTreeCtrl::OnItemExpanded(NMTREEVIEW* n)
{
    sendToParent(n);
    return FALSE;
}

BOOL CTreeCtrl::OnSelChanged(NMTREEVIEW* n)
{
    sendToParent(n);
    return FALSE;
}

QTreeWidgetItem* CTreeCtrl::parentOf(HTREEITEM parent) const
{
    if (parent == TVI_ROOT || parent == nullptr)
        return widget()->invisibleRootItem();
    return parent->treeWidget() == widget() ? parent : nullptr;
}

QIcon CTreeCtrl::icon(int image, int selectedImage)
{
    if (!m_images || image < 0)
        return {};
    const auto key = std::make_pair(image, selectedImage);
    const auto found = m_icons.find(key);
    if (found != m_icons.end())
        return found->second;
    QIcon made;
    const QImage normal = m_images->GetImage(image);
    if (!normal.isNull())
        made.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
    const QImage selected = m_images->GetImage(selectedImage);
    if (!selected.isNull())
        made.addPixmap(QPixmap::fromImage(selected), QIcon::Selected);
    m_icons.emplace(key, made);
    return made;
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after)
{
    QTreeWidgetItem* under = parentOf(parent);
    if (!under)
        return nullptr;
    int at = under->childCount();
    if (after == TVI_FIRST)
        at = 0;
    else if (after != TVI_LAST && after != nullptr) {
        const int index = under->indexOfChild(after);
        if (index < 0)
            return nullptr;
        at = index + 1;
    }
    auto* item = new QTreeWidgetItem;
    setText(item, text);
    if (image >= 0) {
        item->setData(0, kImage, image);
        item->setData(0, kSelectedImage, selectedImage);
        item->setIcon(0, icon(image, selectedImage));
    }
    if (GetStyle() & TVS_EDITLABELS)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    under->insertChild(at, item);
    return item;
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after)
{
    return InsertItem(text, -1, -1, parent, after);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    if (item == TVI_ROOT)
        return DeleteAllItems();
    if (!item || item->treeWidget() != widget())
        return FALSE;
    delete item;
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    widget()->clear();
    return TRUE;
}

UINT CTreeCtrl::GetCount() const
{
    UINT count = 0;
    for (QTreeWidgetItemIterator it(widget()); *it; ++it)
        ++count;
    return count;
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return widget()->topLevelItem(0);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    const QTreeWidgetItem* under = parentOf(item);
    return under && under->childCount() > 0 ? under->child(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return nullptr;
    QTreeWidgetItem* under = item->parent() ? item->parent() : widget()->invisibleRootItem();
    return under->child(under->indexOfChild(item) + 1);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const
{
    return item && item != TVI_ROOT && item->treeWidget() == widget() ? item->parent() : nullptr;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return widget()->currentItem();
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    const QTreeWidgetItem* under = parentOf(item);
    return under && under->childCount() > 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return {};
    const QVariant bytes = item->data(0, kBytes);
    return bytes.isValid() ? bytes.toByteArray().toStdString() : item->text(0).toStdString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text)
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return FALSE;
    setText(item, text);
    return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return FALSE;
    const QVariant normal = item->data(0, kImage);
    image = normal.isValid() ? normal.toInt() : -1;
    const QVariant selected = item->data(0, kSelectedImage);
    selectedImage = selected.isValid() ? selected.toInt() : -1;
    return TRUE;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return 0;
    return static_cast<LPARAM>(item->data(0, kData).toLongLong());
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data)
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return FALSE;
    item->setData(0, kData, static_cast<qlonglong>(data));
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return 0;
    UINT state = 0;
    if (item->isExpanded())
        state |= TVIS_EXPANDED;
    if (item->data(0, kExpandedOnce).toBool())
        state |= TVIS_EXPANDEDONCE;
    if (widget()->currentItem() == item || item->isSelected())
        state |= TVIS_SELECTED;
    return state & mask;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return FALSE;
    ++m_quiet;
    switch (code & ~TVE_COLLAPSERESET) {
    case TVE_EXPAND: item->setExpanded(true); break;
    case TVE_COLLAPSE: item->setExpanded(false); break;
    case TVE_TOGGLE: item->setExpanded(!item->isExpanded()); break;
    default: break;
    }
    if ((code & TVE_COLLAPSERESET) && !item->isExpanded()) {
        qDeleteAll(item->takeChildren());
        item->setData(0, kExpandedOnce, QVariant());
    }
    --m_quiet;
    return TRUE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item)
{
    if (!item) {
        widget()->setCurrentItem(nullptr);
        return TRUE;
    }
    if (item == TVI_ROOT || item->treeWidget() != widget())
        return FALSE;
    widget()->setCurrentItem(item);
    return TRUE;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item)
{
    if (!item || item == TVI_ROOT || item->treeWidget() != widget())
        return FALSE;
    widget()->scrollToItem(item);
    return TRUE;
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int which)
{
    if (which != TVSIL_NORMAL)
        return nullptr;
    CImageList* before = m_images;
    m_images = list;
    m_icons.clear();
    for (QTreeWidgetItemIterator it(widget()); *it; ++it) {
        const QVariant image = (*it)->data(0, kImage);
        if (image.isValid())
            (*it)->setIcon(0, icon(image.toInt(), (*it)->data(0, kSelectedImage).toInt()));
    }
    return before;
}

CImageList* CTreeCtrl::GetImageList(int which) const
{
    return which == TVSIL_NORMAL ? m_images : nullptr;
}

void CTreeCtrl::SetRedraw(BOOL redraw)
{
    widget()->setUpdatesEnabled(redraw != FALSE);
    if (redraw)
        widget()->viewport()->update();
}
