// Files: signature detection, information, loading, saving, pages.
#include "imaging/KivLeadToolkit.h"
#include "imaging/LeadBitmapData_p.h"

#include "platform/AtomicFile.h"
#include "platform/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>
#include <vector>

Q_LOGGING_CATEGORY(lcImaging, "vandrel.imaging", QtWarningMsg)

namespace kivlead {

void startup()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        using L = Magick::ResourceLimits;
        L::width(KivLeadLimits::kMaxWidth);
        L::height(KivLeadLimits::kMaxHeight);
        L::area(KivLeadLimits::kMaxArea);
        L::memory(KivLeadLimits::kMaxMemoryBytes);
        L::map(KivLeadLimits::kMaxMemoryBytes);
        L::disk(KivLeadLimits::kMaxDiskBytes);
        L::listLength(KivLeadLimits::kMaxPages);
    });
}

int statusOf(const Magick::Exception& e)
{
    // Coders report a declared size beyond the limits as an image error,
    // the pixel cache as a resource error: the message tells them apart.
    const std::string what = e.what();
    for (const char* limit : {"WidthOrHeightExceedsLimit", "ImageTooLarge", "exceeds limit", "ExceedsLimit"})
        if (what.find(limit) != std::string::npos)
            return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    if (dynamic_cast<const Magick::ErrorResourceLimit*>(&e) || dynamic_cast<const Magick::WarningResourceLimit*>(&e))
        return KIVLEAD_ERROR_NO_MEMORY;
    if (dynamic_cast<const Magick::ErrorCorruptImage*>(&e) || dynamic_cast<const Magick::ErrorCoder*>(&e)
        || dynamic_cast<const Magick::ErrorBlob*>(&e) || dynamic_cast<const Magick::WarningCorruptImage*>(&e)
        || dynamic_cast<const Magick::ErrorImage*>(&e))
        return KIVLEAD_ERROR_INVALID_FILE;
    if (dynamic_cast<const Magick::ErrorMissingDelegate*>(&e))
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    if (dynamic_cast<const Magick::ErrorFileOpen*>(&e))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    return KIVLEAD_ERROR_FAILURE;
}

Magick::Color colorOf(COLORREF c)
{
    return Magick::Color(static_cast<Magick::Quantum>(quantumOf(GetRValue(c))),
        static_cast<Magick::Quantum>(quantumOf(GetGValue(c))), static_cast<Magick::Quantum>(quantumOf(GetBValue(c))));
}

void adopt(CLeadBitmap* bitmap, const Magick::Image& image, int bits)
{
    LeadBitmapData& d = bitmap->data();
    d.image = image;
    d.allocated = true;
    d.bits = bits;
    d.changed();
}

int bitsOf(const Magick::Image& image)
{
    // From the header's facts only: asking the library for the image's type
    // scans every pixel (several times for a photo).
    if (image.matte())
        return 32;
    if (image.classType() == Magick::PseudoClass) {
        const size_t colors = image.colorMapSize();
        return colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
    }
    if (image.colorSpace() == Magick::GRAYColorspace)
        return image.depth() == 1 ? 1 : 8;
    return 24;
}

bool reduceTo(Magick::Image& image, int bits, bool dither)
{
    switch (bits) {
    case 1: image.type(Magick::BilevelType); return true;
    case 4:
    case 8:
        image.quantizeColors(bits == 4 ? 16 : 256);
        image.quantizeDither(dither);
        image.quantize();
        image.type(Magick::PaletteType);
        return true;
    case 16:
    case 24:
        image.matte(false);
        image.type(Magick::TrueColorType);
        return true;
    case 32: image.type(Magick::TrueColorMatteType); return true;
    default: return false;
    }
}

} // namespace kivlead

using namespace kivlead;

