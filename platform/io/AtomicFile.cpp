// SPDX-License-Identifier: MIT
#include "platform/io/AtomicFile.h"

#include "platform/io/ByteSource.h"
#include "platform/io/IoLog_p.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
long long g_writeBudget = -1;

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
// The file a chain of symbolic links ends at (it need not exist yet), so
// that the link survives a rewrite and its target gets the new bytes.
std::string followLinks(const std::string& path)
{
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::vector<char> buffer(4096);
        const ssize_t n = ::readlink(at.c_str(), buffer.data(), buffer.size() - 1);
        if (n <= 0)
            return at;
        std::string next(buffer.data(), static_cast<std::size_t>(n));
        at = next.front() == '/' ? next : folderOf(at) + next;
    }
    return at;
}
} // namespace

void AtomicFile::failAfterBytesForTesting(long long bytes)
{
    g_writeBudget = bytes;
}

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target))
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::open()
{
    discard();
    m_failed = false;
    m_target = followLinks(m_target);
    // A file its owner made read-only is not replaced behind their back,
    // not even by root, whom access() would let write anything.
    struct stat st { };
    if (::stat(m_target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            // The reason callers print: a folder says so; a pipe, socket or
            // device is "no such device or address" for a file to replace.
            errno = S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
            return false;
        }
        if ((st.st_mode & 0222) == 0 || ::access(m_target.c_str(), W_OK) != 0) {
            errno = EACCES;
            return false;
        }
    }
    // Hidden, and named after the target so a leftover tells what it was.
    std::string pattern = folderOf(m_target) + "." + nameOf(m_target) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    m_fd = ::mkstemp(buffer.data());
    if (m_fd < 0)
        return false;
    m_temp = buffer.data();
    return true;
}

int AtomicFile::openTempForUpdate() const
{
    if (m_fd < 0) {
        errno = EBADF;
        return -1;
    }
    return ::open(m_temp.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
}

bool AtomicFile::write(const void* data, std::size_t size)
{
    if (m_fd < 0 || m_failed)
        return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        std::size_t chunk = size;
        if (g_writeBudget >= 0) {
            if (g_writeBudget == 0) {
                m_failed = true;
                errno = ENOSPC;
                return false;
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(g_writeBudget));
        }
        const ssize_t n = ::write(m_fd, p, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            return false;
        }
        if (g_writeBudget >= 0)
            g_writeBudget -= n;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::copyFrom(const ByteSource& source, std::uint64_t offset, std::uint64_t size)
{
    if (m_fd < 0 || m_failed)
        return false;
    if (offset > source.size() || source.size() - offset < size) {
        m_failed = true;
        return false;
    }
    if (source.data())
        return write(source.data() + offset, static_cast<std::size_t>(size));
    // The write budget of the tests counts bytes through write(), so the
    // kernel copy stays out of its way.
    bool kernel = source.descriptor() >= 0 && g_writeBudget < 0;
    // Big copies go in slices, each handed to writeback as soon as it is
    // written: the disk works while the next slice is copied, and the flush
    // before the rename has little left to wait for.
    constexpr std::uint64_t kSlice = 4 << 20;
    while (kernel && size > 0) {
        loff_t from = static_cast<loff_t>(offset);
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, kSlice));
        const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
        const ssize_t n = ::copy_file_range(source.descriptor(), &from, m_fd, nullptr, want, 0);
        if (n > 0 && at >= 0 && static_cast<std::uint64_t>(n) == kSlice)
            ::sync_file_range(m_fd, at, n, SYNC_FILE_RANGE_WRITE);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP)) {
            kernel = false; // this pair of files does not take it: copy by hand
            break;
        }
        if (n <= 0) {
            m_failed = true; // an error, or the file shrank under us
            return false;
        }
        offset += static_cast<std::uint64_t>(n);
        size -= static_cast<std::uint64_t>(n);
    }
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kBlock)));
    while (size > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, kBlock));
        if (!source.read(offset, buffer.data(), n)) {
            m_failed = true;
            return false;
        }
        if (!write(buffer.data(), n))
            return false;
        offset += n;
        size -= n;
    }
    return true;
}

bool AtomicFile::commit()
{
    return finish(false);
}

bool AtomicFile::commitNew()
{
    return finish(true);
}

bool AtomicFile::finish(bool onlyNew)
{
    if (m_fd < 0 || m_failed) {
        discard();
        return false;
    }
    struct stat old { };
    const bool replacing = ::stat(m_target.c_str(), &old) == 0;
    if (replacing)
        ::fchmod(m_fd, old.st_mode & 07777);
    else {
        // A new file gets the usual permissions, not mkstemp's 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    // Only a file that replaces another must be on disk before the rename:
    // a new file puts nothing at risk, and skipping the flush keeps writing
    // thousands of them (a library exploded) fast.
    if ((replacing && ::fsync(m_fd) != 0) || ::close(m_fd) != 0) {
        m_fd = -1;
        discard();
        return false;
    }
    m_fd = -1;
    const int rc = onlyNew ? ::renameat2(AT_FDCWD, m_temp.c_str(), AT_FDCWD, m_target.c_str(), RENAME_NOREPLACE)
                           : ::rename(m_temp.c_str(), m_target.c_str());
    if (rc != 0) {
        const int error = errno;
        qCDebug(lcIo, "cannot replace %s: %s", m_target.c_str(), std::strerror(error));
        discard();
        errno = error;
        return false;
    }
    m_temp.clear();
    return true;
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

bool AtomicFile::Copy(const std::string& from, const std::string& to, std::string* error)
{
    const auto fail = [error](const char* why) {
        if (error)
            *error = why;
        return false;
    };
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return fail(std::strerror(errno));
    struct stat st { };
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return fail("not a file");
    }
    AtomicFile out(to);
    if (!out.open()) {
        const int e = errno;
        ::close(in);
        return fail(std::strerror(e));
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!out.write(buffer, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    if (!ok || !out.commit())
        return fail(std::strerror(errno ? errno : EIO));
    return true;
}

bool AtomicFile::Update(const std::string& path, std::uint64_t limit,
    const std::function<std::optional<std::string>(const std::string* old)>& change, std::string* error)
{
    const auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    const std::string target = followLinks(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        struct stat st { };
        if (::lstat(target.c_str(), &st) != 0 && errno == ENOENT) {
            const std::optional<std::string> text = change(nullptr);
            if (!text)
                return true;
            AtomicFile out(target);
            if (out.open() && out.write(text->data(), text->size()) && out.commitNew())
                return true;
            if (errno == EEXIST)
                continue; // created meanwhile: read it
            return fail(std::strerror(errno));
        }
        ByteSource source;
        if (!source.openLocked(target))
            return fail(source.errorText());
        std::vector<std::uint8_t> bytes;
        if (source.size() > limit)
            return fail("larger than " + std::to_string(limit) + " bytes");
        if (!source.readRange(0, source.size(), bytes))
            return fail(std::strerror(errno ? errno : EIO));
        const std::string old(bytes.begin(), bytes.end());
        const std::optional<std::string> text = change(&old);
        if (!text)
            return true;
        AtomicFile out(target);
        if (!out.open() || !out.write(text->data(), text->size()) || !out.commit())
            return fail(std::strerror(errno ? errno : EIO));
        return true;
    }
    return fail("the file keeps changing");
}
