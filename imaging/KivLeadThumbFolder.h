// The index of one cache folder as last read from its THUMB.DB, read again
// only when the file's identity, size or time changed, and then only the
// lines appended since when it merely grew.
#pragma once

#include "imaging/KivLeadThumbIndex.h"
#include "imaging/KivLead_export.h"

#include <cstdint>
#include <string>

class KIVLEAD_EXPORT KivLeadThumbFolder {
public:
    static constexpr std::uint64_t kMaxIndexBytes = 64ULL * 1024 * 1024;

    explicit KivLeadThumbFolder(std::string folder);
    const std::string& folder() const { return m_folder; }
    std::string indexPath() const { return m_folder + "THUMB.DB"; }
    // Brings the index up to date with the file; compacts a file that is
    // mostly dead lines when the folder can be written.
    const KivLeadThumbIndex& refresh();
    // Appends line whole under an exclusive lock, after a line end if the
    // file lacks its last one; false when the index cannot be written.
    bool append(const std::string& line);
    // Rewrites the index with its live lines only, under the lock.
    bool compact();

private:
    void reload(bool whole);

    std::string m_folder;
    KivLeadThumbIndex m_index;
    bool m_known = false; // the file was there when last read
    std::uint64_t m_device = 0, m_inode = 0, m_size = 0;
    std::int64_t m_mtimeNs = 0;
    std::uint64_t m_taken = 0; // bytes parsed so far
};
