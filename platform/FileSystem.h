// The few file-system calls the libraries make beyond reading and writing
// files, so that no folder above this one talks to the system directly.
// Paths are bytes (UTF-8 or whatever the file system holds); nothing throws.
#pragma once

#include "platform/CString.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

// The paths a glob pattern matches, in the system's order; folders end in
// "/" when markFolders is set. Empty when nothing matches.
KIVPLATFORM_EXPORT std::vector<CString> GlobPaths(const char* pattern, bool markFolders);

// Size of the file at path (links followed), or -1 when there is none or it
// is a folder.
KIVPLATFORM_EXPORT std::int64_t FileSizeOf(const char* path);
// Time of the last change of the file at path, if there is one.
KIVPLATFORM_EXPORT std::optional<std::time_t> FileModifiedTime(const char* path);
// Something, even a dangling link, has this name.
KIVPLATFORM_EXPORT bool PathExists(const char* path);
// Bytes free for this user on the volume holding path; 0 when unknown.
KIVPLATFORM_EXPORT double DiskFreeBytes(const char* path);

// Moves a file by rename, or by an atomic copy and removal across volumes.
KIVPLATFORM_EXPORT bool MoveFileTo(const char* from, const char* to);
KIVPLATFORM_EXPORT bool RemoveFile(const char* path);
// Adds read and write for the owner, keeping the other permission bits.
KIVPLATFORM_EXPORT bool MakeOwnerReadWrite(const char* path);
