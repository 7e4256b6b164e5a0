// SPDX-License-Identifier: MIT
#include "platform/io/FileSystem.h"

#include "platform/io/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <glob.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

std::vector<CString> GlobPaths(const char* pattern, bool markFolders)
{
    std::vector<CString> paths;
    if (!pattern || !*pattern)
        return paths;
    glob_t found {};
    if (::glob(pattern, markFolders ? GLOB_MARK : 0, nullptr, &found) == 0)
        paths.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
    ::globfree(&found);
    return paths;
}

std::int64_t FileSizeOf(const char* path)
{
    struct stat st { };
    if (!path || ::stat(path, &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::time_t> FileModifiedTime(const char* path)
{
    struct stat st { };
    if (!path || ::stat(path, &st) != 0)
        return std::nullopt;
    return st.st_mtime;
}

std::optional<FileStamp> FileStampOf(const char* path)
{
    struct stat st { };
    if (!path || ::stat(path, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStampOf(st);
}

FileStamp FileStampOf(const struct stat& st)
{
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}

WriteNewResult WriteNewFile(const std::string& path, const void* data, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EEXIST ? WriteNewResult::Exists : WriteNewResult::Failed;
    const char* p = static_cast<const char*>(data);
    bool ok = true;
    while (ok && size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok) {
            p += n;
            size -= static_cast<std::size_t>(n);
        }
    }
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        return WriteNewResult::Written;
    const int error = errno;
    ::unlink(path.c_str());
    errno = error;
    return WriteNewResult::Failed;
}

bool PathExists(const char* path)
{
    struct stat st { };
    return path && ::lstat(path, &st) == 0;
}

bool MakeFolder(const char* path)
{
    if (!path || !*path)
        return false;
    ::mkdir(path, 0777);
    struct stat st { };
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFolder(const char* path)
{
    struct stat st { };
    return path && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolders(const char* path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!path || !*path)
        return fail("no folder named");
    const std::string full = path;
    // Each level from the top: a level that is a file, or cannot be made,
    // stops the walk with its own reason.
    for (std::size_t end = full.find('/', 1);; end = full.find('/', end + 1)) {
        const std::string level = full.substr(0, end);
        if (!level.empty() && level.back() != '/' && !IsFolder(level.c_str())) {
            if (::mkdir(level.c_str(), 0777) != 0 && errno != EEXIST)
                return fail(std::strerror(errno));
            if (!IsFolder(level.c_str()))
                return fail(level + " is not a folder");
        }
        if (end == std::string::npos)
            return true;
    }
}

bool MayWrite(const char* path)
{
    return path && ::access(path, W_OK) == 0;
}

bool MayExecute(const char* path)
{
    struct stat st { };
    return path && ::stat(path, &st) == 0 && !S_ISDIR(st.st_mode) && ::access(path, X_OK) == 0;
}

std::optional<unsigned> PermissionsOf(const char* path)
{
    struct stat st { };
    if (!path || ::stat(path, &st) != 0)
        return std::nullopt;
    return static_cast<unsigned>(st.st_mode & 0777);
}

bool SetPermissions(const char* path, unsigned permissions)
{
    return path && ::chmod(path, permissions & 0777) == 0;
}

bool SameFile(const char* a, const char* b)
{
    struct stat first {
    }, second {};
    return a && b && ::stat(a, &first) == 0 && ::stat(b, &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

bool IsPipe(int descriptor)
{
    struct stat st { };
    return ::fstat(descriptor, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode));
}

double DiskFreeBytes(const char* path)
{
    struct statvfs vfs { };
    if (!path || ::statvfs(path, &vfs) != 0)
        return 0.0;
    return static_cast<double>(vfs.f_frsize) * static_cast<double>(vfs.f_bavail);
}

bool MoveFileTo(const char* from, const char* to)
{
    if (!from || !to)
        return false;
    if (::rename(from, to) == 0)
        return true;
    return errno == EXDEV && AtomicFile::Copy(from, to) && ::unlink(from) == 0;
}

bool RemoveFile(const char* path)
{
    return path && ::unlink(path) == 0;
}

bool MakeOwnerReadWrite(const char* path)
{
    struct stat st { };
    return path && ::stat(path, &st) == 0 && ::chmod(path, (st.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
}
