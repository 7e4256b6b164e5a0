// SPDX-License-Identifier: MIT
// The bytes a reader parses: a regular file or a block of memory, read by
// offset. Every read is bounded by the size, so a reader learns that data is
// missing before it allocates for it. Files are opened without blocking and
// only when they are regular files: a FIFO, a device or a folder is refused.
// A file can be mapped into memory, so big tables need not be copied.
#pragma once

#include "platform/KivPlatform_export.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

class KIVPLATFORM_EXPORT ByteSource {
public:
    ByteSource() = default;
    ~ByteSource();
    ByteSource(ByteSource&& other) noexcept;
    ByteSource& operator=(ByteSource&& other) noexcept;
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    // Borrowed bytes: they must outlive the source.
    static ByteSource fromMemory(const void* data, std::size_t size);
    // Bytes the source keeps.
    static ByteSource fromBytes(std::vector<std::uint8_t> bytes);

    // Opens path for reading; false (and error() tells why) when it is not a
    // regular file that can be read.
    bool openFile(const std::string& path);
    // Opens the file name in the open folder folderFd as openFile does, but
    // never through a symbolic link (ELOOP): for files a program finds by
    // itself.
    bool openAt(int folderFd, const std::string& name);
    // Waits for an exclusive advisory lock on the open file, held until it
    // closes, and takes its size anew, as the previous holder left it.
    bool lockExclusive();
    // Opens path as openFile does and takes an exclusive advisory lock on
    // the file, waiting while another process holds it. Writers that replace
    // a file by rename hold this lock from reading it to the rename; the
    // lock is released when the source closes. A file replaced while we
    // waited is opened anew, so the lock is always on the file path names.
    bool openLocked(const std::string& path);
    // Reads the file behind an open stream, from its start, through a
    // descriptor of its own; the stream stays the caller's.
    bool openStream(std::FILE* stream);
    void close();

    bool isOpen() const { return m_data != nullptr || m_fd >= 0; }
    std::uint64_t size() const { return m_size; }
    // Why the last open failed: an errno value (ENOENT, EACCES ...) or
    // kNotRegular for a FIFO, device or folder.
    int error() const { return m_error; }
    // What error() means, for a message: the system's text, or "not a
    // regular file".
    std::string errorText() const;
    static constexpr int kNotRegular = -1;

    // n bytes at offset into out; false, reading nothing, when they are not
    // all there.
    bool read(std::uint64_t offset, void* out, std::size_t n) const
    {
        if (offset > m_size || m_size - offset < n)
            return false;
        if (m_data) {
            std::memcpy(out, m_data + offset, n);
            return true;
        }
        return readFile(offset, out, n);
    }
    // The bytes from offset to offset + n into out, refused before
    // allocating when they pass the source or limit.
    bool readRange(
        std::uint64_t offset, std::uint64_t n, std::vector<std::uint8_t>& out, std::uint64_t limit = UINT64_MAX) const;

    // The open file's descriptor, -1 for memory sources: writers copy from
    // it inside the kernel (AtomicFile::copyFrom).
    int descriptor() const { return m_fd; }

    // All bytes as one block: memory sources always, files once mapped.
    const std::uint8_t* data() const { return m_data; }
    // Maps an open file read-only so data() covers it; memory sources are
    // mapped already. False when the system refuses. A mapped file that
    // another process truncates faults on access, so only readers that
    // gain much from it (big tables) map.
    bool map();
    // Tells the system that the mapped bytes in the range are not needed
    // again soon: their pages leave resident memory and are read from the
    // file again if touched. Lets a reader stream through a big mapped file
    // in little memory. Nothing for memory sources.
    void release(std::uint64_t offset, std::uint64_t n) const;

private:
    bool readFile(std::uint64_t offset, void* out, std::size_t n) const;
    bool adopt(int fd);

    const std::uint8_t* m_data = nullptr;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_owned;
    void* m_mapping = nullptr;
    int m_fd = -1;
    int m_error = 0;
};
