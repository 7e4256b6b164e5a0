// SPDX-License-Identifier: MIT
// The few file-system calls the libraries make beyond reading and writing
// files, so that no folder above this one talks to the system directly.
// Paths are bytes (UTF-8 or whatever the file system holds); nothing throws.
#pragma once

#include "platform/base/CString.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// The paths a glob pattern matches, in the system's order; folders end in
// "/" when markFolders is set. Empty when nothing matches.
KIVPLATFORM_EXPORT std::vector<CString> GlobPaths(const char* pattern, bool markFolders);

// Size of the file at path (links followed), or -1 when there is none or it
// is a folder.
KIVPLATFORM_EXPORT std::int64_t FileSizeOf(const char* path);
// Time of the last change of the file at path, if there is one.
KIVPLATFORM_EXPORT std::optional<std::time_t> FileModifiedTime(const char* path);
struct stat;

// What tells a file's versions apart: its identity, size and last change.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // since the epoch
    // The last change of the file or its inode (also a rename or a new
    // owner): what a copy that keeps an old time cannot hide.
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the regular file at path (links followed), if there is one.
KIVPLATFORM_EXPORT std::optional<FileStamp> FileStampOf(const char* path);
// The stamp of what fstat or fstatat found.
KIVPLATFORM_EXPORT FileStamp FileStampOf(const struct stat& st);

// Writes a file that is not there yet: created exclusively (mode 0666 less
// the umask; no link is followed), written and closed. Exists when something
// has the name already, which is left alone; Failed (errno set) when it
// cannot be created or written, and then nothing is left behind.
enum class WriteNewResult { Written, Exists, Failed };
KIVPLATFORM_EXPORT WriteNewResult WriteNewFile(const std::string& path, const void* data, std::size_t size);

// Something, even a dangling link, has this name.
KIVPLATFORM_EXPORT bool PathExists(const char* path);
// Creates the folder path when it is missing (its parent must exist); true
// when a folder is there afterwards (links followed).
KIVPLATFORM_EXPORT bool MakeFolder(const char* path);
// A folder is at path (links followed).
KIVPLATFORM_EXPORT bool IsFolder(const char* path);
// Makes path and every folder above it that is missing; true when a folder
// is there afterwards, else false with the reason in error.
KIVPLATFORM_EXPORT bool MakeFolders(const char* path, std::string* error = nullptr);
// What the system's access check allows this process: writing in a folder
// or file, running a program.
KIVPLATFORM_EXPORT bool MayWrite(const char* path);
KIVPLATFORM_EXPORT bool MayExecute(const char* path);
// The permission bits (0777) of what path names, links followed, if it is there.
KIVPLATFORM_EXPORT std::optional<unsigned> PermissionsOf(const char* path);
KIVPLATFORM_EXPORT bool SetPermissions(const char* path, unsigned permissions);
// Both paths name one file (device and inode), links followed.
KIVPLATFORM_EXPORT bool SameFile(const char* a, const char* b);
// The descriptor is a pipe or a socket: another program reads what is written.
KIVPLATFORM_EXPORT bool IsPipe(int descriptor);
// Bytes free for this user on the volume holding path; 0 when unknown.
KIVPLATFORM_EXPORT double DiskFreeBytes(const char* path);

// Moves a file by rename, or by an atomic copy and removal across volumes.
KIVPLATFORM_EXPORT bool MoveFileTo(const char* from, const char* to);
KIVPLATFORM_EXPORT bool RemoveFile(const char* path);
// Adds read and write for the owner, keeping the other permission bits.
KIVPLATFORM_EXPORT bool MakeOwnerReadWrite(const char* path);
