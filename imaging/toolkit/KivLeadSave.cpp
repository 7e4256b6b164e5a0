// SPDX-License-Identifier: MIT
// Saving: whole files, single pages of multi-page files, conversions and
// thumbnails, each through a temporary file and a rename.
#include "imaging/toolkit/LeadCodec_p.h"
#include "imaging/toolkit/TiffPages_p.h"

#include "platform/io/ByteSource.h"

#include <algorithm>
#include <iterator>

using namespace kivlead;

namespace {

// Writes image, a copy of d's pixels (which it lets go of), as file.
int saveOne(LeadBitmapData& d, Magick::Image& image, bool same, const char* file, int format, int quality)
{
    std::list<Magick::Image> pages {image};
    image = Magick::Image();
    // In place, the bitmap too lets go of its pixels while they are written:
    // what the encoder adjusts (the depth the format keeps) then changes
    // them where they are instead of copying them first. They come back as
    // written.
    struct GiveBack {
        LeadBitmapData& d;
        std::list<Magick::Image>& pages;
        bool active;
        ~GiveBack()
        {
            if (active)
                d.image = pages.front();
        }
    } giveBack {d, pages, d.inPlace && same};
    if (giveBack.active)
        d.image = Magick::Image();
    // Written from the encoder's own buffer: a large picture's file is held
    // once.
    Magick::Blob blob;
    const int status = encodeBlob(pages, format, quality, blob);
    return status == KIVLEAD_SUCCESS ? writeAtomically(file, blob.data(), blob.length()) : status;
}

} // namespace

int KivLeadSaveFile(const char* file, CLeadBitmap* bitmap, int format, int bits, int quality, int page, unsigned flags)
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels)
        return bitmap ? KIVLEAD_ERROR_EMPTY_BITMAP : KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (quality == -1)
        quality = 2; // the toolkit's default quality factor
    if (!file || !*file || format <= KIVLEAD_FORMAT_UNKNOWN || format > KIVLEAD_FORMAT_ICO || page < 1 || quality < 0
        || quality > 255 || (flags & KIVLEAD_SAVE_REPLACE && flags & KIVLEAD_SAVE_INSERT))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        Magick::Image image = *pixels;
        // Bits 0 keeps the pixels as they are (a 16-bit grey stays one).
        if (bits != 0 && bits != bitsOf(image) && !reduceTo(image, bits))
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
        std::list<Magick::Image> pages;
        ByteSource existing;
        int old = KIVLEAD_FORMAT_UNKNOWN;
        if (flags & (KIVLEAD_SAVE_REPLACE | KIVLEAD_SAVE_INSERT) && format == KIVLEAD_FORMAT_TIFF
            && sniffFile(file, existing, &old) == KIVLEAD_SUCCESS && old == KIVLEAD_FORMAT_TIFF) {
            // The other pages stream from the file as stored; only this one is encoded.
            existing.close();
            pages.push_back(image);
            TiffEdit edit;
            edit.kind = flags & KIVLEAD_SAVE_REPLACE ? TiffEdit::Replace : TiffEdit::Insert;
            edit.page = page;
            edit.added.emplace_back();
            const int encoded = encode(pages, format, quality, edit.added.back());
            return encoded == KIVLEAD_SUCCESS ? tiffRewrite(file, edit) : encoded;
        }
        // The other pages of other formats are decoded and written anew.
        if (flags & (KIVLEAD_SAVE_REPLACE | KIVLEAD_SAVE_INSERT))
            return rewritePages(file, format, quality, true, [&](std::list<Magick::Image>& stored) {
                if (flags & KIVLEAD_SAVE_REPLACE) {
                    if (static_cast<std::size_t>(page) > stored.size())
                        return KIVLEAD_ERROR_PAGE_NOT_FOUND;
                    *std::next(stored.begin(), page - 1) = image;
                } else {
                    if (static_cast<std::size_t>(page) > stored.size() + 1)
                        return KIVLEAD_ERROR_PAGE_NOT_FOUND;
                    stored.insert(std::next(stored.begin(), page - 1), image);
                }
                return stored.size() > 1 && !multiPage(format) ? KIVLEAD_ERROR_INVALID_ARGUMENT : KIVLEAD_SUCCESS;
            });
        if (page != 1)
            return KIVLEAD_ERROR_PAGE_NOT_FOUND;
        return saveOne(bitmap->data(), image, bits == 0, file, format, quality);
    });
}

