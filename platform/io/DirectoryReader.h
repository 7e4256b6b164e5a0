// SPDX-License-Identifier: MIT
// Reads the entries of one folder for a browser of the file system: the
// sub-folders and (when asked) the files, names as the folder holds their
// bytes, whatever their encoding. Links are followed: a link to a folder is a
// folder, a dangling link is listed as a file. Names starting with a dot are
// this platform's hidden entries and are left out. Nothing throws; a folder
// that cannot be read gives no entries.
#pragma once

#include "platform/base/CString.h"

#include <vector>

class KIVPLATFORM_EXPORT DirectoryReader {
public:
    // The sub-folders of folder into folders and, when files is given, its
    // files into files: all when suffix is null or empty, otherwise those
    // whose last extension (with its dot) equals suffix ignoring ASCII case.
    // Names only, in the folder's order. false when the folder cannot be read.
    static bool List(
        const char* folder, std::vector<CString>* folders, std::vector<CString>* files, const char* suffix);
    // Whether folder holds a sub-folder or, with files, any file. Reads only
    // up to the first such entry, so a huge folder with a sub-folder early
    // costs little; false for a folder that cannot be read.
    static bool HasChild(const char* folder, bool files);
    // Something at path is a folder (links followed).
    static bool IsFolder(const char* path);
};
