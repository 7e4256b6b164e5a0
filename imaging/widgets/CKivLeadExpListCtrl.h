// SPDX-License-Identifier: MIT
// An explorer-like view of the images of a folder: one thumbnail list and
// one file list over the same items, with five view modes (0 thumbnails,
// 1 large icons, 2 small icons, 3 list, 4 details), four sort orders and a
// context menu choosing both.
#pragma once

#include "controls/CKivStatic.h"
#include "imaging/KivLead_export.h"

class CKivLeadFileListCtrl;
class CKivLeadThumbListCtrl;

class KIVLEAD_EXPORT CKivLeadExpListCtrl : public CKivStatic {
public:
    static constexpr UINT kThumbListId = 3024;
    static constexpr UINT kFileListId = 4024;

    explicit CKivLeadExpListCtrl(QWidget* parent = nullptr);
    ~CKivLeadExpListCtrl() override;

    // Creates both lists over the client area and fills them from folder
    // when it is not empty; 1.
    virtual int MakeControl(const char* folder);
    // Switches to mode; refresh 1 reads the folder again first.
    void ShowList(int mode, int refresh, int unused);
    // Sorts by column (0 name, 1 size, 2 type, 3 date) with the file list's
    // sort-type code; the active column again changes nothing.
    void SortList(int column, int sortType);
    // 1 when command is one of the explorer menu's and was carried out.
    int DoMenuCommand(UINT command);
    // The cells' "select all" and "invert selection", which the view, as
    // the owner of the thumbnail list, carries out; 1 when command was one.
    // The cells' other commands are the host's.
    int DoSelectCommand(UINT command);

    CKivLeadThumbListCtrl* GetThumbListCtrl() const { return m_pThumbList; }
    CKivLeadFileListCtrl* GetFileListCtrl() const { return m_pFileList; }
    int GetViewMode() const { return m_nViewMode; }
    const char* GetFolder() const { return m_strFolder.c_str(); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Opens row of the list views in the thumbnails' viewer, as a double
    // click on the row does; what the viewer gave, 0 without one.
    int openRow(int row);

private:
    void fillFolder();

    CKivLeadThumbListCtrl* m_pThumbList = nullptr;
    CKivLeadFileListCtrl* m_pFileList = nullptr;
    CString m_strFolder;
    int m_nViewMode = 0;
    bool m_iconsOpenRows = false;
};
