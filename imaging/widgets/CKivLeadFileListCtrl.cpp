// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadFileListCtrl.h"

#include "controls/KivColumnList.h"
#include "controls/KivThumbList.h"
#include "platform/gdi/SystemImageList.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

#include <cstring>

CKivLeadFileListCtrl::CKivLeadFileListCtrl(QWidget* parent) : CKivListCtrl(parent)
{
    m_largeImages.Create(32, 32, vandrel::win32::ILC_COLOR32, 0, 8);
    m_smallImages.Create(16, 16, vandrel::win32::ILC_COLOR32, 0, 8);
    SetImageList(&m_largeImages, vandrel::win32::LVSIL_NORMAL);
    SetImageList(&m_smallImages, vandrel::win32::LVSIL_SMALL);
    m_pColumns = new KivColumnList;
    m_pColumns->add("Name", 'L', 120);
    m_pColumns->add("Size", 'R', 60);
    m_pColumns->add("Type", 'L', 120);
    m_pColumns->add("Modified", 'L', 60);
}

CKivLeadFileListCtrl::~CKivLeadFileListCtrl()
{
    RemoveParam();
    delete m_pColumns;
}

BOOL CKivLeadFileListCtrl::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    if (!CKivListCtrl::Create(style, rect, parent, id))
        return FALSE;
    SetHeader(m_pColumns, 0);
    // The icon views sit on the application-workspace colour.
    // (set on the control, so the icon view made later inherits it).
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QApplication::palette().color(QPalette::Window));
    setPalette(colours);
    return TRUE;
}

CString CKivLeadFileListCtrl::FormatSize(long long bytes)
{
    const long long kb = bytes <= 0 ? 0 : (bytes + 1023) / 1024;
    std::string digits = std::to_string(kb), grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped + " KB";
}

unsigned short CKivLeadFileListCtrl::SortTypeOf(int column)
{
    switch (column) {
    case 1: return kSortLong;
    case 3: return kSortDate;
    default: return kSortText;
    }
}

int CKivLeadFileListCtrl::iconOf(const char* extension)
{
    const auto known = m_iconOfType.find(extension);
    if (known != m_iconOfType.end())
        return known->second;
    int image = -1;
    if (SystemImageList* system = SystemImageList::Get()) {
        const std::string probe = std::string("file") + extension;
        const int index = system->IconIndex(probe.c_str(), SystemImageList::Kind::File, false);
        const QImage icon = system->GetImageList()->GetImage(index);
        if (!icon.isNull()) {
            image = m_largeImages.Add(icon);
            m_smallImages.Add(icon);
        }
    }
    m_iconOfType.emplace(extension, image);
    return image;
}

int CKivLeadFileListCtrl::ShowList(const KivThumbList* list)
{
    RemoveParam();
    DeleteAllItems();
    if (!list) {
        m_columnWidths.clear();
        return 0;
    }
    for (int i = 0; i < list->getCount(); ++i) {
        const KivThumbItem* item = list->getAt(i);
        const char* name = std::strrchr(item->file, '/');
        const int row = InsertItem(GetItemCount(), name ? name + 1 : item->file);
        SetItemText(row, 1, FormatSize(item->size).c_str());
        SetItemText(row, 2, item->type);
        SetItemText(row, 3, item->date);
        SetItemImage(row, iconOf(item->extension));
    }
    measureColumns();
    fitColumns();
    return 1;
}

void CKivLeadFileListCtrl::measureColumns()
{
    // Each column is as wide as its widest entry or heading, never narrower
    // than it starts. Measured once per filling, not on every resize.
    QTreeWidget* list = widget();
    const QFontMetrics metrics = list->fontMetrics();
    const int count = std::min(GetColumnCount(), m_pColumns->getCount());
    m_columnWidths.assign(static_cast<std::size_t>(count), 0);
    for (int c = 0; c < count; ++c) {
        int widest = 0;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(list->topLevelItem(row)->text(c)));
        // The cell's margins, and the names' icons.
        const int needed = std::max(widest + (c == 0 ? 30 : 14), list->header()->sectionSizeHint(c));
        m_columnWidths[static_cast<std::size_t>(c)] = std::max(static_cast<int>(m_pColumns->getAt(c)->width), needed);
    }
}

void CKivLeadFileListCtrl::fitColumns()
{
    // The names take whatever the window has left over.
    QTreeWidget* list = widget();
    QHeaderView* header = list->header();
    int others = 0;
    for (std::size_t c = 0; c < m_columnWidths.size(); ++c) {
        header->resizeSection(static_cast<int>(c), m_columnWidths[c]);
        if (c > 0)
            others += m_columnWidths[c];
    }
    if (m_columnWidths.empty())
        return;
    const int available = list->width() - 2 * list->frameWidth()
        - list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    header->resizeSection(0, std::max(m_columnWidths[0], available - others));
}

void CKivLeadFileListCtrl::OnSize(UINT type, int cx, int cy)
{
    CKivListCtrl::OnSize(type, cx, cy);
    fitColumns();
}

CString CKivLeadFileListCtrl::GetItemTip(int row) const
{
    return "Type: " + GetItemText(row, 2) + "\nSize: " + GetItemText(row, 1);
}

int CKivLeadFileListCtrl::SetParam(int column, unsigned short kind)
{
    if (kind != kSortLong && kind != kSortShort)
        return CKivListCtrl::SetParam(column, kind);
    RemoveParam();
    for (int row = 0; row < GetItemCount(); ++row) {
        long value = 0;
        for (const char c : GetItemText(row, column)) {
            if (c >= '0' && c <= '9')
                value = value < 100000000000L ? value * 10 + (c - '0') : value;
            else if (c != ',')
                break;
        }
        SetParamLong(row, value);
    }
    return 1;
}

BOOL CKivLeadFileListCtrl::OnColumnClick(NMLISTVIEW* notification)
{
    if (!notification)
        return FALSE;
    Sort(notification->iSubItem, SortTypeOf(notification->iSubItem), 1);
    return TRUE;
}
