// SPDX-License-Identifier: MIT
#include "airfoil/ZopAirfoil.h"

#include "airfoil/ZopScanProgress.h"
#include "core/KivParamList.h"
#include "platform/base/CString.h"
#include "platform/io/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// Listing a folder's coordinate files needs no screen: a command lists them
// too. The progress is told through its interface only.

namespace {

// The folder as it stands in a glob pattern: its own *, ? and [ match
// themselves.
std::string globEscaped(const char* folder)
{
    std::string out;
    for (const char* p = folder; *p; ++p) {
        if (*p == '*' || *p == '?' || *p == '[' || *p == '\\')
            out += '\\';
        out += *p;
    }
    return out;
}

} // namespace

int ZopAirfoil::ListAirfoilFiles(const char* folder, KivParamList* list, ZopScanProgress* progress, QWidget* owner)
{
    if (!folder || !*folder || !list)
        return 0;
    // The extension in any case, as the Windows search matched it. Folders
    // stand for what the Windows search left out by their attribute: no
    // entry that is not a file is listed.
    const std::vector<CString> found = GlobPaths((globEscaped(folder) + "*.[dD][aA][tT]").c_str(), true);
    std::vector<CString> files;
    for (const CString& path : found)
        if (!path.empty() && path.back() != '/')
            files.push_back(path);
    if (files.empty())
        return 0;
    const std::size_t folderLength = std::strlen(folder);
    if (progress)
        progress->start(owner, "Searching Airfoil Data");
    int listed = 0;
    for (const CString& path : files) {
        const std::string name = path.substr(std::min(folderLength, path.size()));
        // The list holds names of up to 255 characters; the combo box's
        // items stay in step with it.
        if (name.size() >= sizeof(KivParamData::name))
            continue;
        char title[256];
        GetAirfoilInfo(path.c_str(), title);
        list->addParam(name.c_str(), title);
        ++listed;
        if (progress)
            progress->show(StringFormat("%s - %s", name.c_str(), title).c_str());
    }
    if (progress)
        progress->close();
    return listed;
}
