// SPDX-License-Identifier: MIT
// The desktop's small icons for paths, gathered in one image list the way a
// shell hands out its system image list: an index per kind of entry (volume,
// home, folder, open folder) and per file extension, taken from the icon
// theme through Qt once and shared by every browser of the process. Owned by
// the process; windows attach it and never destroy it.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/gdi/CImageList.h"
#include "platform/io/Volumes.h"

#include <map>
#include <memory>
#include <vector>

class QFileIconProvider;

class KIVGUI_EXPORT SystemImageList {
public:
    enum class Kind { Unknown, Folder, File };

    // The process's list; null without a GUI application (no icons then).
    static SystemImageList* Get();
    ~SystemImageList();

    CImageList* GetImageList() { return &m_images; }
    // The index of path's icon, open for a folder shown opened; kind saves
    // looking at the path when the caller knows it. -1 when path names
    // nothing (a dangling link is a file).
    int IconIndex(const char* path, Kind kind, bool open);
    // What a browser calls path: a volume root its name with the root in
    // parentheses, "Home (/home/ann)"; anything else its last component.
    CString DisplayName(const char* path) const;
    // The volumes as last read; refresh reads them again (mounts come and go).
    const std::vector<Volume>& Volumes(bool refresh);

private:
    SystemImageList();
    int add(const QIcon& icon);

    CImageList m_images;
    std::unique_ptr<QFileIconProvider> m_provider;
    int m_folder = -1, m_openFolder = -1, m_drive = -1, m_home = -1, m_file = -1;
    std::vector<Volume> m_volumes;
    std::map<CString, int> m_byExtension; // lower-case, with its dot
};
