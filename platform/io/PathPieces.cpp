// SPDX-License-Identifier: MIT
#include "platform/io/PathPieces.h"

#include <string>

PathPieces SplitPath(const char* path)
{
    PathPieces p;
    std::string s = path ? path : "";
    if (s.size() >= 2 && s[1] == ':' && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'))) {
        p.drive = s.substr(0, 2);
        s.erase(0, 2);
    }
    const auto sep = s.find_last_of("/\\");
    if (sep != std::string::npos) {
        p.dir = s.substr(0, sep + 1);
        s.erase(0, sep + 1);
    }
    const auto dot = s.find_last_of('.');
    if (dot != std::string::npos) {
        p.ext = s.substr(dot);
        s.erase(dot);
    }
    p.title = s;
    return p;
}

CString FolderOfPath(const char* path)
{
    const PathPieces p = SplitPath(path);
    return p.drive + p.dir;
}
