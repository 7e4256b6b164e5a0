#include "platform/FileSystem.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <glob.h>
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

bool PathExists(const char* path)
{
    struct stat st { };
    return path && ::lstat(path, &st) == 0;
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
