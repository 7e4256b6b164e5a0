#include "imaging/KivLeadThumbFolder.h"

#include "platform/AtomicFile.h"
#include "platform/ByteSource.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string_view>
#include <vector>

KivLeadThumbFolder::KivLeadThumbFolder(std::string folder) : m_folder(std::move(folder))
{
}

const KivLeadThumbIndex& KivLeadThumbFolder::refresh()
{
    const std::optional<FileStamp> stamp = FileStampOf(indexPath().c_str());
    if (!stamp) {
        m_index.clear();
        m_known = false;
        return m_index;
    }
    if (m_known && stamp->device == m_device && stamp->inode == m_inode && stamp->size == m_size
        && stamp->modifiedNs == m_mtimeNs)
        return m_index;
    // The same file grown: only the new lines need reading.
    const bool grown = m_known && stamp->device == m_device && stamp->inode == m_inode && stamp->size > m_size;
    reload(!grown);
    if (m_index.wantsCompaction() && compact())
        reload(true);
    return m_index;
}

void KivLeadThumbFolder::reload(bool whole)
{
    if (whole) {
        m_index.clear();
        m_taken = 0;
    }
    m_known = false;
    const std::optional<FileStamp> before = FileStampOf(indexPath().c_str());
    ByteSource source;
    if (!before || !source.openFile(indexPath()))
        return;
    if (source.size() > kMaxIndexBytes)
        return;
    std::vector<std::uint8_t> bytes;
    if (source.size() > m_taken && !source.readRange(m_taken, source.size() - m_taken, bytes))
        return;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    m_taken += m_index.parse(text);
    // A file changed while it was read is read whole again next time.
    const std::optional<FileStamp> stamp = FileStampOf(indexPath().c_str());
    if (!stamp || !(*stamp == *before) || stamp->size != source.size()) {
        m_index.clear();
        m_taken = 0;
        return;
    }
    m_known = true;
    m_device = stamp->device;
    m_inode = stamp->inode;
    m_size = source.size();
    m_mtimeNs = stamp->modifiedNs;
}

bool KivLeadThumbFolder::append(const std::string& line)
{
    return AppendLineLocked(indexPath().c_str(), line);
}

bool KivLeadThumbFolder::compact()
{
    const auto change = [](const std::string* old) -> std::optional<std::string> {
        if (!old)
            return std::nullopt;
        // Read again under the lock: lines appended since count too.
        KivLeadThumbIndex fresh;
        fresh.parse(*old);
        if (!fresh.wantsCompaction())
            return std::nullopt;
        return fresh.compacted();
    };
    return AtomicFile::Update(indexPath(), kMaxIndexBytes, change);
}
