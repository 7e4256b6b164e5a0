// SPDX-License-Identifier: MIT
#include "platform/io/DirectoryReader.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Closes the stream however the walk ends.
class Folder {
public:
    explicit Folder(const char* path) : m_dir(path && *path ? ::opendir(path) : nullptr) { }
    ~Folder()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    DIR* get() const { return m_dir; }

private:
    DIR* m_dir;
};

enum class Kind { Skip, Folder, File };

// The entry's kind from the listing where it says, else from the entry it
// leads to; an entry that leads nowhere (a dangling link) is a file.
Kind kindOf(DIR* dir, const dirent* entry)
{
    const char* name = entry->d_name;
    if (name[0] == '.')
        return Kind::Skip; // ".", ".." and hidden entries
    switch (entry->d_type) {
    case DT_DIR: return Kind::Folder;
    case DT_REG: return Kind::File;
    case DT_LNK:
    case DT_UNKNOWN: break;
    default: return Kind::File; // devices, pipes and sockets are files to a browser
    }
    struct stat st { };
    if (::fstatat(::dirfd(dir), name, &st, 0) != 0)
        return Kind::File;
    return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::File;
}

bool hasSuffix(const char* name, const char* suffix, std::size_t suffixLength)
{
    const char* dot = std::strrchr(name, '.');
    return dot && std::strlen(dot) == suffixLength && ::strncasecmp(dot, suffix, suffixLength) == 0;
}

} // namespace

bool DirectoryReader::List(
    const char* folder, std::vector<CString>* folders, std::vector<CString>* files, const char* suffix)
{
    Folder dir(folder);
    if (!dir.get())
        return false;
    const std::size_t suffixLength = suffix ? std::strlen(suffix) : 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        // A file that does not pass the filter needs no look at what it is,
        // unless it might be a folder.
        const bool maybeFolder = entry->d_type == DT_DIR || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        const bool wanted = files && (suffixLength == 0 || hasSuffix(entry->d_name, suffix, suffixLength));
        if (!maybeFolder && !wanted)
            continue;
        switch (kindOf(dir.get(), entry)) {
        case Kind::Folder:
            if (folders)
                folders->emplace_back(entry->d_name);
            break;
        case Kind::File:
            if (wanted)
                files->emplace_back(entry->d_name);
            break;
        case Kind::Skip: break;
        }
    }
    return true;
}

bool DirectoryReader::HasChild(const char* folder, bool files)
{
    Folder dir(folder);
    if (!dir.get())
        return false;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        if (files && entry->d_type != DT_UNKNOWN)
            return true; // folder or file alike
        const Kind kind = kindOf(dir.get(), entry);
        if (kind == Kind::Folder || (files && kind == Kind::File))
            return true;
    }
    return false;
}

bool DirectoryReader::IsFolder(const char* path)
{
    struct stat st { };
    return path && *path && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}
