// SPDX-License-Identifier: MIT
#include "platform/io/PathNoCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace {

bool exists(const std::string& path)
{
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry of folder whose name equals name ignoring case; empty when none.
// An exact match is preferred, then the first in name order for stability.
std::string matchInFolder(const std::string& folder, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), &::closedir);
    if (!dir)
        return {};
    std::string best;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (candidate.size() == name.size() && CompareNoCase(candidate.c_str(), name.c_str()) == 0)
            if (best.empty() || candidate < best)
                best = candidate;
    }
    return best;
}

} // namespace

CString NativeSeparators(const char* path)
{
    CString out = path ? path : "";
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

CString ResolvePathNoCase(const char* path)
{
    const CString native = NativeSeparators(path);
    if (native.empty() || exists(native))
        return native;
    // Only the file's own name is matched ignoring case. Folders are taken
    // as written: "Proj/lib.slb" must never open "proj/lib.slb", a library
    // nobody named.
    const auto slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
    const std::string name = native.substr(folder.size());
    if (name.empty() || name == "." || name == "..")
        return native;
    const std::string match = matchInFolder(folder, name);
    return match.empty() ? native : folder + match;
}

namespace {

CString foldName(const char* path, char (*fold)(char))
{
    CString out = path ? path : "";
    const auto slash = out.find_last_of("/\\");
    for (auto i = slash == CString::npos ? 0 : slash + 1; i < out.size(); ++i)
        out[i] = fold(out[i]);
    return out;
}

} // namespace

CString MakeUpperName(const char* path)
{
    return foldName(path, &AsciiToUpper);
}

CString MakeLowerName(const char* path)
{
    return foldName(path, &AsciiToLower);
}

FolderNameIndex::FolderNameIndex(const CString& folder) : m_folder(folder)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), &::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        auto [it, inserted] = m_names.emplace(MakeLower(name), name);
        if (!inserted && name < it->second)
            it->second = name; // the first in name order, as ResolvePathNoCase
    }
}

CString FolderNameIndex::resolve(const CString& name) const
{
    const auto exact = m_names.find(MakeLower(name));
    if (exact == m_names.end())
        return m_folder + name;
    // An exact spelling on disk wins over a case-folded one.
    struct stat st { };
    if (::lstat((m_folder + name).c_str(), &st) == 0)
        return m_folder + name;
    return m_folder + exact->second;
}

CString GlobNoCase(const char* pattern)
{
    CString out;
    bool inClass = false;
    for (const char* p = pattern ? pattern : ""; *p; ++p) {
        const char c = *p;
        if (c == '[')
            inClass = true;
        else if (c == ']')
            inClass = false;
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter && !inClass) {
            out += '[';
            out += AsciiToLower(c);
            out += AsciiToUpper(c);
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}
