// The libraries upper- or lower-case file names before opening them, as on a
// file system that ignores case. This resolves such a name on this one: every
// component that does not exist as written is matched against its folder
// ignoring the case of ASCII letters. "\" separates folders like "/".
#pragma once

#include "platform/CString.h"

// The existing path the name stands for. Where a component matches nothing,
// it and the rest stay as written (with "/" separators): that is where a new
// file is created.
KIVPLATFORM_EXPORT CString ResolvePathNoCase(const char* path);

// "\" turned into "/".
KIVPLATFORM_EXPORT CString NativeSeparators(const char* path);