namespace {

const char* const kMagick[] = {"", "BMP", "JPEG", "PNG", "GIF", "TIFF", "WEBP", "PNM"};

// Only these signatures reach a decoder, each its own: a file never chooses
// one of the library's other coders (scripts, vector formats, delegates).
int sniff(const std::uint8_t* p, std::size_t n)
{
    auto starts = [&](const char* sig, std::size_t len) { return n >= len && std::memcmp(p, sig, len) == 0; };
    if (starts("\xFF\xD8\xFF", 3))
        return KIVLEAD_FORMAT_JPEG;
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return KIVLEAD_FORMAT_PNG;
    if (starts("GIF87a", 6) || starts("GIF89a", 6))
        return KIVLEAD_FORMAT_GIF;
    if (starts("II*\0", 4) || starts("MM\0*", 4))
        return KIVLEAD_FORMAT_TIFF;
    if (starts("BM", 2) && n >= 26)
        return KIVLEAD_FORMAT_BMP;
    if (n >= 12 && starts("RIFF", 4) && std::memcmp(p + 8, "WEBP", 4) == 0)
        return KIVLEAD_FORMAT_WEBP;
    if (n >= 3 && p[0] == 'P' && p[1] >= '1' && p[1] <= '6'
        && (p[2] == ' ' || p[2] == '\n' || p[2] == '\r' || p[2] == '\t'))
        return KIVLEAD_FORMAT_PNM;
    return KIVLEAD_FORMAT_UNKNOWN;
}

bool multiPage(int format)
{
    return format == KIVLEAD_FORMAT_TIFF || format == KIVLEAD_FORMAT_GIF;
}

// Reads a regular file whole, within the size cap.
int readFile(const char* file, std::vector<std::uint8_t>& bytes)
{
    if (!file || !*file)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource source;
    if (!source.openFile(file))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    if (source.size() > static_cast<std::uint64_t>(KivLeadLimits::kMaxFileBytes))
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    bytes.resize(static_cast<std::size_t>(source.size()));
    if (!source.read(0, bytes.data(), bytes.size()))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    return KIVLEAD_SUCCESS;
}

// Options that pin the decoder to format and, for a load, to one page.
void pin(Magick::ReadOptions& options, int format, bool ping, int page)
{
    MagickCore::ImageInfo* info = options.imageInfo();
    // Format names are short constants: they and the colon always fit.
    const std::string name = kMagick[format];
    std::memcpy(info->filename, (name + ":").c_str(), name.size() + 2);
    std::memcpy(info->magick, name.c_str(), name.size() + 1);
    info->affirm = MagickCore::MagickTrue;
    info->ping = ping ? MagickCore::MagickTrue : MagickCore::MagickFalse;
    if (page > 0) {
        info->scene = static_cast<size_t>(page - 1);
        info->number_scenes = 1;
    }
}

// Decodes into list; warnings about unknown tags and the like keep what
// was read, a warning that the data is corrupt (truncated) fails.
int decode(std::list<Magick::Image>& list, const std::uint8_t* data, std::size_t size, int format, bool ping, int page,
    const char* sizeHint = nullptr)
{
    Magick::ReadOptions options;
    pin(options, format, ping, page);
    // The JPEG decoder then scales by 1/2, 1/4 or 1/8 in the DCT, staying at
    // or above the hint: far less work than decoding full size and shrinking.
    if (sizeHint && format == KIVLEAD_FORMAT_JPEG)
        MagickCore::SetImageOption(options.imageInfo(), "jpeg:size", sizeHint);
    options.quiet(false);
    const Magick::Blob blob(data, size);
    try {
        Magick::readImages(&list, blob, options);
    } catch (const Magick::WarningCorruptImage& w) {
        qCDebug(lcImaging) << w.what();
        return KIVLEAD_ERROR_INVALID_FILE;
    } catch (const Magick::Warning& w) {
        qCDebug(lcImaging) << w.what();
    }
    // Asked for one page, the library hands back empty frames for the pages
    // before it.
    if (page > 1)
        while (!list.empty() && list.size() > 1 && list.front().columns() == 0)
            list.pop_front();
    if (list.empty() || list.front().columns() == 0 || list.front().rows() == 0)
        return page > 1 ? KIVLEAD_ERROR_PAGE_NOT_FOUND : KIVLEAD_ERROR_INVALID_FILE;
    return KIVLEAD_SUCCESS;
}

int encode(std::list<Magick::Image>& pages, int format, int quality, std::string& out)
{
    for (auto& p : pages) {
        p.magick(kMagick[format]);
        if (format == KIVLEAD_FORMAT_JPEG || format == KIVLEAD_FORMAT_WEBP)
            p.quality(static_cast<size_t>(std::clamp(100 - quality * 99 / 255, 1, 100)));
        if (format == KIVLEAD_FORMAT_JPEG && p.matte())
            p.matte(false);
        // A full 256-colour palette makes the PNG coder's own palette choice
        // fail ("Valid palette required"); asking for PNG8 keeps the palette.
        if (format == KIVLEAD_FORMAT_PNG && p.classType() == Magick::PseudoClass && p.colorMapSize() > 16
            && p.colorMapSize() <= 256 && !p.matte())
            p.defineValue("png", "format", "png8");
    }
    Magick::Blob blob;
    if (pages.size() == 1)
        pages.front().write(&blob);
    else
        Magick::writeImages(pages.begin(), pages.end(), &blob, true);
    out.assign(static_cast<const char*>(blob.data()), blob.length());
    return out.empty() ? KIVLEAD_ERROR_FILE_WRITE : KIVLEAD_SUCCESS;
}

int writeAtomically(const char* file, const std::string& bytes)
{
    AtomicFile f(file);
    if (!f.open() || !f.write(bytes.data(), bytes.size()) || !f.commit())
        return KIVLEAD_ERROR_FILE_WRITE;
    return KIVLEAD_SUCCESS;
}

int infoOf(const std::uint8_t* data, std::size_t size, std::uint64_t fileSize, KivLeadFileInfo* info)
{
    if (!info)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int format = sniff(data, size);
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
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

const char* KivLeadStatusText(int status)
{
    switch (status) {
    case KIVLEAD_SUCCESS: return "success";
    case KIVLEAD_ERROR_NO_MEMORY: return "not enough memory, or a resource limit was reached";
    case KIVLEAD_ERROR_INVALID_ARGUMENT: return "invalid argument";
    case KIVLEAD_ERROR_FILE_NOT_FOUND: return "file not found or not readable";
    case KIVLEAD_ERROR_UNKNOWN_FORMAT: return "unknown file format";
    case KIVLEAD_ERROR_INVALID_FILE: return "the file is damaged or truncated";
    case KIVLEAD_ERROR_FILE_WRITE: return "the file could not be written";
    case KIVLEAD_ERROR_IMAGE_TOO_LARGE: return "the image is larger than allowed";
    case KIVLEAD_ERROR_EMPTY_BITMAP: return "the image is empty";
    case KIVLEAD_ERROR_PAGE_NOT_FOUND: return "no such page";
    case KIVLEAD_ERROR_NO_CLIPBOARD_IMAGE: return "the clipboard holds no image";
    case KIVLEAD_ERROR_USER_ABORT: return "cancelled";
    case KIVLEAD_ERROR_NO_PRINTER: return "no printer";
    default: return "the operation failed";
    }
}

int KivLeadFormatFromName(const char* file)
{
    if (!file)
        return KIVLEAD_FORMAT_UNKNOWN;
    const char* dot = std::strrchr(file, '.');
    const char* slash = std::strrchr(file, '/');
    if (!dot || (slash && slash > dot))
        return KIVLEAD_FORMAT_UNKNOWN;
    std::string ext(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ext == "bmp" || ext == "dib")
        return KIVLEAD_FORMAT_BMP;
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif")
        return KIVLEAD_FORMAT_JPEG;
    if (ext == "png")
        return KIVLEAD_FORMAT_PNG;
    if (ext == "gif")
        return KIVLEAD_FORMAT_GIF;
    if (ext == "tif" || ext == "tiff")
        return KIVLEAD_FORMAT_TIFF;
    if (ext == "webp")
        return KIVLEAD_FORMAT_WEBP;
    if (ext == "pnm" || ext == "ppm" || ext == "pgm" || ext == "pbm")
        return KIVLEAD_FORMAT_PNM;
    return KIVLEAD_FORMAT_UNKNOWN;
}

const char* KivLeadFormatName(int format)
{
    return format > 0 && format <= KIVLEAD_FORMAT_PNM ? kMagick[format] : "unknown";
}

int KivLeadGetMemoryInfo(const std::uint8_t* data, std::size_t size, KivLeadFileInfo* info)
{
    if (!data && size)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return infoOf(data, size, size, info);
}

int KivLeadGetFileInfo(const char* file, KivLeadFileInfo* info)
{
    std::vector<std::uint8_t> bytes;
    const int status = readFile(file, bytes);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return infoOf(bytes.data(), bytes.size(), bytes.size(), info);
}

int KivLeadLoadMemory(const std::uint8_t* data, std::size_t size, CLeadBitmap* bitmap, int bits, int page)
{
    if (!bitmap || (!data && size) || page < 1 || page > KivLeadLimits::kMaxPages
        || !(bits == 0 || bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int format = sniff(data, size);
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
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

int KivLeadLoadFile(const char* file, CLeadBitmap* bitmap, int bits, int page)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    std::vector<std::uint8_t> bytes;
    const int status = readFile(file, bytes);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return KivLeadLoadMemory(bytes.data(), bytes.size(), bitmap, bits, page);
}

int KivLeadSaveFile(const char* file, CLeadBitmap* bitmap, int format, int bits, int quality, int page, unsigned flags)
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels)
        return bitmap ? KIVLEAD_ERROR_EMPTY_BITMAP : KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!file || !*file || format <= KIVLEAD_FORMAT_UNKNOWN || format > KIVLEAD_FORMAT_PNM || page < 1 || quality < 0
        || quality > 255 || (flags & KIVLEAD_SAVE_REPLACE && flags & KIVLEAD_SAVE_INSERT))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        Magick::Image image = *pixels;
        // Bits 0 keeps the pixels as they are (a 16-bit grey stays one).
        if (bits != 0 && bits != bitsOf(image) && !reduceTo(image, bits))
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
        std::list<Magick::Image> pages;
        if (flags & (KIVLEAD_SAVE_REPLACE | KIVLEAD_SAVE_INSERT)) {
            std::vector<std::uint8_t> bytes;
            int status = readFile(file, bytes);
            if (status == KIVLEAD_SUCCESS) {
                const int old = sniff(bytes.data(), bytes.size());
                if (old == KIVLEAD_FORMAT_UNKNOWN)
                    return KIVLEAD_ERROR_UNKNOWN_FORMAT;
                status = decode(pages, bytes.data(), bytes.size(), old, false, 0);
                if (status != KIVLEAD_SUCCESS)
                    return status;
            } else if (status != KIVLEAD_ERROR_FILE_NOT_FOUND) {
                return status;
            }
        }
        const std::size_t count = pages.size();
        if (flags & KIVLEAD_SAVE_REPLACE) {
            if (static_cast<std::size_t>(page) > count)
                return KIVLEAD_ERROR_PAGE_NOT_FOUND;
            *std::next(pages.begin(), page - 1) = image;
        } else if (flags & KIVLEAD_SAVE_INSERT) {
            if (static_cast<std::size_t>(page) > count + 1)
                return KIVLEAD_ERROR_PAGE_NOT_FOUND;
            pages.insert(std::next(pages.begin(), page - 1), image);
        } else {
            if (page != 1)
                return KIVLEAD_ERROR_PAGE_NOT_FOUND;
            pages.push_back(image);
        }
        if (pages.size() > 1 && !multiPage(format))
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
        std::string out;
        const int status = encode(pages, format, quality, out);
        return status == KIVLEAD_SUCCESS ? writeAtomically(file, out) : status;
    });
}

