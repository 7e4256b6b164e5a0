#include "imaging/KivLeadThumbMgr.h"

#include "core/KivUtil.h"
#include "imaging/KivLeadThumbFolder.h"
#include "imaging/KivLeadToolkit.h"
#include "platform/COleDateTime.h"
#include "platform/FileSystem.h"
#include "platform/PathNoCase.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

// The source's last-write date in days, cut to the six decimals the index
// keeps so that an unchanged file compares equal. A name in another letter
// case is resolved as the original's file system would; none when no file
// answers to it.
std::optional<double> sourceDate(const char* file)
{
    auto stamp = FileStampOf(file);
    if (!stamp)
        stamp = FileStampOf(ResolvePathNoCase(NativeSeparators(file).c_str()).c_str());
    if (!stamp)
        return std::nullopt;
    const COleDateTime date(static_cast<std::time_t>(stamp->modifiedNs / 1000000000));
    char number[64];
    const auto [end, error] = std::to_chars(number, number + sizeof number, date.m_dt, std::chars_format::fixed, 6);
    double days = date.m_dt;
    if (error == std::errc())
        std::from_chars(number, end, days);
    return days;
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
    std::error_code error;
    std::filesystem::create_directory(m_thumbPath, error);
    return std::filesystem::is_directory(m_thumbPath, error) ? 1 : 0;
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
    const std::string dir = slashes(KivUtil::GetFilePath(file));
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
    const std::string thumb = cache->folder() + entry->name + ".jpg";
    // A source that is gone counts as changed now, as the original's date
    // lookup made it: its thumbnail goes.
    const std::optional<double> date = sourceDate(file);
    if (!date || entry->date < *date) {
        RemoveFile(thumb.c_str());
        return 0;
    }
    // A thumbnail someone deleted is made again rather than shown missing.
    if (FileSizeOf(thumb.c_str()) <= 0)
        return 0;
    return copyOut(thumb, out, size) ? 1 : 0;
}

int KivLeadThumbMgr::CreateThumb(const char* folder, const char* file)
{
    KivLeadThumbFolder* cache = folderOf(folder);
    if (!cache || !file || !*file)
        return 0;
    static thread_local std::random_device device;
    char name[17];
    std::string thumb;
    // A name already taken is drawn again.
    for (int attempt = 0;; ++attempt) {
        if (attempt == 16)
            return 0;
        const unsigned high = device(), low = device();
        std::snprintf(name, sizeof name, "%08x%08x", high, low);
        thumb = cache->folder() + name + ".jpg";
        if (!PathExists(thumb.c_str()))
            break;
    }
    if (!ConvertThumb(file, thumb.c_str(), kThumbWidth, kThumbHeight, kThumbFormat, kThumbQuality, 0))
        return 0;
    m_lastThumb = thumb;
    if (AddThumb(cache->folder().c_str(), file, name))
        return 1;
    RemoveFile(thumb.c_str()); // no line will ever name it
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
    if (width > 0 && height > 0) {
        const float ratioX = static_cast<float>(info.width) / static_cast<float>(width);
        const float ratioY = static_cast<float>(info.height) / static_cast<float>(height);
        const float scale = 1.0f / std::max(ratioX, ratioY);
        newWidth = std::max(1, static_cast<int>(static_cast<float>(info.width) * scale));
        newHeight = std::max(1, static_cast<int>(static_cast<float>(info.height) * scale));
        if (noEnlarge == 1 && info.width < newWidth && info.height < newHeight) {
            newWidth = info.width;
            newHeight = info.height;
        }
    }
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
    const std::optional<double> date = sourceDate(file);
    std::string line;
    if (!date || !KivLeadThumbIndex::formatLine(file, *date, name, line))
        return 0;
    return cache->append(line) ? 1 : 0;
}
