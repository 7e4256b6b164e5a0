// SPDX-License-Identifier: MIT
// The libraries upper- or lower-case file names before opening them, as on a
// file system that ignores case. This resolves such a name on this one: a
// path that does not exist as written has its last component matched against
// its folder ignoring the case of ASCII letters. Folder names are never
// folded, so another folder's file is never taken for the one named. "\"
// separates folders like "/".
#pragma once

#include "platform/base/CString.h"

// The existing path the name stands for: the path as written when it exists,
// else its folder as written and the entry of that folder whose name matches
// the last component ignoring case. When none matches, the path stays as
// written (with "/" separators): that is where a new file is created.
KIVPLATFORM_EXPORT CString ResolvePathNoCase(const char* path);

// path with the ASCII letters of its last component upper- or lower-cased,
// its folders as written: how the libraries complete a name they open.
KIVPLATFORM_EXPORT CString MakeUpperName(const char* path);
KIVPLATFORM_EXPORT CString MakeLowerName(const char* path);

// "\" turned into "/".
KIVPLATFORM_EXPORT CString NativeSeparators(const char* path);

// A glob pattern that matches ignoring the case of ASCII letters, as the
// Windows file search does: "*.sld" becomes "*.[sS][lL][dD]".
KIVPLATFORM_EXPORT CString GlobNoCase(const char* pattern);

#include <unordered_map>

// One folder's names, read once, for resolving many files in it ignoring
// case without a scan of the folder per file.
class KIVPLATFORM_EXPORT FolderNameIndex {
public:
    // folder ends in "/" or is empty (the current folder).
    explicit FolderNameIndex(const CString& folder);
    // folder + the existing spelling of name, or folder + name as written.
    CString resolve(const CString& name) const;
    // Something in the folder has the name, in any letter case.
    bool contains(const CString& name) const { return m_names.count(MakeLower(name)) > 0; }

private:
    CString m_folder;
    std::unordered_map<CString, CString> m_names; // lower-cased → as on disk
};
