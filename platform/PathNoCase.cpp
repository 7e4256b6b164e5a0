#include "platform/PathNoCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <vector>

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

    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= native.size()) {
        const auto slash = native.find('/', start);
        const auto end = slash == std::string::npos ? native.size() : slash;
        parts.push_back(native.substr(start, end - start));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }

    std::string resolved;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string next;
        if (i == 0 && part.empty()) {
            resolved.push_back('/'); // absolute path
            continue;
        }
        if (part.empty() || part == "." || part == "..") {
            next = part;
        } else {
            const std::string candidate = resolved + part;
            if (exists(candidate)) {
                next = part;
            } else {
                const std::string match = matchInFolder(resolved, part);
                if (match.empty()) {
                    // Nothing there: the rest is created as written, inside
                    // the folders found so far.
                    for (std::size_t j = i; j < parts.size(); ++j) {
                        resolved += parts[j];
                        if (j + 1 < parts.size())
                            resolved += '/';
                    }
                    return resolved;
                }
                next = match;
            }
        }
        resolved += next;
        if (i + 1 < parts.size())
            resolved += '/';
    }
    return resolved;
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
