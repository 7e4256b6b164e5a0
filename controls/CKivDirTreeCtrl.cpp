// SPDX-License-Identifier: MIT
#include "controls/CKivDirTreeCtrl.h"

#include "platform/io/DirectoryReader.h"
#include "platform/io/Volumes.h"

#include <algorithm>

namespace {

CString withSlash(const char* path)
{
    CString p = path ? path : "";
    if (p.empty() || p.back() != '/')
        p += '/';
    return p;
}

// A folder's own name for its top-level item: "/" stays itself.
CString withoutSlash(CString p)
{
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

// Names in ascending order ignoring case, as the string array sorts them;
// names that differ only in case follow byte order, so the order is always
// the same. An n log n sort on keys folded once: folders may hold 100,000
// names.
void sortNames(std::vector<CString>& names)
{
    std::vector<std::pair<CString, std::size_t>> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        CString folded = names[i];
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        keys.emplace_back(std::move(folded), i);
    }
    std::sort(keys.begin(), keys.end(), [&names](const auto& a, const auto& b) {
        const int cmp = a.first.compare(b.first);
        return cmp != 0 ? cmp < 0 : names[a.second] < names[b.second];
    });
    std::vector<CString> sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(names[key.second]));
    names = std::move(sorted);
}

// The path with "//", "/./" and "name/.." taken out, ending in '/', so that
// a path typed or joined by hand finds the items by their names.
CString cleanFolder(const char* path)
{
    const CString p = path ? path : "";
    std::vector<CString> parts;
    std::size_t start = 0;
    while (start <= p.size()) {
        std::size_t end = p.find('/', start);
        if (end == CString::npos)
            end = p.size();
        const CString part = p.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (p.empty() || p.front() != '/')
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    CString clean = !p.empty() && p.front() == '/' ? "/" : "";
    for (const CString& part : parts)
        clean += part + '/';
    return clean;
}

bool sameNoCase(const CString& a, const CString& b)
{
    return a.size() == b.size() && CompareNoCase(a.c_str(), b.c_str()) == 0;
}

} // namespace

CKivDirTreeCtrl::CKivDirTreeCtrl(QWidget* parent) : CTreeCtrl(parent)
{
}

CKivDirTreeCtrl::~CKivDirTreeCtrl() = default;

int CKivDirTreeCtrl::DisplayTree(const char* root, int showFiles)
{
    if (GetStyle() & TVS_EDITLABELS)
        ModifyStyle(TVS_EDITLABELS, 0);
    DeleteAllItems();
    m_topPaths.clear();
    if (!GetSysImgList())
        return 0;
    m_showFiles = showFiles;
    if (root && *root) {
        m_rootPath = withSlash(root);
        HTREEITEM item = AddItem(TVI_ROOT, m_rootPath.c_str(), SystemImageList::Kind::Folder);
        if (!item)
            return 0;
        DisplayPath(item, m_rootPath.c_str());
        Expand(item, TVE_EXPAND);
        return 1;
    }
    if (!DisplayDrives())
        return 0;
    m_rootPath.clear();
    return 1;
}

int CKivDirTreeCtrl::GetSysImgList()
{
    m_sysImages = SystemImageList::Get();
    if (!m_sysImages) {
        m_lastError = kNoImageList;
        return 0;
    }
    SetImageList(m_sysImages->GetImageList(), TVSIL_NORMAL);
    return 1;
}

int CKivDirTreeCtrl::DisplayDrives()
{
    DeleteAllItems();
    m_topPaths.clear();
    if (!m_sysImages && !GetSysImgList())
        return 0;
    const std::vector<Volume>& volumes = m_sysImages->Volumes(true);
    if (volumes.empty()) {
        m_lastError = kNoDrives;
        return 0;
    }
    for (const Volume& volume : volumes) {
        HTREEITEM item = AddItem(TVI_ROOT, volume.root.c_str(), SystemImageList::Kind::Folder);
        if (item && FindSubDir(volume.root.c_str()))
            AddPlaceholder(item);
    }
    return 1;
}

