// SPDX-License-Identifier: MIT
#include "imaging/thumbcache/KivLeadThumbMgr.h"

#include "imaging/thumbcache/KivLeadThumbFolder.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "platform/base/COleDateTime.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/io/PathPieces.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <system_error>

namespace {

constexpr int kFormatBmp = 6; // the toolkit's Windows bitmap code

bool copyOut(const std::string& text, char* out, std::size_t size)
{
    if (!out || text.size() >= size)
        return false;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

// The source's stamp: a name in another letter case is resolved as the
// original's file system would; none when no file answers to it.
std::optional<FileStamp> sourceStamp(const char* file)
{
    auto stamp = FileStampOf(file);
    if (!stamp)
        stamp = FileStampOf(ResolvePathNoCase(NativeSeparators(file).c_str()).c_str());
    return stamp;
}

// The last-write date of a stamp in days, cut to the six decimals the index
// keeps so that an unchanged file compares equal.
double dateOf(const FileStamp& stamp)
{
    const COleDateTime date(static_cast<std::time_t>(stamp.modifiedNs / 1000000000));
    char number[64];
    const auto [end, error] = std::to_chars(number, number + sizeof number, date.m_dt, std::chars_format::fixed, 6);
    double days = date.m_dt;
    if (error == std::errc())
        std::from_chars(number, end, days);
    return days;
}

// The size a source of sourceWidth × sourceHeight takes in a width × height
// box, its aspect kept; noEnlarge keeps a smaller source as it is.
void fitSize(int sourceWidth, int sourceHeight, int noEnlarge, int& width, int& height)
{
    if (width <= 0 || height <= 0)
        return;
    const float ratioX = static_cast<float>(sourceWidth) / static_cast<float>(width);
    const float ratioY = static_cast<float>(sourceHeight) / static_cast<float>(height);
    const float scale = 1.0f / std::max(ratioX, ratioY);
    const int fitWidth = std::max(1, static_cast<int>(static_cast<float>(sourceWidth) * scale));
    const int fitHeight = std::max(1, static_cast<int>(static_cast<float>(sourceHeight) * scale));
    const bool keep = noEnlarge == 1 && sourceWidth < fitWidth && sourceHeight < fitHeight;
    width = keep ? sourceWidth : fitWidth;
    height = keep ? sourceHeight : fitHeight;
}

std::string slashes(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string withSeparator(const char* folder)
{
    std::string path = folder ? folder : "";
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return path;
}

} // namespace

KivLeadThumbMgr::KivLeadThumbMgr() = default;
KivLeadThumbMgr::~KivLeadThumbMgr() = default;

KivLeadThumbMgr::KivLeadThumbMgr(const KivLeadThumbMgr& other)
    : m_thumbPath(other.m_thumbPath), m_lastThumb(other.m_lastThumb)
{
}

KivLeadThumbMgr& KivLeadThumbMgr::operator=(const KivLeadThumbMgr& other)
{
    if (this != &other) {
        m_thumbPath = other.m_thumbPath;
        m_lastThumb = other.m_lastThumb;
        m_folder.reset();
    }
    return *this;
}

int KivLeadThumbMgr::SetThumbPath(const char* folder)
{
    m_thumbPath = withSeparator(folder);
    m_folder.reset();
    if (m_thumbPath.empty())
        return 0;
    return MakeFolder(m_thumbPath.c_str()) ? 1 : 0;
}

KivLeadThumbFolder* KivLeadThumbMgr::folderOf(const char* folder)
{
    const std::string path = withSeparator(folder);
    if (path.empty())
        return nullptr;
    if (!m_folder || m_folder->folder() != path)
        m_folder = std::make_unique<KivLeadThumbFolder>(path);
    return m_folder.get();
}

int KivLeadThumbMgr::GetThumb(const char* file, char* out, std::size_t size)
{
    if (!file || !*file || !out || size == 0 || m_thumbPath.empty())
        return 0;
    // Files inside the cache folder never get thumbnails of their own.
    const std::string dir = slashes(FolderOfPath(file));
    if (KivLeadThumbIndex::fold(dir) == KivLeadThumbIndex::fold(slashes(m_thumbPath)))
        return 0;
    if (FindThumb(m_thumbPath.c_str(), file, out, size))
        return 1;
    if (CreateThumb(m_thumbPath.c_str(), file) && copyOut(m_lastThumb, out, size))
        return 1;
    return 0;
}

int KivLeadThumbMgr::FindThumb(const char* folder, const char* file, char* out, std::size_t size)
{
    KivLeadThumbFolder* cache = folderOf(folder);
    if (!cache || !file || !out)
        return 0;
    const KivLeadThumbEntry* entry = cache->refresh().find(file);
    if (!entry)
        return 0;
    const std::string name(entry->name);
    // A thumbnail holds for the very file it was made of: its date must be
    // the line's, and its inode change time the one the thumbnail carries
    // as its own modification time. A source replaced by another file, even
    // a copy that kept an older date, fails one or the other. A source that
    // is gone counts as changed, as the original's date lookup made it; a
    // name in other letters than the line's stands for the line's file.
    FileStamp thumb;
    std::optional<FileStamp> source = sourceStamp(file);
    if (!source)
        source = sourceStamp(std::string(entry->source).c_str());
    const bool present = cache->thumb(name, &thumb) == CacheFolder::Entry::File;
    if (!source || entry->date != dateOf(*source) || (present && source->changedNs != thumb.modifiedNs)) {
        if (present)
            cache->removeThumb(name);
        return 0;
    }
    // A thumbnail someone deleted (or replaced by a link) is made again
    // rather than shown missing.
    if (!present || thumb.size == 0)
        return 0;
    return copyOut(cache->folder() + name + ".jpg", out, size) ? 1 : 0;
}

int KivLeadThumbMgr::CreateThumb(const char* folder, const char* file)
{
    KivLeadThumbFolder* cache = folderOf(folder);
    if (!cache || !file || !*file || !cache->indexUsable())
        return 0;
    // Taken before the source is read: a change meanwhile makes the
    // thumbnail stale at once.
    const std::optional<FileStamp> source = sourceStamp(file);
    KivLeadFileInfo info;
    if (!source || KivLeadGetFileInfo(file, &info) != KIVLEAD_SUCCESS || info.width <= 0 || info.height <= 0)
        return 0;
    int width = kThumbWidth, height = kThumbHeight;
    fitSize(info.width, info.height, 0, width, height);
    std::string bytes;
    if (KivLeadMakeThumbnailData(file, width, height, KIVLEAD_FORMAT_JPEG, kThumbQuality, &bytes) != KIVLEAD_SUCCESS)
        return 0;
    static thread_local std::random_device device;
    char name[17];
    // A name already taken is drawn again.
    for (int attempt = 0;; ++attempt) {
        if (attempt == 16)
            return 0;
        const unsigned high = device(), low = device();
        std::snprintf(name, sizeof name, "%08x%08x", high, low);
        const WriteNewResult written = cache->writeThumb(name, bytes, source->changedNs);
        if (written == WriteNewResult::Written)
            break;
        if (written == WriteNewResult::Failed)
            return 0;
    }
    m_lastThumb = cache->folder() + name + ".jpg";
    if (AddThumb(cache->folder().c_str(), file, name))
        return 1;
    cache->removeThumb(name); // no line will ever name it
    return 0;
}

int KivLeadThumbMgr::ConvertThumb(
    const char* source, const char* target, int width, int height, int format, int quality, int noEnlarge)
{
    if (!source || !target)
        return 0;
    KivLeadFileInfo info;
    if (KivLeadGetFileInfo(source, &info) != KIVLEAD_SUCCESS || info.width <= 0 || info.height <= 0)
        return 0;
    int newWidth = width, newHeight = height;
    fitSize(info.width, info.height, noEnlarge, newWidth, newHeight);
    int status;
    if (format == kThumbFormat)
        status = KivLeadMakeThumbnail(source, target, newWidth, newHeight, KIVLEAD_FORMAT_JPEG, quality);
    else if (format == kFormatBmp)
        status = KivLeadMakeThumbnail(source, target, newWidth, newHeight, KIVLEAD_FORMAT_BMP, 0);
    else
        return 0;
    return status == KIVLEAD_SUCCESS ? 1 : 0;
}

int KivLeadThumbMgr::AddThumb(const char* folder, const char* file, const char* name)
{
    KivLeadThumbFolder* cache = folderOf(folder);
    if (!cache || !file || !name)
        return 0;
    // The original dated a missing file now; a line for it is never of use.
    const std::optional<FileStamp> source = sourceStamp(file);
    std::string line;
    if (!source || !KivLeadThumbIndex::formatLine(file, dateOf(*source), name, line))
        return 0;
    return cache->append(line) ? 1 : 0;
}
