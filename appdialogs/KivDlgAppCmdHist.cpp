// SPDX-License-Identifier: MIT
#include "appdialogs/KivDlgAppCmdHist.h"

#include "appdialogs/resources.h"
#include "controls/CKivComboBox.h"
#include "controls/CKivDialog.h"
#include "dialogs/KivDlgAbout.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CButton.h"

#include <cstring>

using namespace kivappdlg;

namespace {

class CKivCmdHistDlg : public CKivDialog {
public:
    CKivCmdHistDlg(QWidget* parent, CStringList* history) : CKivDialog(IDD_CMDHIST, parent), m_history(history) { }

    BOOL OnInitDialog() override
    {
        CKivDialog::OnInitDialog();
        m_list.SubclassDlgItem(IDC_CMDHIST_LIST, this);
        m_list.AddStringList(m_history, 1);
        m_list.SetCurSel(0);
        return TRUE;
    }

    void OnOK() override
    {
        const int chosen = m_list.GetCurSel();
        m_selected = chosen >= 0 ? m_list.GetText(chosen) : CString();
        if (m_selected.empty()) {
            MessageBox(this, "No Selection!", "Error", MB_OK | MB_ICONWARNING);
            return;
        }
        CKivDialog::OnOK();
    }

    CString m_selected;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if (id == IDC_CMDHIST_LIST && HIWORD(wParam) == LBN_DBLCLK) {
            OnOK();
            return TRUE;
        }
        if (id == IDC_CMDHIST_ABOUT && HIWORD(wParam) == BN_CLICKED) {
            const HINSTANCE res = AfxGetResourceHandle();
            KivDlgAbout(this, nullptr, res->string(IDS_CMDHIST_NAME).c_str(), res->string(IDS_CMDHIST_VERSION).c_str(),
                "Commands kept for the next time", "https://example.org/vandrel", "vandrel@example.org");
            return TRUE;
        }
        return CKivDialog::OnCommand(wParam, lParam);
    }

private:
    CStringList* m_history;
    CKivListBox m_list;
};

} // namespace

int KivDlgAppCmdHist(HWND parent, CStringList* history, char* selected)
{
    if (!history || !selected)
        return 0;
    selected[0] = '\0';
    return CallWithResources(KivAppDlgResources(), [&] {
        CKivCmdHistDlg dialog(parent, history);
        if (dialog.DoModal() != IDOK)
            return 0;
        std::memcpy(selected, dialog.m_selected.c_str(), dialog.m_selected.size() + 1);
        return 1;
    });
}
