// SPDX-License-Identifier: MIT
// A tree that browses the file system lazily: the top level shows the
// volumes a person uses (home folder, root file system, removable and network
// mounts) by name with their folder in parentheses, or one root folder; each
// folder is read only when it is opened, and until then carries one empty
// placeholder child so that it shows an expand button. Optionally the files
// of one extension are listed under their folder. Paths use '/' and paths of
// folders end in '/'. A folder that cannot be read opens empty; names are
// kept as the file system's bytes.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/gdi/SystemImageList.h"
#include "platform/widgets/CTreeCtrl.h"

#include <map>

class KIVCTRL_EXPORT CKivDirTreeCtrl : public CTreeCtrl {
public:
    explicit CKivDirTreeCtrl(QWidget* parent = nullptr);
    ~CKivDirTreeCtrl() override;

    // Rebuilds the tree below root, or of the volumes when root is null or
    // empty; showFiles 1 lists files too. 1, or 0 with the failure's text
    // in the last error.
    int DisplayTree(const char* root, int showFiles);
    // Opens every level down to path and selects its item. 1 when the item
    // was found; 0 for a path outside the tree or no folder, the tree as it
    // was.
    int SetPath(const char* path);
    // The full path of item, ending in '/'; empty for no item.
    CString GetPath(HTREEITEM item) const;
    // ".dwg" (with its dot; any case matches), or empty for all files; for
    // folders read afterwards.
    void SetFileFilter(const char* extension) { m_fileFilter = extension ? extension : ""; }

    // The last component of path, one trailing '/' ignored.
    static CString GetSubPath(const char* path);
    // The label of the volume at root into label (empty when it has none);
    // 1 when root is a mounted volume's folder, else 0.
    static int GetDiskLabel(const char* root, CString* label);

    static constexpr const char* kNoImageList = "Can't create the ImageList!";
    static constexpr const char* kNoFileInfo = "Can't get the SystemFileInfo!";
    static constexpr const char* kNoDrives = "Can't get the LogicalDriveStrings!";

protected:
    // The component item stands for: a top-level item's folder (from the
    // parentheses of its name for a volume), else its text.
    CString GetItemPath(HTREEITEM item) const;
    // The text between the last '(' and the first ')' after it; empty when
    // name has neither.
    static CString GetDisk(const CString& name);
    int DisplayMyComputer();
    HTREEITEM AddItem(HTREEITEM parent, const char* path, SystemImageList::Kind kind = SystemImageList::Kind::Unknown);
    int DisplayDrives();
    void DisplayPath(HTREEITEM parent, const char* path);
    int FindSubDir(const char* path) const;
    void ExpandItem(HTREEITEM item, UINT action);
    HTREEITEM SearchSiblingItem(HTREEITEM item, const char* path) const;
    int IsValidPath(const char* path) const;
    int GetSysImgList();

    // Reads an opened folder afresh; a closed one forgets its contents.
    BOOL OnItemExpanded(NMTREEVIEW* notification) override;

    SystemImageList* m_sysImages = nullptr; // the process's, not owned
    CString m_rootPath;
    CString m_lastError;
    CString m_fileFilter;
    int m_showFiles = 0;

private:
    void AddPlaceholder(HTREEITEM item);

    // The folder of each top-level item, exactly as read: names need not
    // survive a trip through the item's text.
    std::map<HTREEITEM, CString> m_topPaths;
};
