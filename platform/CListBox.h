// A list of strings with the framework's calls; a change of selection
// notifies the parent (LBN_SELCHANGE), a double click on an item LBN_DBLCLK.
// LBS_SORT keeps the items in order ignoring letter case, as Win32 does;
// LBS_EXTENDEDSEL lets the user select many with Shift and Ctrl.
#pragma once

#include "platform/WidgetWnd.h"

#include <QListWidget>

#include <vector>

class KIVPLATFORM_EXPORT CListBox : public WidgetWnd<QListWidget> {
public:
    explicit CListBox(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    // The item's index (its sorted place with LBS_SORT).
    int AddString(const char* text);
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
