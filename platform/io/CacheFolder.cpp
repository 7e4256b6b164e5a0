// SPDX-License-Identifier: MIT
#include "platform/io/CacheFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRefusedEntry = -2; // a link, no regular file, or several names

bool usable(const struct stat& st)
{
    return S_ISREG(st.st_mode) && st.st_nlink == 1;
}

// Waits for an exclusive lock on fd.
bool lock(int fd)
{
    int rc;
    do
        rc = ::flock(fd, LOCK_EX);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

CacheFolder::~CacheFolder()
{
    close();
}

void CacheFolder::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool CacheFolder::fail(int error) const
{
    m_error = error == kRefusedEntry ? "a symbolic link, no regular file, or a file with other names: refused"
                                     : std::strerror(error);
    return false;
}

bool CacheFolder::open(const std::string& folder, bool followLink)
{
    close();
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    m_fd = ::open(folder.empty() ? "." : folder.c_str(), flags);
    if (m_fd >= 0)
        return true;
    // O_NOFOLLOW on a link gives ELOOP; O_DIRECTORY on a file ENOTDIR.
    if (errno == ELOOP && !followLink) {
        m_error = "a symbolic link: refused";
        return false;
    }
    return fail(errno);
}

CacheFolder::Entry CacheFolder::check(const std::string& name, FileStamp* stamp) const
{
    struct stat st { };
    if (m_fd < 0 || ::fstatat(m_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        const int error = m_fd < 0 ? EBADF : errno;
        fail(error);
        return error == ENOENT ? Entry::Missing : Entry::Refused;
    }
    if (!usable(st)) {
        fail(kRefusedEntry);
        return Entry::Refused;
    }
    if (stamp)
        *stamp = FileStampOf(st);
    return Entry::File;
}

bool CacheFolder::read(const std::string& name, ByteSource& source) const
{
    if (m_fd < 0)
        return fail(EBADF);
    if (!source.openAt(m_fd, name))
        return source.error() == ELOOP || source.error() == ByteSource::kNotRegular ? fail(kRefusedEntry)
                                                                                    : fail(source.error());
    struct stat st { };
    if (::fstat(source.descriptor(), &st) != 0 || !usable(st)) {
        source.close();
        return fail(kRefusedEntry);
    }
    return true;
}

bool CacheFolder::appendLine(const std::string& name, const std::string& line)
{
    if (m_fd < 0)
        return fail(EBADF);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::openat(
            m_fd, name.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW, 0666);
        if (fd < 0)
            return fail(errno == ELOOP ? kRefusedEntry : errno);
        struct stat held {
        }, named {};
        if (!lock(fd) || ::fstat(fd, &held) != 0 || !usable(held)) {
            const int error = errno;
            ::close(fd);
            return fail(usable(held) ? error : kRefusedEntry);
        }
        if (::fstatat(m_fd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_dev != held.st_dev
            || named.st_ino != held.st_ino) {
            ::close(fd); // replaced while we waited: append to the new file
            continue;
        }
        std::string text;
        char last = '\n';
        if (held.st_size > 0 && ::pread(fd, &last, 1, held.st_size - 1) != 1)
            last = '\n';
        if (last != '\n')
            text += '\n';
        text += line;
        const bool written = writeAll(fd, text.data(), text.size());
        const int error = errno;
        ::close(fd); // releases the lock
        return written || fail(error);
    }
    return fail(EAGAIN);
}

int CacheFolder::createTemporary(const std::string& name, std::string& temporary) const
{
    static thread_local std::mt19937_64 random(std::random_device {}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[20];
        std::snprintf(suffix, sizeof suffix, ".%012llx", static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        temporary = "." + name + suffix;
        const int fd = ::openat(m_fd, temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

WriteNewResult CacheFolder::writeNew(
    const std::string& name, const void* data, std::size_t size, const std::int64_t* modifiedNs)
{
    if (m_fd < 0) {
        fail(EBADF);
        return WriteNewResult::Failed;
    }
    std::string temporary;
    const int fd = createTemporary(name, temporary);
    if (fd < 0) {
        fail(errno);
        return WriteNewResult::Failed;
    }
    bool ok = writeAll(fd, data, size);
    if (ok && modifiedNs) {
        const timespec times[2] = {{0, UTIME_OMIT}, {*modifiedNs / 1000000000, *modifiedNs % 1000000000}};
        ok = ::futimens(fd, times) == 0;
    }
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::renameat2(m_fd, temporary.c_str(), m_fd, name.c_str(), RENAME_NOREPLACE) == 0)
        return WriteNewResult::Written;
    if (ok)
        error = errno;
    ::unlinkat(m_fd, temporary.c_str(), 0);
    fail(error);
    return error == EEXIST ? WriteNewResult::Exists : WriteNewResult::Failed;
}

bool CacheFolder::update(
    const std::string& name, const std::function<std::optional<std::string>(ByteSource* old)>& change)
{
    if (m_fd < 0)
        return fail(EBADF);
    for (int attempt = 0; attempt < 100; ++attempt) {
        ByteSource held;
        if (!held.openAt(m_fd, name)) {
            if (held.error() != ENOENT)
                return fail(
                    held.error() == ELOOP || held.error() == ByteSource::kNotRegular ? kRefusedEntry : held.error());
            const std::optional<std::string> text = change(nullptr);
            if (!text)
                return true;
            const WriteNewResult made = writeNew(name, text->data(), text->size());
            if (made == WriteNewResult::Exists)
                continue; // made meanwhile: read it
            return made == WriteNewResult::Written;
        }
        struct stat st {
        }, named {};
        if (!held.lockExclusive() || ::fstat(held.descriptor(), &st) != 0)
            return fail(errno);
        if (!usable(st))
            return fail(kRefusedEntry);
        if (::fstatat(m_fd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_ino != st.st_ino
            || named.st_dev != st.st_dev)
            continue; // replaced while we waited
        const std::optional<std::string> text = change(&held);
        if (!text)
            return true;
        std::string temporary;
        const int fd = createTemporary(name, temporary);
        if (fd < 0)
            return fail(errno);
        bool ok = writeAll(fd, text->data(), text->size()) && ::fchmod(fd, st.st_mode & 07777) == 0 && ::fsync(fd) == 0;
        int error = errno;
        if (::close(fd) != 0 && ok) {
            ok = false;
            error = errno;
        }
        // The rename happens while the old file is still locked, so that a
        // writer waiting for the lock finds the new file after it.
        if (ok && ::renameat(m_fd, temporary.c_str(), m_fd, name.c_str()) == 0)
            return true;
        if (ok)
            error = errno;
        ::unlinkat(m_fd, temporary.c_str(), 0);
        return fail(error);
    }
    return fail(EAGAIN);
}

bool CacheFolder::rename(const std::string& from, const std::string& to)
{
    if (m_fd < 0)
        return fail(EBADF);
    return ::renameat(m_fd, from.c_str(), m_fd, to.c_str()) == 0 || fail(errno);
}

bool CacheFolder::remove(const std::string& name)
{
    if (m_fd < 0)
        return fail(EBADF);
    return ::unlinkat(m_fd, name.c_str(), 0) == 0 || fail(errno);
}

std::vector<std::string> CacheFolder::files() const
{
    std::vector<std::string> names;
    const int fd = m_fd < 0 ? -1 : ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st { };
        const bool file = entry->d_type == DT_REG
            || (entry->d_type == DT_UNKNOWN && ::fstatat(m_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
                && S_ISREG(st.st_mode));
        if (file)
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}
