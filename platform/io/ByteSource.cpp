// SPDX-License-Identifier: MIT
#include "platform/io/ByteSource.h"

#include "platform/io/IoLog_p.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

ByteSource::~ByteSource()
{
    close();
}

ByteSource::ByteSource(ByteSource&& other) noexcept
{
    *this = std::move(other);
}

ByteSource& ByteSource::operator=(ByteSource&& other) noexcept
{
    if (this == &other)
        return *this;
    close();
    const bool ownsData = other.m_data && other.m_data == other.m_owned.data();
    m_owned = std::move(other.m_owned);
    m_data = ownsData ? m_owned.data() : other.m_data;
    m_size = other.m_size;
    m_mapping = std::exchange(other.m_mapping, nullptr);
    m_fd = std::exchange(other.m_fd, -1);
    m_error = other.m_error;
    other.m_data = nullptr;
    other.m_size = 0;
    return *this;
}

ByteSource ByteSource::fromMemory(const void* data, std::size_t size)
{
    ByteSource source;
    static const std::uint8_t empty = 0;
    source.m_data = data ? static_cast<const std::uint8_t*>(data) : &empty;
    source.m_size = data ? size : 0;
    return source;
}

ByteSource ByteSource::fromBytes(std::vector<std::uint8_t> bytes)
{
    ByteSource source;
    source.m_owned = std::move(bytes);
    static const std::uint8_t empty = 0;
    source.m_data = source.m_owned.empty() ? &empty : source.m_owned.data();
    source.m_size = source.m_owned.size();
    return source;
}

void ByteSource::close()
{
    if (m_mapping)
        ::munmap(m_mapping, static_cast<std::size_t>(m_size));
    if (m_fd >= 0)
        ::close(m_fd);
    m_mapping = nullptr;
    m_fd = -1;
    m_data = nullptr;
    m_size = 0;
    m_owned.clear();
}

Q_LOGGING_CATEGORY(lcIo, "vandrel.platform.io", QtWarningMsg)

bool ByteSource::adopt(int fd)
{
    struct stat st { };
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = !S_ISREG(st.st_mode) && st.st_mode != 0 ? kNotRegular : errno;
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(st.st_size);
    m_error = 0;
    return true;
}

bool ByteSource::openFile(const std::string& path)
{
    close();
    // Non-blocking, so that opening a FIFO returns at once; it is refused
    // as no regular file right after.
    if (adopt(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)))
        return true;
    qCDebug(lcIo, "cannot open %s: %s", path.c_str(), errorText().c_str());
    return false;
}

bool ByteSource::openAt(int folderFd, const std::string& name)
{
    close();
    return adopt(::openat(folderFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW));
}

bool ByteSource::lockExclusive()
{
    if (m_fd < 0) {
        m_error = EBADF;
        return false;
    }
    int rc;
    do
        rc = ::flock(m_fd, LOCK_EX);
    while (rc != 0 && errno == EINTR);
    struct stat held { };
    if (rc != 0 || ::fstat(m_fd, &held) != 0) {
        m_error = errno;
        return false;
    }
    m_size = static_cast<std::uint64_t>(held.st_size);
    return true;
}

bool ByteSource::openLocked(const std::string& path)
{
    for (;;) {
        if (!openFile(path))
            return false;
        int rc;
        do
            rc = ::flock(m_fd, LOCK_EX);
        while (rc != 0 && errno == EINTR);
        struct stat held {
        }, named {};
        if (rc != 0 || ::fstat(m_fd, &held) != 0) {
            m_error = errno;
            close();
            return false;
        }
        if (::stat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
            m_size = static_cast<std::uint64_t>(held.st_size); // as the previous holder left it
            return true;
        }
        close(); // renamed over while we waited: lock the new file
    }
}

bool ByteSource::openStream(std::FILE* stream)
{
    close();
    if (!stream) {
        m_error = EBADF;
        return false;
    }
    return adopt(::fcntl(::fileno(stream), F_DUPFD_CLOEXEC, 0));
}

std::string ByteSource::errorText() const
{
    if (m_error == kNotRegular)
        return "not a regular file";
    return std::strerror(m_error ? m_error : EIO);
}

bool ByteSource::readFile(std::uint64_t offset, void* out, std::size_t n) const
{
    if (m_fd < 0)
        return false;
    auto* p = static_cast<char*>(out);
    while (n > 0) {
        const ssize_t got = ::pread(m_fd, p, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false; // an error, or the file shrank under us
        p += got;
        offset += static_cast<std::uint64_t>(got);
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool ByteSource::readRange(
    std::uint64_t offset, std::uint64_t n, std::vector<std::uint8_t>& out, std::uint64_t limit) const
{
    if (offset > m_size || m_size - offset < n || n > limit || n > out.max_size())
        return false;
    out.resize(static_cast<std::size_t>(n));
    return n == 0 || read(offset, out.data(), out.size());
}

bool ByteSource::map()
{
    if (m_data)
        return true;
    if (m_fd < 0)
        return false;
    static const std::uint8_t empty = 0;
    if (m_size == 0) {
        m_data = &empty;
        return true;
    }
    if (m_size > SIZE_MAX)
        return false;
    void* p = ::mmap(nullptr, static_cast<std::size_t>(m_size), PROT_READ, MAP_PRIVATE, m_fd, 0);
    if (p == MAP_FAILED)
        return false;
    m_mapping = p;
    m_data = static_cast<const std::uint8_t*>(p);
    return true;
}

void ByteSource::release(std::uint64_t offset, std::uint64_t n) const
{
    if (!m_mapping || offset >= m_size)
        return;
    // Whole pages inside the range only: the pages at its edges may hold
    // bytes that are still wanted.
    const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const std::uint64_t end = n < m_size - offset ? offset + n : m_size;
    const std::uint64_t first = (offset + page - 1) / page * page;
    const std::uint64_t last = end == m_size ? (end + page - 1) / page * page : end / page * page;
    if (last > first)
        ::madvise(static_cast<char*>(m_mapping) + first, static_cast<std::size_t>(last - first), MADV_DONTNEED);
}
