// SPDX-License-Identifier: MIT
#include "appdialogs/KivDlgAppDwgFile.h"

#include "appdialogs/resources.h"
#include "controls/CKivDialog.h"
#include "controls/CKivDirTreeCtrl.h"
#include "platform/io/DirectoryReader.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CTreeCtrl.h"
#include "views/CKivThumbViewCtrl.h"

#include <cstring>

using namespace kivappdlg;

namespace {

constexpr std::size_t kPathSize = 260; // the caller's MAX_PATH buffer

bool isDrawing(const CString& path)
{
    if (path.size() < 4)
        return false;
    CString ext = path.substr(path.size() - 4);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext == ".dwg" && !DirectoryReader::IsFolder(path.c_str());
}

class CKivDwgFileDlg : public CKivDialog {
public:
    CKivDwgFileDlg(QWidget* parent, const char* start, void (*blockList)(HWND, const char*))
        : CKivDialog(IDD_DWGFILE, parent), m_start(start ? start : ""), m_blockList(blockList)
    {
    }

    BOOL OnInitDialog() override
    {
        CKivDialog::OnInitDialog();
        BeginWaitCursor();
        GetDlgItem(IDC_DWG_BLOCKLIST)->setEnabled(false);
        m_tree.SubclassDlgItem(IDC_DWG_TREE, this);
        m_preview.SubclassDlgItem(IDC_DWG_PREVIEW, this);
        m_preview.show();
        m_tree.SetFileFilter(".dwg");
        m_tree.DisplayTree(nullptr, 1);
        if (!m_start.empty())
            m_tree.SetPath(m_start.c_str());
        EndWaitCursor();
        return TRUE;
    }

    CString m_selected;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && lParam) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == IDC_DWG_TREE && header->code == TVN_SELCHANGED) {
                OnSelChanged();
                return 0;
            }
        }
        return CKivDialog::WindowProc(message, wParam, lParam);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_DWG_BLOCKLIST && HIWORD(wParam) == BN_CLICKED) {
            if (m_selected.empty())
                return TRUE;
            if (m_blockList)
                m_blockList(this, m_selected.c_str());
            else // rather than a list that stays empty
                MessageBox(this, "The program that opened this dialog gives no block list.", "Block List",
                    MB_OK | MB_ICONINFORMATION);
            return TRUE;
        }
        return CKivDialog::OnCommand(wParam, lParam);
    }

private:
    void OnSelChanged()
    {
        CString path = m_tree.GetPath(m_tree.GetSelectedItem());
        while (path.size() > 1 && path.back() == '/')
            path.pop_back(); // a file's item is no folder
        const bool drawing = isDrawing(path);
        m_selected = drawing ? path : CString();
        if (drawing)
            m_preview.SetFileName(path.c_str(), 1); // a folder keeps the last picture
        GetDlgItem(IDC_DWG_BLOCKLIST)->setEnabled(drawing);
    }

    CString m_start;
    void (*m_blockList)(HWND, const char*);
    CKivDirTreeCtrl m_tree;
    CKivThumbViewCtrl m_preview;
};

} // namespace

int KivDlgAppDwgFile(HWND parent, const char* start, char* selected, void (*blockList)(HWND, const char*))
{
    if (!selected)
        return 0;
    return CallWithResources(KivAppDlgResources(), [&] {
        CKivDwgFileDlg dialog(parent, start, blockList);
        if (dialog.DoModal() != IDOK)
            return 0;
        const CString& path = dialog.m_selected.size() < kPathSize ? dialog.m_selected : CString();
        std::memcpy(selected, path.c_str(), path.size() + 1);
        return 1;
    });
}
