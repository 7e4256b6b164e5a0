// SPDX-License-Identifier: MIT
#include "imaging/thumbcache/KivLeadThumbFolder.h"

#include "platform/io/ByteSource.h"

#include <optional>
#include <string_view>
#include <vector>

namespace {

// Parses source from offset into index, a block at a time when the file is
// not mapped, releasing mapped pages behind it: memory follows the live
// lines, not the file. The bytes taken from offset.
std::uint64_t parseSource(const ByteSource& source, std::uint64_t offset, KivLeadThumbIndex& index)
{
    if (offset >= source.size())
        return 0;
    if (source.data()) {
        const std::string_view text(
            reinterpret_cast<const char*>(source.data() + offset), static_cast<std::size_t>(source.size() - offset));
        const std::uint64_t taken = index.parse(text);
        source.release(offset, source.size() - offset);
        return taken;
    }
    constexpr std::uint64_t kBlock = 1 << 20;
    std::vector<std::uint8_t> block;
    std::string carry;
    std::uint64_t at = offset, taken = 0;
    while (at < source.size()) {
        if (!source.readRange(at, std::min(kBlock, source.size() - at), block))
            break;
        at += block.size();
        carry.append(block.begin(), block.end());
        const std::size_t used = index.parse(carry);
        taken += used;
        carry.erase(0, used);
        // A line longer than a block is dead anyway: drop what holds no end.
        if (carry.size() > kBlock) {
            taken += carry.size();
            carry.clear();
        }
    }
    return taken;
}

std::uint64_t g_maxIndexBytes = KivLeadThumbFolder::kMaxIndexBytes;

bool isThumbFile(const std::string& file)
{
    return file.size() == 20 && file.compare(16, 4, ".jpg") == 0 && KivLeadThumbIndex::isThumbName(file.substr(0, 16));
}

} // namespace

std::uint64_t KivLeadThumbFolder::maxIndexBytes()
{
    return g_maxIndexBytes;
}

void KivLeadThumbFolder::setMaxIndexBytesForTesting(std::uint64_t bytes)
{
    g_maxIndexBytes = bytes;
}

KivLeadThumbFolder::KivLeadThumbFolder(std::string folder, bool readOnly)
    : m_folder(std::move(folder)), m_readOnly(readOnly)
{
    if (!m_dir.open(m_folder, true))
        m_note = "cannot open the cache folder " + m_folder + ": " + m_dir.error();
}

bool KivLeadThumbFolder::indexUsable() const
{
    return m_dir.isOpen() && m_dir.check(kIndexName) != CacheFolder::Entry::Refused;
}

const KivLeadThumbIndex& KivLeadThumbFolder::refresh()
{
    FileStamp stamp;
    const CacheFolder::Entry entry = m_dir.check(kIndexName, &stamp);
    m_refused = entry == CacheFolder::Entry::Refused && m_dir.isOpen();
    if (entry != CacheFolder::Entry::File) {
        if (m_refused)
            m_note = m_folder + kIndexName + ": " + m_dir.error();
        m_index.clear();
        m_known = false;
        return m_index;
    }
    if (m_known && stamp.device == m_stamp.device && stamp.inode == m_stamp.inode && stamp.size == m_stamp.size
        && stamp.modifiedNs == m_stamp.modifiedNs)
        return m_index;
    // The same file grown: only the new lines need reading.
    const bool grown
        = m_known && stamp.device == m_stamp.device && stamp.inode == m_stamp.inode && stamp.size > m_stamp.size;
    reload(!grown);
    if (m_known && (m_stamp.size > maxIndexBytes() || m_index.wantsCompaction())) {
        if (m_readOnly) {
            if (m_stamp.size > maxIndexBytes())
                m_note = m_folder + kIndexName + " holds more than " + std::to_string(maxIndexBytes())
                    + " bytes: the next run that makes thumbnails compacts it or sets it aside";
        } else if (compact()) {
            reload(true);
        }
    }
    return m_index;
}