int KivLeadDeletePage(const char* file, int page)
{
    if (page < 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    std::vector<std::uint8_t> bytes;
    const int status = readFile(file, bytes);
    if (status != KIVLEAD_SUCCESS)
        return status;
    const int format = sniff(bytes.data(), bytes.size());
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    return guarded([&] {
        std::list<Magick::Image> pages;
        const int decoded = decode(pages, bytes.data(), bytes.size(), format, false, 0);
        if (decoded != KIVLEAD_SUCCESS)
            return decoded;
        if (static_cast<std::size_t>(page) > pages.size())
            return KIVLEAD_ERROR_PAGE_NOT_FOUND;
        // A file keeps at least one page: deleting the last would leave no image.
        if (pages.size() == 1)
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
        pages.erase(std::next(pages.begin(), page - 1));
        std::string out;
        const int encoded = encode(pages, format, 0, out);
        return encoded == KIVLEAD_SUCCESS ? writeAtomically(file, out) : encoded;
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

int KivLeadMakeThumbnail(const char* source, const char* target, int width, int height, int format, int quality)
{
    if ((format != KIVLEAD_FORMAT_JPEG && format != KIVLEAD_FORMAT_BMP) || !target || !*target || width <= 0 || height <= 0 || width > 4096 || height > 4096)
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
        std::list<Magick::Image> out{image};
        std::string encoded;
        const int written = encode(out, format, quality, encoded);
        return written == KIVLEAD_SUCCESS ? writeAtomically(target, encoded) : written;
    });
}