int CKivDirTreeCtrl::DisplayMyComputer()
{
    InsertItem("My Computer", 0, 0, TVI_ROOT, TVI_LAST);
    return 1;
}

HTREEITEM CKivDirTreeCtrl::AddItem(HTREEITEM parent, const char* path, SystemImageList::Kind kind)
{
    if (!path || !*path || !m_sysImages) {
        m_lastError = kNoFileInfo;
        return nullptr;
    }
    const CString full = withSlash(path);
    const int image = m_sysImages->IconIndex(full.c_str(), kind, false);
    const int openImage
        = kind == SystemImageList::Kind::File ? image : m_sysImages->IconIndex(full.c_str(), kind, true);
    if (image < 0 || openImage < 0) {
        m_lastError = kNoFileInfo;
        return nullptr;
    }
    const CString bare = withoutSlash(full);
    const bool top = parent == TVI_ROOT || parent == nullptr;
    const CString text = top ? m_sysImages->DisplayName(bare.c_str()) : GetSubPath(bare.c_str());
    HTREEITEM item = InsertItem(text.c_str(), image, openImage, parent, TVI_LAST);
    if (item && top)
        m_topPaths[item] = bare;
    return item;
}

void CKivDirTreeCtrl::AddPlaceholder(HTREEITEM item)
{
    InsertItem("", item, TVI_LAST);
}

int CKivDirTreeCtrl::FindSubDir(const char* path) const
{
    return DirectoryReader::HasChild(path, m_showFiles == 1) ? 1 : 0;
}

void CKivDirTreeCtrl::DisplayPath(HTREEITEM parent, const char* path)
{
    BeginWaitCursor();
    const CString folder = withSlash(path);
    std::vector<CString> folders, files;
    // An unreadable folder lists nothing; it opens empty.
    DirectoryReader::List(folder.c_str(), &folders, m_showFiles == 1 ? &files : nullptr, m_fileFilter.c_str());
    sortNames(folders);
    sortNames(files);
    SetRedraw(FALSE);
    for (const CString& name : folders) {
        const CString full = folder + name;
        HTREEITEM item = AddItem(parent, full.c_str(), SystemImageList::Kind::Folder);
        if (item && FindSubDir(full.c_str()))
            AddPlaceholder(item);
    }
    for (const CString& name : files)
        AddItem(parent, (folder + name).c_str(), SystemImageList::Kind::File);
    SetRedraw(TRUE);
    EndWaitCursor();
}

void CKivDirTreeCtrl::ExpandItem(HTREEITEM item, UINT action)
{
    if (!item || action != TVE_EXPAND)
        return;
    while (HTREEITEM child = GetChildItem(item))
        DeleteItem(child);
    DisplayPath(item, GetPath(item).c_str());
    Expand(item, TVE_EXPAND);
}

BOOL CKivDirTreeCtrl::OnItemExpanded(NMTREEVIEW* n)
{
    HTREEITEM item = n ? n->itemNew.hItem : nullptr;
    if (!item)
        return FALSE;
    if (n->action == TVE_COLLAPSE) {
        // Read afresh next time it opens.
        while (HTREEITEM child = GetChildItem(item))
            DeleteItem(child);
        AddPlaceholder(item);
    } else if (n->action == TVE_EXPAND) {
        ExpandItem(item, TVE_EXPAND);
    }
    return CTreeCtrl::OnItemExpanded(n);
}

CString CKivDirTreeCtrl::GetDisk(const CString& name)
{
    const std::size_t open = name.rfind('(');
    if (open == CString::npos)
        return {};
    const std::size_t close = name.find(')', open);
    if (close == CString::npos)
        return {};
    return name.substr(open + 1, close - open - 1);
}

