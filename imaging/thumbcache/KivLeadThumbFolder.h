// SPDX-License-Identifier: MIT
// One thumbnail cache folder: its index THUMB.DB as last read, read again
// only when the file's identity, size or time changed, and then only the
// lines appended since when it merely grew; and its thumbnail files. The
// folder may be a link (whoever set the cache named it), but everything in
// it is reached relative to the opened folder and never through a link: an
// index or thumbnail that is a link, or a file with other names, is refused
// and left as it is.
#pragma once

#include "imaging/KivLeadKit_export.h"
#include "imaging/thumbcache/KivLeadThumbIndex.h"
#include "platform/io/CacheFolder.h"

#include <cstdint>
#include <string>
#include <vector>

class KIVLEADKIT_EXPORT KivLeadThumbFolder {
public:
    // An index past this is compacted to its live lines, or set aside when
    // they alone pass it; it is never appended to.
    static constexpr std::uint64_t kMaxIndexBytes = 64ULL * 1024 * 1024;
    // The cap in force: kMaxIndexBytes, unless a test lowered it.
    static std::uint64_t maxIndexBytes();
    static void setMaxIndexBytesForTesting(std::uint64_t bytes);
    // An index past this is set aside unread.
    static constexpr std::uint64_t kMaxReadBytes = 1024ULL * 1024 * 1024;
    static constexpr const char* kIndexName = "THUMB.DB";
    static constexpr const char* kAsideName = "THUMB.DB.old";

    // folder ends in a separator. A read-only folder changes nothing: it
    // neither compacts nor sets aside its index, nor appends to it.
    explicit KivLeadThumbFolder(std::string folder, bool readOnly = false);
    const std::string& folder() const { return m_folder; }
    bool isOpen() const { return m_dir.isOpen(); }
    // What went wrong last, or what had to be done to the index (it was
    // refused, set aside); empty when nothing.
    const std::string& note() const { return m_note; }
    // Whether the index can be used: it is missing or a file of its own.
    bool indexUsable() const;

    // Brings the index up to date with the file; compacts a file that is
    // mostly dead lines, or too large, when the folder can be written.
    const KivLeadThumbIndex& refresh();
    // Appends line whole under an exclusive lock, after a line end if the
    // file lacks its last one; false when the index cannot be written or is
    // past its cap.
    bool append(const std::string& line);
    // Rewrites the index with its live lines only, under the lock.
    bool compact();

    // The thumbnail name (16 hex digits) as a file: its stamp when it is one
    // the cache may use.
    CacheFolder::Entry thumb(const std::string& name, FileStamp* stamp = nullptr) const;
    // Writes a new thumbnail whose modification time is sourceChangedNs,
    // the inode change time of the source it was made of.
    WriteNewResult writeThumb(const std::string& name, const std::string& bytes, std::int64_t sourceChangedNs);
    // Removes the thumbnail, unless more than one live line names it (a
    // forged line naming another source's).
    bool removeThumb(const std::string& name);
    // The thumbnail files a line of the index once named but no live line
    // names, made before beforeNs (since the epoch): left by a writer that
    // lost a race. A file no line ever named may be anybody's, and a younger
    // one another program's, about to be indexed: both stay.
    std::vector<std::string> unreferenced(std::int64_t beforeNs);
    // Removes those files; the number removed.
    int sweep(std::int64_t beforeNs);

private:
    void reload(bool whole);
    void setAside();

    std::string m_folder;
    bool m_readOnly;
    CacheFolder m_dir;
    KivLeadThumbIndex m_index;
    std::string m_note;
    bool m_known = false; // the file was there when last read
    bool m_refused = false; // the index is no file of its own
    FileStamp m_stamp; // of the file as last read
    std::uint64_t m_taken = 0; // bytes parsed so far
};
