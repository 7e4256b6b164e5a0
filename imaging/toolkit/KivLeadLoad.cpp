// SPDX-License-Identifier: MIT
// Information and loading: from a file or from bytes in memory.
#include "imaging/toolkit/LeadCodec_p.h"
#include "imaging/toolkit/TiffPages_p.h"

#include "platform/io/ByteSource.h"

#include <algorithm>

using namespace kivlead;

namespace {

// The count from the directory chain; size and bits of page 1 as its load
// gives them.
int tiffInfo(const ByteSource& source, KivLeadFileInfo* info)
{
    std::vector<KivLeadFileInfo> pages;
    int status = tiffPages(source, &pages);
    std::string single;
    if (status == KIVLEAD_SUCCESS)
        status = tiffExtractPage(source, 1, single);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return guarded([&] {
        std::list<Magick::Image> first;
        const int decoded = decode(
            first, reinterpret_cast<const std::uint8_t*>(single.data()), single.size(), KIVLEAD_FORMAT_TIFF, true, 0);
        if (decoded != KIVLEAD_SUCCESS)
            return decoded;
        *info = pages.front();
        info->bitsPerPixel = bitsOf(first.front());
        info->fileSize = source.size();
        return KIVLEAD_SUCCESS;
    });
}

int infoOf(const std::uint8_t* data, std::size_t size, std::uint64_t fileSize, KivLeadFileInfo* info)
{
    if (!info)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int format = sniff(data, size);
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    if (format == KIVLEAD_FORMAT_TIFF) {
        const ByteSource source = ByteSource::fromMemory(data, size);
        return tiffInfo(source, info);
    }
    return guarded([&] {
        std::list<Magick::Image> pages;
        const int status = decode(pages, data, size, format, true, 0);
        if (status != KIVLEAD_SUCCESS)
            return status;
        const Magick::Image& first = pages.front();
        info->format = format;
        info->width = static_cast<int>(std::min<size_t>(first.columns(), INT32_MAX));
        info->height = static_cast<int>(std::min<size_t>(first.rows(), INT32_MAX));
        info->bitsPerPixel = bitsOf(first);
        info->pages = static_cast<int>(pages.size());
        info->fileSize = fileSize;
        return KIVLEAD_SUCCESS;
    });
}

} // namespace

int KivLeadGetMemoryInfo(const std::uint8_t* data, std::size_t size, KivLeadFileInfo* info)
{
    if (!data && size)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return infoOf(data, size, size, info);
}

int KivLeadGetFileInfo(const char* file, KivLeadFileInfo* info)
{
    ByteSource source;
    int format = KIVLEAD_FORMAT_UNKNOWN;
    if (info && sniffFile(file, source, &format) == KIVLEAD_SUCCESS && format == KIVLEAD_FORMAT_TIFF)
        return tiffInfo(source, info);
    std::vector<std::uint8_t> bytes;
    const int status = readFile(file, bytes);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return infoOf(bytes.data(), bytes.size(), bytes.size(), info);
}

int KivLeadGetPagesInfo(const char* file, std::vector<KivLeadFileInfo>* pages)
{
    if (!pages)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource source;
    int format = KIVLEAD_FORMAT_UNKNOWN;
    const int status = sniffFile(file, source, &format);
    if (status != KIVLEAD_SUCCESS)
        return status;
    if (format == KIVLEAD_FORMAT_TIFF)
        return tiffPages(source, pages);
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    std::vector<std::uint8_t> bytes;
    const int read = readFile(file, bytes);
    if (read != KIVLEAD_SUCCESS)
        return read;
    return guarded([&] {
        std::list<Magick::Image> list;
        const int decoded = decode(list, bytes.data(), bytes.size(), format, true, 0);
        if (decoded != KIVLEAD_SUCCESS)
            return decoded;
        pages->clear();
        for (const Magick::Image& image : list) {
            KivLeadFileInfo info;
            info.format = format;
            info.width = static_cast<int>(std::min<size_t>(image.columns(), INT32_MAX));
            info.height = static_cast<int>(std::min<size_t>(image.rows(), INT32_MAX));
            info.bitsPerPixel = bitsOf(image);
            info.pages = static_cast<int>(list.size());
            info.fileSize = bytes.size();
            pages->push_back(info);
        }
        return KIVLEAD_SUCCESS;
    });
}

namespace {

int loadBytes(const std::uint8_t* data, std::size_t size, int format, CLeadBitmap* bitmap, int bits, int page);

bool validLoad(CLeadBitmap* bitmap, int bits, int page)
{
    return bitmap && page >= 1 && page <= kMaxTiffPages
        && (bits == 0 || bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32);
}

int loadTiff(const ByteSource& source, CLeadBitmap* bitmap, int bits, int page)
{
    std::string single;
    const int status = tiffExtractPage(source, page, single);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return loadBytes(
        reinterpret_cast<const std::uint8_t*>(single.data()), single.size(), KIVLEAD_FORMAT_TIFF, bitmap, bits, 1);
}

int loadBytes(const std::uint8_t* data, std::size_t size, int format, CLeadBitmap* bitmap, int bits, int page)
{
    if (page > KivLeadLimits::kMaxPages)
        return KIVLEAD_ERROR_PAGE_NOT_FOUND;
    return guarded([&] {
        std::list<Magick::Image> pages;
        const int status = decode(pages, data, size, format, false, page);
        if (status != KIVLEAD_SUCCESS)
            return status;
        Magick::Image image = pages.front();
        // The list lets go first: a change to a shared image copies its pixels.
        pages.clear();
        // Rows run downward in memory whatever the file stored.
        image.page(Magick::Geometry(0, 0));
        if (bits != 0)
            reduceTo(image, bits);
        KivLeadFreeBitmap(bitmap);
        adopt(bitmap, image, bits != 0 ? bits : bitsOf(image));
        bitmap->SetViewPerspective(0);
        return KIVLEAD_SUCCESS;
    });
}

} // namespace

int KivLeadLoadMemory(const std::uint8_t* data, std::size_t size, CLeadBitmap* bitmap, int bits, int page)
{
    if (!validLoad(bitmap, bits, page) || (!data && size))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int format = sniff(data, size);
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    if (format == KIVLEAD_FORMAT_TIFF)
        return loadTiff(ByteSource::fromMemory(data, size), bitmap, bits, page);
    return loadBytes(data, size, format, bitmap, bits, page);
}

int KivLeadLoadFile(const char* file, CLeadBitmap* bitmap, int bits, int page)
{
    if (!validLoad(bitmap, bits, page))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource source;
    int format = KIVLEAD_FORMAT_UNKNOWN;
    if (sniffFile(file, source, &format) == KIVLEAD_SUCCESS && format == KIVLEAD_FORMAT_TIFF)
        return loadTiff(source, bitmap, bits, page);
    std::vector<std::uint8_t> bytes;
    const int status = readFile(file, bytes);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return KivLeadLoadMemory(bytes.data(), bytes.size(), bitmap, bits, page);
}
