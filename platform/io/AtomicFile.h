// SPDX-License-Identifier: MIT
// Writes a file so that the old one survives any failure: the bytes go to a
// uniquely named temporary file in the target's own folder, which replaces the
// target by one rename only after it is complete and flushed to disk.
#pragma once

#include "platform/KivPlatform_export.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class ByteSource;

class KIVPLATFORM_EXPORT AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile(); // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false (errno set) when the folder does not
    // take it, or the target exists but may not be written: its mode grants
    // no write at all (refused even to root) or this user may not write it.
    // A symbolic link is followed: the file it names is replaced, the link
    // stays, and target() names that file.
    bool open();
    bool write(const void* data, std::size_t size);
    // Appends size bytes of source from offset: inside the kernel
    // (copy_file_range) where the file systems allow it, else in large
    // blocks. False when the source ends early or the write fails.
    bool copyFrom(const ByteSource& source, std::uint64_t offset, std::uint64_t size);
    // Flushes, keeps the target's permissions and renames over the target.
    bool commit();
    // Like commit, but only when no file has the target's name: false with
    // errno EEXIST when one appeared meanwhile (it is left alone).
    bool commitNew();
    void discard();

    const std::string& target() const { return m_target; }
    const std::string& tempPath() const { return m_temp; }
    // A descriptor of its own on the temporary file, for a writer that seeks
    // and reads back (libtiff); the caller closes it. -1 (errno set) before
    // open or on failure.
    int openTempForUpdate() const;

    // Copies from into to through an AtomicFile; the reason in error on failure.
    static bool Copy(const std::string& from, const std::string& to, std::string* error = nullptr);

    // Rewrites the file path names with no other writer in between: an
    // exclusive lock is held on it from reading to the rename of its new
    // version, and a file another process creates meanwhile is read, never
    // replaced. change gets the old bytes (null when there is no file) and
    // gives the new ones, or nothing to leave the file as it is. False, with
    // the reason in error, when the file exists but cannot be read (no
    // regular file, no permission, more than limit bytes) or the new version
    // cannot be written; the file is then untouched.
    static bool Update(const std::string& path, std::uint64_t limit,
        const std::function<std::optional<std::string>(const std::string* old)>& change, std::string* error = nullptr);

    // Test seam: every AtomicFile fails its writes once this many bytes have
    // been written in the process; a negative count turns it off.
    static void failAfterBytesForTesting(long long bytes);

private:
    bool finish(bool onlyNew);

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_failed = false;
};
