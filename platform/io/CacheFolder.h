// SPDX-License-Identifier: MIT
// A folder whose files a program finds and manages by itself, such as a
// thumbnail cache and its index. The folder is opened once and every file in
// it is reached by name relative to that open folder, never through a
// symbolic link: in a folder someone else may write, a link named like the
// index would otherwise make the program append to, or replace, a file of
// whoever runs it. An entry that is a link, no regular file, or a file with
// more than one name (a hard link to a file elsewhere) is refused and left as
// it is. Names are single path components. Nothing throws; a failure gives
// false and error() says why.
#pragma once

#include "platform/io/ByteSource.h"
#include "platform/io/FileSystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class KIVPLATFORM_EXPORT CacheFolder {
public:
    enum class Entry {
        Missing, // nothing has the name
        File, // a regular file of one name: the folder's to use
        Refused, // a link, a folder, a device, or a file of several names
    };

    CacheFolder() = default;
    ~CacheFolder();
    CacheFolder(const CacheFolder&) = delete;
    CacheFolder& operator=(const CacheFolder&) = delete;

    // Opens folder. With followLink false, a folder that is itself a
    // symbolic link is refused: for a folder the program chose, not one the
    // user named.
    bool open(const std::string& folder, bool followLink);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // Why the last call failed, for a message.
    const std::string& error() const { return m_error; }

    // What has the name; for a file, its stamp into stamp.
    Entry check(const std::string& name, FileStamp* stamp = nullptr) const;
    // Opens the file for reading; false when it is missing or refused.
    bool read(const std::string& name, ByteSource& source) const;
    // Appends line in one write under an exclusive lock on the file, which
    // is created when missing, after a line end if the file lacks its last.
    bool appendLine(const std::string& name, const std::string& line);
    // Rewrites the file with no other writer in between, as
    // AtomicFile::Update does: change gets the old file, open and locked
    // until the new one has its name (null when there is none), and gives
    // the new bytes, or nothing to leave the file as it is.
    bool update(const std::string& name, const std::function<std::optional<std::string>(ByteSource* old)>& change);
    // Writes a file under a name that nothing has yet; it appears whole, by
    // a rename, with the modification time modifiedNs when given (a cache
    // may record what it was made from there). Exists when something has
    // the name already.
    WriteNewResult writeNew(
        const std::string& name, const void* data, std::size_t size, const std::int64_t* modifiedNs = nullptr);
    // Moves the file from one name to another inside the folder, replacing
    // what has the new name.
    bool rename(const std::string& from, const std::string& to);
    // Removes the entry itself (a link, not what it points to).
    bool remove(const std::string& name);
    // The names of the folder's regular files, in the folder's order.
    std::vector<std::string> files() const;

private:
    // A descriptor of a new file under a hidden temporary name.
    int createTemporary(const std::string& name, std::string& temporary) const;
    bool fail(int error) const;

    int m_fd = -1;
    mutable std::string m_error;
};
