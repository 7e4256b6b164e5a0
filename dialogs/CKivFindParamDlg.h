// SPDX-License-Identifier: MIT
// The find box: the parameters of a list whose values contain a text, one
// of which the user picks. GetIndex gives the picked parameter's position
// in the whole list, -1 while none is picked.
#pragma once

#include "controls/CKivDialog.h"
#include "dialogs/KivDlg_export.h"
#include "platform/widgets/CEdit.h"
#include "platform/widgets/CListCtrl.h"

class KivParamList;

class KIVDLG_EXPORT CKivFindParamDlg : public CKivDialog {
public:
    // list stays the caller's and must outlive the dialog.
    CKivFindParamDlg(QWidget* parent, const KivParamList* list, const char* title);
    ~CKivFindParamDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Fills the rows with every parameter whose value contains text
    // (case-sensitive; empty matches all), in list order.
    void Find(const char* text);
    int GetIndex() const { return m_nIndex; }
    CListCtrl* GetList() { return &m_list; }
    CEdit* GetEdit() { return &m_edit; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnSelectionChanged();

    const KivParamList* m_pList;
    CString m_strTitle;
    CListCtrl m_list;
    CEdit m_edit;
    int m_nIndex = -1;
};
