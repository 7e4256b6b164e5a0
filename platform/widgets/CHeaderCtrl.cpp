// SPDX-License-Identifier: MIT
#include "platform/widgets/CHeaderCtrl.h"

#include "platform/gdi/CImageList.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {
constexpr int kFormatRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

Qt::Alignment alignmentOf(int format)
{
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case HDF_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

int CHeaderCtrl::GetItemCount() const
{
    return m_list ? m_list->columnCount() : 0;
}

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const
{
    if (!item || index < 0 || index >= GetItemCount())
        return FALSE;
    const QTreeWidgetItem* head = m_list->headerItem();
    if (item->mask & HDI_WIDTH)
        item->cxy = m_list->header()->sectionSize(index);
    if (item->mask & HDI_TEXT)
        item->text = head->text(index).toStdString();
    if (item->mask & HDI_FORMAT)
        item->fmt = head->data(index, kFormatRole).toInt();
    if (item->mask & HDI_IMAGE)
        item->iImage = GetItemImage(index);
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int index, const HDITEM* item)
{
    if (!item || index < 0 || index >= GetItemCount())
        return FALSE;
    QTreeWidgetItem* head = m_list->headerItem();
    if (item->mask & HDI_WIDTH)
        m_list->header()->resizeSection(index, std::max(0, item->cxy));
    if (item->mask & HDI_TEXT)
        head->setText(index, QString::fromStdString(item->text));
    if (item->mask & HDI_FORMAT) {
        head->setData(index, kFormatRole, item->fmt);
        head->setTextAlignment(index, alignmentOf(item->fmt));
    }
    if (item->mask & HDI_IMAGE)
        head->setData(index, kImageRole, item->iImage);
    show(index);
    return TRUE;
}

CImageList* CHeaderCtrl::SetImageList(CImageList* images)
{
    CImageList* previous = m_images;
    m_images = images;
    for (int i = 0; i < GetItemCount(); ++i)
        show(i);
    return previous;
}

int CHeaderCtrl::GetItemImage(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return -1;
    const QTreeWidgetItem* head = m_list->headerItem();
    if (!(head->data(index, kFormatRole).toInt() & HDF_IMAGE))
        return -1;
    const QVariant image = head->data(index, kImageRole);
    return image.isValid() ? image.toInt() : -1;
}

// The heading's image from the list, when its format asks for one. Qt draws
// a heading's icon before its text, on whichever side the text sits.
void CHeaderCtrl::show(int index) const
{
    QTreeWidgetItem* head = m_list->headerItem();
    const int image = GetItemImage(index);
    head->setData(index, Qt::DecorationRole, m_images && image >= 0 ? m_images->GetIcon(image) : QIcon());
}
