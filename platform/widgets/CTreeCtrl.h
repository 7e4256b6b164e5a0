// SPDX-License-Identifier: MIT
// A tree view: items with texts, icons from an image list and one item data
// value each, expand buttons, a selection. Item texts are bytes and come back
// as they went in, whatever their encoding. Expanding or collapsing by the
// user and a change of selection come to OnItemExpanded and OnSelChanged,
// which by default send TVN_ITEMEXPANDED and TVN_SELCHANGED to the parent;
// Expand called by code notifies nobody, as in Win32. An item handle stays
// good until its item is deleted.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/gdi/CImageList.h"
#include "platform/widgets/WidgetWnd.h"

#include <QIcon>
#include <QTreeWidget>

#include <map>
#include <utility>

using HTREEITEM = QTreeWidgetItem*;

namespace vandrel::win32 {
constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVE_COLLAPSERESET = 0x8000;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_EXPANDEDONCE = 0x0040;

constexpr int TVSIL_NORMAL = 0;

constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

constexpr int TVN_FIRST = -400;
constexpr int TVN_SELCHANGED = TVN_FIRST - 2;
constexpr int TVN_ITEMEXPANDED = TVN_FIRST - 6;

// Places of an insertion, as Win32's reserved handle values.
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));
} // namespace vandrel::win32

struct TVITEM {
    HTREEITEM hItem;
    UINT state;
    LPARAM lParam;
};

struct NMTREEVIEW {
    NMHDR hdr;
    UINT action; // TVE_EXPAND or TVE_COLLAPSE; TVC_ for a selection
    TVITEM itemOld;
    TVITEM itemNew;
    CPoint ptDrag;
};

class KIVGUI_EXPORT CTreeCtrl : public WidgetWnd<QTreeWidget> {
public:
    explicit CTreeCtrl(QWidget* parent = nullptr);
    ~CTreeCtrl() override;

    // The TVS_ styles take effect as the control is created and changed.
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;
    BOOL ModifyStyle(DWORD remove, DWORD add);

    // The new item, last or first among parent's children (or after the
    // item given); null when parent or after is no item of this tree.
    HTREEITEM InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent = vandrel::win32::TVI_ROOT,
        HTREEITEM after = vandrel::win32::TVI_LAST);
    HTREEITEM InsertItem(
        const char* text, HTREEITEM parent = vandrel::win32::TVI_ROOT, HTREEITEM after = vandrel::win32::TVI_LAST);
    // The item and everything below it; TVI_ROOT deletes every item.
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    BOOL ItemHasChildren(HTREEITEM item) const;

    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const char* text);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    LPARAM GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, LPARAM data);
    // TVIS_SELECTED, TVIS_EXPANDED and TVIS_EXPANDEDONCE, masked.
    UINT GetItemState(HTREEITEM item, UINT mask) const;

    // TVE_EXPAND, TVE_COLLAPSE (with TVE_COLLAPSERESET: the children go
    // too) or TVE_TOGGLE; FALSE for no item.
    BOOL Expand(HTREEITEM item, UINT code);
    // Null clears the selection.
    BOOL SelectItem(HTREEITEM item);
    BOOL EnsureVisible(HTREEITEM item);

    // Attaches list (not owned) as the source of the items' icons; the list
    // before. Images added to the list later appear as they are used.
    CImageList* SetImageList(CImageList* list, int which);
    CImageList* GetImageList(int which) const;
    // Off while many items change, so the tree paints once at the end.
    void SetRedraw(BOOL redraw);

protected:
    // The reflected notifications: TRUE when handled here. The defaults
    // send WM_NOTIFY to the parent and give FALSE.
    virtual BOOL OnItemExpanded(NMTREEVIEW* notification);
    virtual BOOL OnSelChanged(NMTREEVIEW* notification);

private:
    QTreeWidgetItem* parentOf(HTREEITEM parent) const;
    QIcon icon(int image, int selectedImage);
    void applyStyle();
    void expanded(QTreeWidgetItem* item, bool open);
    void sendToParent(NMTREEVIEW* notification);

    CImageList* m_images = nullptr;
    std::map<std::pair<int, int>, QIcon> m_icons; // by image and selected image
    int m_quiet = 0; // code is expanding: no notification
    QTreeWidgetItem* m_selected = nullptr;
};