int KivLeadInsertPages(const char* file, int page, const char* source)
{
    if (!file || !*file || !source || !*source || page < 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    std::vector<KivLeadFileInfo> from;
    int status = KivLeadGetPagesInfo(source, &from);
    if (status != KIVLEAD_SUCCESS)
        return status;
    ByteSource target, input;
    int format = KIVLEAD_FORMAT_UNKNOWN, sourceFormat = KIVLEAD_FORMAT_UNKNOWN;
    status = sniffFile(file, target, &format);
    if (status != KIVLEAD_SUCCESS)
        return status;
    target.close();
    if (!KivLeadFormatHoldsPages(format))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const bool tiffSource
        = sniffFile(source, input, &sourceFormat) == KIVLEAD_SUCCESS && sourceFormat == KIVLEAD_FORMAT_TIFF;
    return guarded([&] {
        // One source page as the target's pages want it.
        auto sourcePage = [&](int k, Magick::Image& image) {
            CLeadBitmap bitmap;
            const int loaded = KivLeadLoadFile(source, &bitmap, 0, k);
            if (loaded == KIVLEAD_SUCCESS)
                image = *pixelsOf(&bitmap);
            return loaded;
        };
        if (format == KIVLEAD_FORMAT_TIFF) {
            TiffEdit edit;
            edit.kind = TiffEdit::Insert;
            edit.page = page;
            for (int k = 1; k <= static_cast<int>(from.size()); ++k) {
                edit.added.emplace_back();
                int got = KIVLEAD_SUCCESS;
                if (tiffSource) {
                    got = tiffExtractPage(input, k, edit.added.back());
                } else {
                    std::list<Magick::Image> one(1);
                    got = sourcePage(k, one.front());
                    if (got == KIVLEAD_SUCCESS)
                        got = encode(one, KIVLEAD_FORMAT_TIFF, 0, edit.added.back());
                }
                if (got != KIVLEAD_SUCCESS)
                    return got;
            }
            return tiffRewrite(file, edit);
        }
        return rewritePages(file, format, 0, false, [&](std::list<Magick::Image>& pages) {
            if (static_cast<std::size_t>(page) > pages.size() + 1)
                return KIVLEAD_ERROR_PAGE_NOT_FOUND;
            if (pages.size() + from.size() > static_cast<std::size_t>(KivLeadLimits::kMaxPages))
                return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
            const auto at = std::next(pages.begin(), page - 1);
            for (int k = 1; k <= static_cast<int>(from.size()); ++k) {
                Magick::Image image;
                const int got = sourcePage(k, image);
                if (got != KIVLEAD_SUCCESS)
                    return got;
                pages.insert(at, image);
            }
            return KIVLEAD_SUCCESS;
        });
    });
}

int KivLeadReplacePage(const char* file, int page, const char* source)
{
    if (!file || !*file || !source || !*source || page < 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource target, input;
    int format = KIVLEAD_FORMAT_UNKNOWN, sourceFormat = KIVLEAD_FORMAT_UNKNOWN;
    int status = sniffFile(file, target, &format);
    if (status != KIVLEAD_SUCCESS)
        return status;
    target.close();
    if (format == KIVLEAD_FORMAT_TIFF && sniffFile(source, input, &sourceFormat) == KIVLEAD_SUCCESS
        && sourceFormat == KIVLEAD_FORMAT_TIFF) {
        // The page's strips go across as stored: nothing is decoded.
        return guarded([&] {
            TiffEdit edit;
            edit.kind = TiffEdit::Replace;
            edit.page = page;
            edit.added.emplace_back();
            const int got = tiffExtractPage(input, 1, edit.added.back());
            input.close();
            return got == KIVLEAD_SUCCESS ? tiffRewrite(file, edit) : got;
        });
    }
    CLeadBitmap bitmap;
    status = KivLeadLoadFile(source, &bitmap, 0, 1);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return KivLeadSaveFile(file, &bitmap, format, 0, 0, page, KIVLEAD_SAVE_REPLACE);
}

int KivLeadExtractPage(const char* file, int page, const char* target, int format)
{
    if (!file || !*file || !target || !*target || page < 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource source;
    int stored = KIVLEAD_FORMAT_UNKNOWN;
    const int status = sniffFile(file, source, &stored);
    if (status != KIVLEAD_SUCCESS)
        return status;
    if (stored == KIVLEAD_FORMAT_TIFF && format == KIVLEAD_FORMAT_TIFF)
        return guarded([&] {
            std::string single;
            const int got = tiffExtractPage(source, page, single);
            return got == KIVLEAD_SUCCESS ? writeAtomically(target, single) : got;
        });
    source.close();
    CLeadBitmap bitmap;
    const int loaded = KivLeadLoadFile(file, &bitmap, 0, page);
    return loaded == KIVLEAD_SUCCESS ? KivLeadSaveFile(target, &bitmap, format, 0, 2) : loaded;
}

int KivLeadDeletePage(const char* file, int page)
{
    if (page < 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource source;
    int old = KIVLEAD_FORMAT_UNKNOWN;
    if (sniffFile(file, source, &old) == KIVLEAD_SUCCESS && old == KIVLEAD_FORMAT_TIFF) {
        source.close();
        TiffEdit edit;
        edit.kind = TiffEdit::Delete;
        edit.page = page;
        return guarded([&] { return tiffRewrite(file, edit); });
    }
    return guarded([&] {
        return rewritePages(file, KIVLEAD_FORMAT_UNKNOWN, 0, false, [&](std::list<Magick::Image>& pages) {
            if (static_cast<std::size_t>(page) > pages.size())
                return KIVLEAD_ERROR_PAGE_NOT_FOUND;
            // A file keeps at least one page: deleting the last would leave no image.
            if (pages.size() == 1)
                return KIVLEAD_ERROR_INVALID_ARGUMENT;
            pages.erase(std::next(pages.begin(), page - 1));
            return KIVLEAD_SUCCESS;
        });
    });
}

int KivLeadConvertFile(const char* source, const char* target, int format, int width, int height, int bits, int quality)
{
    CLeadBitmap bitmap;
    int status = KivLeadLoadFile(source, &bitmap, 0, 1);
    if (status == KIVLEAD_SUCCESS && width > 0 && height > 0)
        status = KivLeadResize(&bitmap, width, height, KIVLEAD_RESIZE_RESAMPLE);
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadSaveFile(target, &bitmap, format, bits, quality);
    return status;
}

int KivLeadMakeThumbnailData(const char* source, int width, int height, int format, int quality, std::string* out)
{
    if ((format != KIVLEAD_FORMAT_JPEG && format != KIVLEAD_FORMAT_BMP) || !out || width <= 0 || height <= 0
        || width > 4096 || height > 4096)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    std::vector<std::uint8_t> bytes;
    const int status = readFile(source, bytes);
    if (status != KIVLEAD_SUCCESS)
        return status;
    const int kind = sniff(bytes.data(), bytes.size());
    if (kind == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    return guarded([&] {
        std::list<Magick::Image> pages;
        const std::string hint = std::to_string(width) + "x" + std::to_string(height);
        const int decoded = decode(pages, bytes.data(), bytes.size(), kind, false, 1, hint.c_str());
        if (decoded != KIVLEAD_SUCCESS)
            return decoded;
        Magick::Image image = pages.front();
        pages.clear();
        image.page(Magick::Geometry(0, 0));
        Magick::Geometry size(static_cast<size_t>(width), static_cast<size_t>(height));
        size.aspect(true);
        image.thumbnail(size);
        if (image.matte()) {
            // JPEG keeps no transparency: what shows through is white.
            Magick::Image canvas(image.size(), Magick::Color("white"));
            canvas.composite(image, 0, 0, Magick::OverCompositeOp);
            image = canvas;
        }
        image.type(Magick::TrueColorType);
        std::list<Magick::Image> encoded {image};
        return encode(encoded, format, quality, *out);
    });
}

int KivLeadMakeThumbnail(const char* source, const char* target, int width, int height, int format, int quality)
{
    if (!target || !*target)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    std::string encoded;
    const int status = KivLeadMakeThumbnailData(source, width, height, format, quality, &encoded);
    return status == KIVLEAD_SUCCESS ? writeAtomically(target, encoded) : status;
}
