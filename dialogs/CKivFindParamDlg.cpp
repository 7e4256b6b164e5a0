// SPDX-License-Identifier: MIT
#include "dialogs/CKivFindParamDlg.h"

#include "core/KivParamList.h"
#include "dialogs/resources.h"
#include "platform/services/MessageBox.h"

#include <QHeaderView>

#include <algorithm>
#include <cstring>

using namespace kivdlg;

CKivFindParamDlg::CKivFindParamDlg(QWidget* parent, const KivParamList* list, const char* title)
    : CKivDialog(IDD_FIND_PARAM, parent), m_pList(list), m_strTitle(title ? title : "")
{
}

CKivFindParamDlg::~CKivFindParamDlg() = default;

BOOL CKivFindParamDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    SetWindowText(m_strTitle.c_str());
    m_edit.SubclassDlgItem(IDC_FIND_EDIT, this);
    m_list.SubclassDlgItem(IDC_FIND_LIST, this);
    m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "Data", LVCFMT_LEFT, 200);
    // The last column reaches the right edge, less a scroll bar, and no further.
    CRect client;
    m_list.GetClientRect(&client);
    m_list.SetColumnWidth(1, std::max(0, client.Width() - 100 - GetSystemMetrics(SM_CXVSCROLL) - 4));
    QTreeWidget* rows = m_list.widget();
    rows->header()->setStretchLastSection(true);
    rows->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(rows, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
    QObject::connect(rows, &QTreeWidget::itemDoubleClicked, this, [this] { OnOK(); });
    m_edit.setFocus();
    return FALSE;
}

void CKivFindParamDlg::Find(const char* text)
{
    m_list.DeleteAllItems();
    m_nIndex = -1;
    if (!m_pList)
        return;
    const char* wanted = text ? text : "";
    for (int i = 0; i < m_pList->getCount(); ++i) {
        const char* value = m_pList->getValue(i);
        // Bytes compared as they are: a UTF-8 text only matches whole characters.
        if (!value || !std::strstr(value, wanted))
            continue;
        const int row = m_list.InsertItem(m_list.GetItemCount(), m_pList->getParam(i));
        m_list.SetItemText(row, 1, value);
        m_list.SetItemData(row, static_cast<LPARAM>(i));
    }
}

// Each row knows its parameter's position: two parameters whose names
// differ only in case (two files of one Linux folder) stay apart.
void CKivFindParamDlg::OnSelectionChanged()
{
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    m_nIndex = row < 0 ? -1 : static_cast<int>(m_list.GetItemData(row));
}

BOOL CKivFindParamDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FIND_BUTTON && HIWORD(wParam) == BN_CLICKED) {
        Find(m_edit.GetWindowText().c_str());
        return TRUE;
    }
    return CKivDialog::OnCommand(wParam, lParam);
}

void CKivFindParamDlg::OnOK()
{
    if (m_nIndex < 0) {
        MessageBox(this, "No Selection!", "Find", MB_OK | MB_ICONSTOP);
        return;
    }
    CKivDialog::OnOK();
}