CString CKivDirTreeCtrl::GetItemPath(HTREEITEM item) const
{
    if (!item)
        return {};
    const CString text = GetItemText(item);
    if (GetParentItem(item))
        return text;
    // A mount folder may itself hold parentheses, which the name cannot
    // show unambiguously: the folder read for the item is what counts.
    const auto known = m_topPaths.find(item);
    if (known != m_topPaths.end())
        return known->second;
    const CString disk = GetDisk(text);
    return disk.empty() ? text : disk;
}

CString CKivDirTreeCtrl::GetPath(HTREEITEM item) const
{
    CString path;
    for (HTREEITEM at = item; at; at = GetParentItem(at)) {
        CString part = GetItemPath(at);
        // The root folder's component "/" is an empty name before its '/'.
        while (!part.empty() && part.back() == '/')
            part.pop_back();
        path = part + '/' + path;
    }
    return path;
}

CString CKivDirTreeCtrl::GetSubPath(const char* path)
{
    CString p = path ? path : "";
    if (!p.empty() && p.back() == '/')
        p.pop_back();
    const std::size_t slash = p.rfind('/');
    return slash == CString::npos ? p : p.substr(slash + 1);
}

int CKivDirTreeCtrl::GetDiskLabel(const char* root, CString* label)
{
    if (label)
        label->clear();
    if (!root || !*root)
        return 0;
    const CString folder = withoutSlash(root);
    for (const Volume& volume : MountedVolumes())
        if (volume.root == folder) {
            if (label)
                *label = VolumeLabel(folder.c_str());
            return 1;
        }
    return 0;
}

int CKivDirTreeCtrl::IsValidPath(const char* path) const
{
    if (!path || !*path)
        return 0;
    const CString target = withSlash(path);
    bool inside = false;
    for (HTREEITEM top = GetRootItem(); top && !inside; top = GetNextSiblingItem(top)) {
        const CString start = GetPath(top);
        inside = target.compare(0, start.size(), start) == 0
            || (target.size() >= start.size() && sameNoCase(target.substr(0, start.size()), start));
    }
    return inside && DirectoryReader::IsFolder(path) ? 1 : 0;
}

HTREEITEM CKivDirTreeCtrl::SearchSiblingItem(HTREEITEM item, const char* path) const
{
    const CString wanted = withSlash(path);
    HTREEITEM caseless = nullptr;
    for (HTREEITEM at = item; at; at = GetNextSiblingItem(at)) {
        const CString here = GetPath(at);
        if (here == wanted)
            return at;
        if (!caseless && sameNoCase(here, wanted))
            caseless = at;
    }
    return caseless;
}

int CKivDirTreeCtrl::SetPath(const char* path)
{
    if (!path || !*path)
        return 0;
    const CString target = cleanFolder(path);
    if (!IsValidPath(target.c_str()))
        return 0;
    SetRedraw(FALSE);
    HTREEITEM found = nullptr;
    HTREEITEM level = GetRootItem();
    // Each prefix up to a '/' in turn; at the top the deepest volume that
    // holds the path wins (the home folder before the root file system).
    for (std::size_t slash = target.find('/'); slash != CString::npos && level; slash = target.find('/', slash + 1)) {
        HTREEITEM item = SearchSiblingItem(level, target.substr(0, slash + 1).c_str());
        if (!item) {
            if (found)
                break;
            continue;
        }
        if (!found) {
            for (std::size_t deeper = target.find('/', slash + 1); deeper != CString::npos;
                 deeper = target.find('/', deeper + 1))
                if (HTREEITEM top = SearchSiblingItem(level, target.substr(0, deeper + 1).c_str())) {
                    item = top;
                    slash = deeper;
                }
        }
        if (GetItemState(item, TVIS_EXPANDEDONCE)) {
            Expand(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
            AddPlaceholder(item);
        }
        ExpandItem(item, TVE_EXPAND);
        found = item;
        level = GetChildItem(item);
    }
    if (found) {
        SelectItem(found);
        EnsureVisible(found);
    }
    SetRedraw(TRUE);
    return found ? 1 : 0;
}
