// SPDX-License-Identifier: MIT
// A path's pieces as the C library's _splitpath gives them: an optional "X:"
// drive, the folder up to its last separator ("/" or "\"), the title up to
// the last dot of the name, and the extension from that dot.
#pragma once

#include "platform/KivPlatform_export.h"
#include "platform/base/CString.h"

struct PathPieces {
    CString drive, dir, title, ext;
};

KIVPLATFORM_EXPORT PathPieces SplitPath(const char* path);
// The drive and folder of path, up to its last separator ("C:\\dir\\" of
// "C:\\dir\\a.sld"); empty for a bare name.
KIVPLATFORM_EXPORT CString FolderOfPath(const char* path);