void KivLeadThumbFolder::reload(bool whole)
{
    if (whole) {
        m_index.clear();
        m_taken = 0;
    }
    m_known = false;
    FileStamp before, after;
    ByteSource source;
    if (m_dir.check(kIndexName, &before) != CacheFolder::Entry::File || !m_dir.read(kIndexName, source))
        return;
    if (source.size() > kMaxReadBytes) {
        if (m_readOnly)
            m_note = m_folder + kIndexName + " is too large to be read";
        else
            setAside();
        return;
    }
    source.map();
    m_taken += parseSource(source, m_taken, m_index);
    // A file changed while it was read is read whole again next time.
    if (m_dir.check(kIndexName, &after) != CacheFolder::Entry::File || !(after == before)
        || after.size != source.size()) {
        m_index.clear();
        m_taken = 0;
        return;
    }
    m_known = true;
    m_stamp = after;
}

void KivLeadThumbFolder::setAside()
{
    if (m_dir.rename(kIndexName, kAsideName))
        m_note = m_folder + kIndexName + " held more than " + std::to_string(maxIndexBytes())
            + " bytes of live lines: set aside as " + kAsideName + ", a new index is begun";
    else
        m_note = m_folder + kIndexName + " is too large and cannot be set aside: " + m_dir.error();
    m_index.clear();
    m_taken = 0;
    m_known = false;
}

bool KivLeadThumbFolder::append(const std::string& line)
{
    if (m_readOnly || m_refused || (m_known && m_stamp.size + line.size() > maxIndexBytes()))
        return false;
    if (m_dir.appendLine(kIndexName, line))
        return true;
    m_note = m_folder + kIndexName + ": " + m_dir.error();
    return false;
}

bool KivLeadThumbFolder::compact()
{
    if (m_readOnly)
        return false;
    bool aside = false;
    const std::uint64_t cap = maxIndexBytes();
    const bool done = m_dir.update(kIndexName, [&](ByteSource* old) -> std::optional<std::string> {
        if (!old || old->size() > kMaxReadBytes)
            return std::nullopt;
        // Read again under the lock, as lines appended since count too. The
        // index in memory is this very file up to m_taken when nothing
        // replaced it: only the rest is read, not the whole file again.
        old->map();
        KivLeadThumbIndex fresh;
        KivLeadThumbIndex* index = &fresh;
        FileStamp locked;
        if (m_known && m_dir.check(kIndexName, &locked) == CacheFolder::Entry::File && locked.device == m_stamp.device
            && locked.inode == m_stamp.inode && old->size() >= m_taken) {
            m_taken += parseSource(*old, m_taken, m_index);
            index = &m_index;
        } else {
            parseSource(*old, 0, fresh);
        }
        if (old->size() <= cap && !index->wantsCompaction())
            return std::nullopt;
        if (index->liveBytes() > cap) {
            aside = true;
            return std::nullopt;
        }
        return index->compacted();
    });
    if (aside)
        setAside();
    return done && !aside;
}

CacheFolder::Entry KivLeadThumbFolder::thumb(const std::string& name, FileStamp* stamp) const
{
    return m_dir.check(name + ".jpg", stamp);
}

WriteNewResult KivLeadThumbFolder::writeThumb(
    const std::string& name, const std::string& bytes, std::int64_t sourceChangedNs)
{
    return m_dir.writeNew(name + ".jpg", bytes.data(), bytes.size(), &sourceChangedNs);
}

bool KivLeadThumbFolder::removeThumb(const std::string& name)
{
    // A forged line may name another source's thumbnail: that stays.
    if (m_index.references(name) > 1)
        return false;
    return m_dir.remove(name + ".jpg");
}

std::vector<std::string> KivLeadThumbFolder::unreferenced(std::int64_t beforeNs)
{
    refresh();
    std::vector<std::string> files;
    if (m_refused || !m_known)
        return files; // without an index every thumbnail would look unused
    for (const std::string& file : m_dir.files()) {
        const std::string_view name = std::string_view(file).substr(0, 16);
        FileStamp stamp;
        // A thumbnail's modification time is its source's; when it came is
        // its inode change time.
        if (isThumbFile(file) && m_index.retired(name) && m_index.references(name) == 0
            && m_dir.check(file, &stamp) == CacheFolder::Entry::File && stamp.changedNs < beforeNs)
            files.push_back(file);
    }
    return files;
}

int KivLeadThumbFolder::sweep(std::int64_t beforeNs)
{
    int removed = 0;
    for (const std::string& file : unreferenced(beforeNs))
        removed += m_dir.remove(file) ? 1 : 0;
    return removed;
}
