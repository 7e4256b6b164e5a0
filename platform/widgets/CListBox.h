// SPDX-License-Identifier: MIT
// A list of strings with the framework's calls; a change of selection
// notifies the parent (LBN_SELCHANGE), a double click on an item LBN_DBLCLK.
// LBS_SORT keeps the items in order ignoring letter case, as Win32 does;
// LBS_EXTENDEDSEL lets the user select many with Shift and Ctrl.
// LBS_OWNERDRAWFIXED leaves each item's picture to DrawItem, at the height
// SetItemHeight gives every item; LBS_DISABLENOSCROLL keeps the scroll bar
// shown.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QListWidget>

class QPainter;

// What an owner-drawn item is painted with.
struct DRAWITEMSTRUCT {
    UINT itemID; // the item's index
    UINT itemState; // ODS_SELECTED when it is selected
    QPainter* painter;
    CRect rcItem; // in the list's client coordinates
    void* itemData; // SetItemDataPtr's pointer
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

#include <vector>

class KIVGUI_EXPORT CListBox : public WidgetWnd<QListWidget> {
public:
    explicit CListBox(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    // The item's index (its sorted place with LBS_SORT).
    int AddString(const char* text);
    // At index (-1 appends), never sorted; the index, or LB_ERR past the end.
    int InsertString(int index, const char* text);
    // The count left, or LB_ERR for no such item.
    int DeleteString(int index);
    int SetItemDataPtr(int index, void* data);
    void* GetItemDataPtr(int index) const; // null for no item
    // Every item's height in an owner-drawn list.
    int SetItemHeight(int index, UINT height);
    // Scrolls so that index is the first item shown.
    int SetTopIndex(int index);
    // Paints the item again.
    void RedrawItem(int index);
    // An owner-drawn item's picture; the default draws its text.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    void ResetContent();
    int GetCount() const;
    // The item's text; empty for no item.
    CString GetText(int index) const;
    // The current item (the focused one in a multiple selection); LB_ERR for none.
    int GetCurSel() const;
    // Makes the item current and, in a single selection, the selection;
    // -1 clears it. LB_ERR for an index out of range.
    int SetCurSel(int index);
    int GetSel(int index) const;
    // Selects or deselects index, or every item with index -1.
    int SetSel(int index, BOOL select = vandrel::win32::TRUE);
    int GetSelCount() const;
    // The selected indices in ascending order.
    std::vector<int> GetSelItems() const;
};
