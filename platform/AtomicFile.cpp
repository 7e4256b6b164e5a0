#include "platform/AtomicFile.h"

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
    // A file its owner made read-only is not replaced behind their back.
    if (::access(m_target.c_str(), F_OK) == 0 && ::access(m_target.c_str(), W_OK) != 0)
        return false;
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

bool AtomicFile::commit()
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
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        discard();
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
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
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
