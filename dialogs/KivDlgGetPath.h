// SPDX-License-Identifier: MIT
// The folder picker: a tree of the volumes and their folders, the start
// path, and the free space of the file system holding the chosen folder.
#pragma once

#include "controls/CKivDialog.h"
#include "controls/CKivDirTreeCtrl.h"
#include "dialogs/KivDlg_export.h"

class KIVDLG_EXPORT CKivGetPathDlg : public CKivDialog {
public:
    // What a caller's path buffer holds, terminator included (MAX_PATH).
    static constexpr std::size_t kPathSize = 260;

    // An empty start opens at the home folder, where a Windows picker
    // opened at C:\.
    CKivGetPathDlg(QWidget* parent, const char* title, const char* start);
    ~CKivGetPathDlg() override;

    BOOL OnInitDialog() override;
    // Refuses, with a message, a folder whose path would not fit kPathSize.
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The chosen folder, ending in '/'.
    const CString& GetPath() const { return m_strPath; }
    CKivDirTreeCtrl* GetTree() { return &m_tree; }
    // "Disk free space (/) : 1234.5 MB" for the file system of path.
    static CString FreeSpaceText(const CString& path);

private:
    void ShowFreeSpace();

    CKivDirTreeCtrl m_tree;
    CString m_strTitle;
    CString m_strStart;
    CString m_strPath;
};

// title names the window; the tree opens at path (the home folder when it is
// empty). On OK the chosen folder, with a trailing '/', is copied into path,
// which must hold 260 bytes, and the result is 1; else 0 and path stays. 0
// at once unless both are given.
KIVDLG_EXPORT int KivDlgGetPath(HWND owner, const char* title, char* path);
