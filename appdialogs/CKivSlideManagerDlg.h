// SPDX-License-Identifier: MIT
// The slide library manager: a folder tree and the folder's slide files on
// one side, a slide library's slides on the other, each with a preview, and
// buttons that add slide files to the library, delete slides from it and
// extract them into the folder. Every change goes through the slide library
// operations, which rewrite the library atomically; the first change of a
// run first copies the library to NAME.bak beside it (never over one).
// Failures show the library operation's message and the dialog goes on.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "controls/CKivComboBox.h"
#include "controls/CKivDialog.h"
#include "controls/CKivDirTreeCtrl.h"
#include "platform/widgets/CEdit.h"
#include "views/CKivSlideViewCtrl.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class KIVAPPDLG_EXPORT CKivSlideManagerDlg : public CKivDialog {
public:
    explicit CKivSlideManagerDlg(QWidget* parent = nullptr);
    ~CKivSlideManagerDlg() override;

    BOOL OnInitDialog() override;

    // What a double click opens: owner and the slide reference (a file or
    // "library(slide)"). The default is the slide viewing dialog.
    using Viewer = std::function<void(HWND owner, const char* reference)>;
    static void SetViewer(Viewer viewer);

    // The backup a library gets before its first change: the file name cut
    // at its first period, ".bak" added, in the library's folder.
    static CString BackupName(const CString& library);

    // Refills the folder list and, with a library, the library list.
    void Refresh();
    // The folder the lists show (ends in '/'), as the tree would set it.
    void SetFolder(const char* folder);

    CString m_folder; // ends in '/'
    CString m_library;
    int m_backedUp = 0;

    CKivListBox& FolderList() { return m_folderList; }
    CKivListBox& LibraryList() { return m_libraryList; }
    CKivSlideViewCtrl& FolderView() { return m_folderView; }
    CKivSlideViewCtrl& LibraryView() { return m_libraryView; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnableLibraryButtons(bool enable);
    void FillFolderList();
    void FillLibraryList();
    void Backup();
    // The stored name behind a list item: the bytes, which need not be UTF-8.
    std::string FolderName(int index) const;
    std::string SlideName(int index) const;
    void AddSlideFile(int index);
    void ShowError(int code);

    void OnSelect();
    void OnAdd(bool all);
    void OnDelete(bool all);
    void OnExtract();
    void OnExtractAll();
    void OnAbout();
    void OnFolderSelChange();
    void OnLibrarySelChange();
    void OnFolderDblClk();
    void OnLibraryDblClk();

    CKivDirTreeCtrl m_tree;
    CKivSlideViewCtrl m_folderView, m_libraryView;
    CEdit m_folderEdit, m_libraryEdit;
    CKivListBox m_folderList, m_libraryList;
    std::map<CString, std::string> m_folderNames, m_slideNames; // item text -> stored bytes
    bool m_ready = false;
};
