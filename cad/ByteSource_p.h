// Read-only byte sources for the readers of this folder: a file read with
// pread, or bytes in memory. Every read is bounded by the source's size.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace cadio {

class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t size() const = 0;
    virtual bool read(std::uint64_t offset, void* out, std::size_t n) const = 0;
};

class MemorySource final : public Source {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) { }
    std::uint64_t size() const override { return m_size; }
    bool read(std::uint64_t offset, void* out, std::size_t n) const override
    {
        if (offset > m_size || m_size - offset < n)
            return false;
        std::memcpy(out, m_data + offset, n);
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

class FileSource final : public Source {
public:
    explicit FileSource(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        struct stat st { };
        if (m_fd >= 0 && (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
        m_size = m_fd >= 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    }
    ~FileSource() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    std::uint64_t size() const override { return m_size; }
    bool read(std::uint64_t offset, void* out, std::size_t n) const override
    {
        auto* p = static_cast<char*>(out);
        while (n > 0) {
            const ssize_t got = ::pread(m_fd, p, n, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            p += got;
            offset += static_cast<std::uint64_t>(got);
            n -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int m_fd;
    std::uint64_t m_size = 0;
};

} // namespace cadio
