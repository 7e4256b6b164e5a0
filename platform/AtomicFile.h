// Writes a file so that the old one survives any failure: the bytes go to a
// uniquely named temporary file in the target's own folder, which replaces the
// target by one rename only after it is complete and flushed to disk.
#pragma once

#include "platform/KivPlatform_export.h"

#include <cstddef>
#include <string>

class KIVPLATFORM_EXPORT AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile(); // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when the folder does not take it or
    // the target exists but may not be written.
    bool open();
    bool write(const void* data, std::size_t size);
    // Flushes, keeps the target's permissions and renames over the target.
    bool commit();
    void discard();

    const std::string& target() const { return m_target; }
    const std::string& tempPath() const { return m_temp; }

    // Copies from into to through an AtomicFile; the reason in error on failure.
    static bool Copy(const std::string& from, const std::string& to, std::string* error = nullptr);

    // Test seam: every AtomicFile fails its writes once this many bytes have
    // been written in the process; a negative count turns it off.
    static void failAfterBytesForTesting(long long bytes);

private:
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_failed = false;
};
