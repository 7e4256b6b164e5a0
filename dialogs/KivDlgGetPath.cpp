// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgGetPath.h"

#include "core/KivUtil.h"
#include "dialogs/resources.h"
#include "platform/io/PathNoCase.h"
#include "platform/io/Volumes.h"
#include "platform/services/MessageBox.h"

#include <cstring>

using namespace kivdlg;

namespace {

CString withSlash(CString path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

} // namespace

CKivGetPathDlg::CKivGetPathDlg(QWidget* parent, const char* title, const char* start)
    : CKivDialog(IDD_GET_PATH, parent), m_strTitle(title ? title : "")
{
    if (start && *start)
        m_strStart = withSlash(NativeSeparators(start));
    else
        m_strStart = withSlash(MountedVolumes().front().root);
    m_strPath = m_strStart;
}

CKivGetPathDlg::~CKivGetPathDlg() = default;

CString CKivGetPathDlg::FreeSpaceText(const CString& path)
{
    const double megabytes = static_cast<double>(KivUtil::GetDiskFreeSpaceA(path.c_str())) / 1048576.0;
    return StringFormat("Disk free space (%c) : %.1f MB", path.empty() ? ' ' : path[0], megabytes);
}

BOOL CKivGetPathDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    BeginWaitCursor();
    SetWindowText(m_strTitle.c_str());
    m_tree.SubclassDlgItem(IDC_PATH_TREE, this);
    m_tree.ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    m_tree.DisplayTree(nullptr, 0);
    m_tree.SetPath(m_strStart.c_str());
    // The tree may have told of its selection while it opened: the start
    // path holds until the user chooses.
    m_strPath = m_strStart;
    if (CWnd* label = GetDlgItem(IDC_PATH_LABEL))
        label->SetWindowText(StringFormat("Path: %s", m_strStart.c_str()).c_str());
    ShowFreeSpace();
    EndWaitCursor();
    return TRUE;
}

void CKivGetPathDlg::ShowFreeSpace()
{
    if (CWnd* label = GetDlgItem(IDC_PATH_FREE))
        label->SetWindowText(FreeSpaceText(m_strPath).c_str());
}

LRESULT CKivGetPathDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_PATH_TREE && header->code == TVN_SELCHANGED) {
            const auto* change = reinterpret_cast<const NMTREEVIEW*>(lParam);
            if (change->itemNew.hItem) {
                m_strPath = m_tree.GetPath(change->itemNew.hItem);
                ShowFreeSpace();
            }
            return 0;
        }
    }
    return CKivDialog::WindowProc(message, wParam, lParam);
}

void CKivGetPathDlg::OnOK()
{
    if (m_strPath.size() >= kPathSize) {
        MessageBox(this, "The path of this folder is too long.", GetWindowText().c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CKivDialog::OnOK();
}

int KivDlgGetPath(HWND owner, const char* title, char* path)
{
    if (!title || !path)
        return 0;
    return CallWithResources(KivDlgResources(), [&] {
        CKivGetPathDlg dialog(owner, title, path);
        if (dialog.DoModal() != IDOK)
            return 0;
        const CString& chosen = dialog.GetPath();
        std::memcpy(path, chosen.c_str(), chosen.size() + 1);
        return 1;
    });
}
