// Files: signature detection, information, loading, saving, pages.
#include "imaging/KivLeadToolkit.h"
#include "imaging/LeadBitmapData_p.h"

#include "imaging/TiffPages_p.h"
#include "platform/io/AtomicFile.h"
#include "platform/base/ByteOrder.h"
#include "platform/io/ByteSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <vector>

Q_LOGGING_CATEGORY(lcImaging, "vandrel.imaging", QtWarningMsg)

namespace kivlead {

namespace {

// ImageMagick takes a resource limit only up to what the installed
// policy.xml allows (Debian's: 128 Mpixels, 256 MiB of memory), so a valid
// 12000 × 12000 picture would fail as if damaged. A policy of our own with
// the limits we promise, read before the system's while the library starts,
// makes them hold whatever the distribution set; the system policy's other
// rules (coders it forbids) still apply.
void initializeWithOwnLimits()
{
    using namespace KivLeadLimits;
    const QByteArray policy = QStringLiteral("<policymap>\n"
                                             "  <policy domain=\"resource\" name=\"width\" value=\"%1\"/>\n"
                                             "  <policy domain=\"resource\" name=\"height\" value=\"%2\"/>\n"
                                             "  <policy domain=\"resource\" name=\"area\" value=\"%3\"/>\n"
                                             "  <policy domain=\"resource\" name=\"memory\" value=\"%4\"/>\n"
                                             "  <policy domain=\"resource\" name=\"map\" value=\"%4\"/>\n"
                                             "  <policy domain=\"resource\" name=\"disk\" value=\"%5\"/>\n"
                                             "  <policy domain=\"resource\" name=\"list-length\" value=\"%6\"/>\n"
                                             "</policymap>\n")
                                  .arg(kMaxWidth)
                                  .arg(kMaxHeight)
                                  .arg(kMaxArea)
                                  .arg(kMaxMemoryBytes)
                                  .arg(kMaxDiskBytes)
                                  .arg(kMaxPages)
                                  .toUtf8();
    QTemporaryDir folder;
    QFile file(folder.filePath("policy.xml"));
    const bool written
        = folder.isValid() && file.open(QIODevice::WriteOnly) && file.write(policy) == policy.size() && file.flush();
    file.close();
    const QByteArray before = qgetenv("MAGICK_CONFIGURE_PATH");
    if (written)
        qputenv("MAGICK_CONFIGURE_PATH", QFile::encodeName(folder.path()) + (before.isEmpty() ? "" : ":" + before));
    else
        qCWarning(lcImaging) << "no policy of our own: the system's resource limits apply";
    Magick::InitializeMagick(nullptr);
    if (!written)
        return;
    if (before.isEmpty())
        qunsetenv("MAGICK_CONFIGURE_PATH");
    else
        qputenv("MAGICK_CONFIGURE_PATH", before);
}

} // namespace

void startup()
{
    static std::once_flag once;
    std::call_once(once, [] {
        try {
            initializeWithOwnLimits();
            using L = Magick::ResourceLimits;
            L::width(KivLeadLimits::kMaxWidth);
            L::height(KivLeadLimits::kMaxHeight);
            L::area(KivLeadLimits::kMaxArea);
            L::memory(KivLeadLimits::kMaxMemoryBytes);
            L::map(KivLeadLimits::kMaxMemoryBytes);
            L::disk(KivLeadLimits::kMaxDiskBytes);
            L::listLength(KivLeadLimits::kMaxPages);
        } catch (...) {
            // Runs from constructors too: a failure leaves the defaults.
        }
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

const char* const kMagick[] = {"", "BMP", "JPEG", "PNG", "GIF", "TIFF", "WEBP", "PNM", "ICO"};

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
    // Reserved 0, type 1 (icon), at least one image.
    if (n >= 6 && starts("\0\0\1\0", 4) && (p[4] | p[5]) != 0)
        return KIVLEAD_FORMAT_ICO;
    return KIVLEAD_FORMAT_UNKNOWN;
}

bool multiPage(int format)
{
    return KivLeadFormatHoldsPages(format) != 0;
}

// The format of a regular file by its first bytes; a status when it cannot be read.
int sniffFile(const char* file, ByteSource& source, int* format)
{
    if (!file || !*file)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!source.openFile(file))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    std::uint8_t head[16] = {};
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), sizeof head));
    if (!source.read(0, head, n))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    *format = sniff(head, n);
    return KIVLEAD_SUCCESS;
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
        // Coders that read every frame anyway (GIF, ICO) keep only the
        // frames this names; without it they hand back the first.
        MagickCore::CloneString(&info->scenes, std::to_string(page - 1).c_str());
    }
}

// The size a PNG or PNM header declares; false for other formats, or a
// header that says none.
bool declaredSize(const std::uint8_t* data, std::size_t size, int format, long long& width, long long& height)
{
    if (format == KIVLEAD_FORMAT_PNG) {
        if (size < 24)
            return false;
        width = ReadBe32(data + 16);
        height = ReadBe32(data + 20);
        return true;
    }
    if (format != KIVLEAD_FORMAT_PNM)
        return false;
    // "P6", then the width and the height, between blanks and # comments.
    std::size_t at = 2;
    long long numbers[2] = {-1, -1};
    for (long long& n : numbers) {
        while (at < size && (std::isspace(data[at]) || data[at] == '#')) {
            if (data[at] == '#')
                while (at < size && data[at] != '\n')
                    ++at;
            else
                ++at;
        }
        for (n = 0; at < size && std::isdigit(data[at]) && n <= (1LL << 40); ++at)
            n = n * 10 + (data[at] - '0');
    }
    width = numbers[0];
    height = numbers[1];
    return width > 0 && height > 0;
}

// Decodes into list; warnings about unknown tags and the like keep what
// was read, a warning that the data is corrupt (truncated) fails.
int decode(std::list<Magick::Image>& list, const std::uint8_t* data, std::size_t size, int format, bool ping, int page,
    const char* sizeHint = nullptr)
{
    // The sizes a file declares are held to the limits before any pixel is
    // decoded (a JPEG decoded at a fraction of its size would pass them). A
    // coder meeting a size past them may give up as if the data were
    // damaged, the PNG coder even when only reading the header; and the PNM
    // coder's header reading leaks: those two headers are read here.
    using namespace KivLeadLimits;
    long long width = 0, height = 0;
    if (!ping && declaredSize(data, size, format, width, height)) {
        if (width > kMaxWidth || height > kMaxHeight || width * height > kMaxArea)
            return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    } else if (!ping && format != KIVLEAD_FORMAT_PNM) {
        std::list<Magick::Image> headers;
        const int declared = decode(headers, data, size, format, true, page);
        if (declared != KIVLEAD_SUCCESS)
            return declared;
        for (const Magick::Image& image : headers) {
            const auto width = static_cast<long long>(image.columns());
            const auto height = static_cast<long long>(image.rows());
            if (width > kMaxWidth || height > kMaxHeight || width * height > kMaxArea)
                return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
        }
    }
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
    for (const Magick::Image& image : list) {
        const MagickCore::Image* core = image.constImage();
        // A decoder that ran out of data (a JPEG cut short) leaves its
        // warning with the picture instead of throwing it, and fills the rest
        // grey: that is no picture of the file.
        const MagickCore::ExceptionType kept = core->exception.severity;
        if (kept == MagickCore::ResourceLimitWarning || kept == MagickCore::ResourceLimitError)
            return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
        if (kept == MagickCore::CorruptImageWarning || kept >= MagickCore::ErrorException)
            return KIVLEAD_ERROR_INVALID_FILE;
        // A picture decoded at a fraction of its size (jpeg:size) is held to
        // the limits by the size it declares.
        using namespace KivLeadLimits;
        const auto width = static_cast<long long>(core->magick_columns ? core->magick_columns : core->columns);
        const auto height = static_cast<long long>(core->magick_rows ? core->magick_rows : core->rows);
        if (!ping && (width > kMaxWidth || height > kMaxHeight || width * height > kMaxArea))
            return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    }
    return KIVLEAD_SUCCESS;
}

// Whether the image is one bit of grey: fax coding keeps no colours.
bool blackAndWhite(const Magick::Image& image)
{
    if (image.classType() == Magick::PseudoClass) {
        if (image.colorMapSize() > 2)
            return false;
        for (std::size_t i = 0; i < image.colorMapSize(); ++i) {
            const Magick::ColorRGB c = image.colorMap(i);
            if (!((c.red() == 0 && c.green() == 0 && c.blue() == 0)
                    || (c.red() == 1 && c.green() == 1 && c.blue() == 1)))
                return false;
        }
        return true;
    }
    return image.depth() == 1 && image.colorSpace() == Magick::GRAYColorspace;
}

int encodeBlob(std::list<Magick::Image>& pages, int format, int quality, Magick::Blob& blob)
{
    for (auto& p : pages) {
        p.magick(kMagick[format]);
        if (format == KIVLEAD_FORMAT_JPEG || format == KIVLEAD_FORMAT_WEBP)
            p.quality(static_cast<size_t>(std::clamp(100 - quality * 99 / 255, 1, 100)));
        if (format == KIVLEAD_FORMAT_JPEG && p.matte())
            p.matte(false);
        // Black-and-white pages (scans, faxes) keep the fax coding such
        // files use; anything else, a two-colour palette page too, goes LZW
        // and keeps its colours.
        if (format == KIVLEAD_FORMAT_TIFF)
            p.compressType(blackAndWhite(p) ? MagickCore::Group4Compression : MagickCore::LZWCompression);
        // A full 256-colour palette makes the PNG coder's own palette choice
        // fail ("Valid palette required"); asking for PNG8 keeps the palette.
        if (format == KIVLEAD_FORMAT_PNG && p.classType() == Magick::PseudoClass && p.colorMapSize() > 16
            && p.colorMapSize() <= 256 && !p.matte())
            p.defineValue("png", "format", "png8");
    }
    if (pages.size() == 1)
        pages.front().write(&blob);
    else
        Magick::writeImages(pages.begin(), pages.end(), &blob, true);
    return blob.length() == 0 ? KIVLEAD_ERROR_FILE_WRITE : KIVLEAD_SUCCESS;
}

int encode(std::list<Magick::Image>& pages, int format, int quality, std::string& out)
{
    Magick::Blob blob;
    const int status = encodeBlob(pages, format, quality, blob);
    out.assign(static_cast<const char*>(blob.data()), blob.length());
    return status;
}

int writeAtomically(const char* file, const void* data, std::size_t size)
{
    AtomicFile f(file);
    if (!f.open() || !f.write(data, size) || !f.commit())
        return KIVLEAD_ERROR_FILE_WRITE;
    return KIVLEAD_SUCCESS;
}

int writeAtomically(const char* file, const std::string& bytes)
{
    return writeAtomically(file, bytes.data(), bytes.size());
}

// Decodes the file's pages, lets change edit them and writes them back in
// format (its own when unknown), under the file's lock from the read to the
// rename, so another writer's change is never lost in between. A missing
// file starts with no pages when mayCreate, else it is not found.
int rewritePages(const char* file, int format, int quality, bool mayCreate,
    const std::function<int(std::list<Magick::Image>&)>& change)
{
    int status = KIVLEAD_SUCCESS;
    bool read = false;
    const bool done = AtomicFile::Update(file, static_cast<std::uint64_t>(KivLeadLimits::kMaxFileBytes),
        [&](const std::string* old) -> std::optional<std::string> {
            read = true;
            std::list<Magick::Image> pages;
            int own = format;
            if (!old) {
                status = mayCreate ? KIVLEAD_SUCCESS : KIVLEAD_ERROR_FILE_NOT_FOUND;
            } else {
                const auto* data = reinterpret_cast<const std::uint8_t*>(old->data());
                const int stored = sniff(data, old->size());
                status = stored == KIVLEAD_FORMAT_UNKNOWN ? KIVLEAD_ERROR_UNKNOWN_FORMAT
                                                          : decode(pages, data, old->size(), stored, false, 0);
                if (own == KIVLEAD_FORMAT_UNKNOWN)
                    own = stored;
            }
            if (status == KIVLEAD_SUCCESS)
                status = change(pages);
            std::string out;
            if (status == KIVLEAD_SUCCESS)
                status = encode(pages, own, quality, out);
            if (status != KIVLEAD_SUCCESS)
                return std::nullopt;
            return out;
        });
    if (!done)
        return read ? KIVLEAD_ERROR_FILE_WRITE : KIVLEAD_ERROR_FILE_NOT_FOUND;
    return status;
}

int loadBytes(const std::uint8_t* data, std::size_t size, int format, CLeadBitmap* bitmap, int bits, int page);
int infoOf(const std::uint8_t* data, std::size_t size, std::uint64_t fileSize, KivLeadFileInfo* info);

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
    case KIVLEAD_ERROR_NO_SCANNER: return "no such scanner, or it could not be opened";
    case KIVLEAD_ERROR_SCAN_FAILED: return "the scanner stopped or went away during the scan";
    case KIVLEAD_ERROR_NO_CAPTURE:
        return "screen capture is not available in this session (no display, offscreen, or Wayland without a portal)";
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
    if (ext == "ico")
        return KIVLEAD_FORMAT_ICO;
    return KIVLEAD_FORMAT_UNKNOWN;
}

const char* KivLeadFormatName(int format)
{
    return format > 0 && format <= KIVLEAD_FORMAT_ICO ? kMagick[format] : "unknown";
}

int KivLeadFormatHoldsPages(int format)
{
    return format == KIVLEAD_FORMAT_TIFF || format == KIVLEAD_FORMAT_GIF || format == KIVLEAD_FORMAT_ICO;
}

int KivLeadFormatOfPageCode(int code)
{
    // The codes documents store for files that can hold pages: GIF, and the
    // TIFF family (its compressions, fax and colour variants), all of which
    // libtiff reads and writes as TIFF here.
    static constexpr struct {
        int code;
        int format;
    } kPageCodes[] = {{2, KIVLEAD_FORMAT_GIF}, {3, KIVLEAD_FORMAT_TIFF}, {11, KIVLEAD_FORMAT_TIFF},
        {17, KIVLEAD_FORMAT_TIFF}, {22, KIVLEAD_FORMAT_TIFF}, {24, KIVLEAD_FORMAT_TIFF}, {25, KIVLEAD_FORMAT_TIFF},
        {27, KIVLEAD_FORMAT_TIFF}, {28, KIVLEAD_FORMAT_TIFF}, {29, KIVLEAD_FORMAT_TIFF}, {80, KIVLEAD_FORMAT_TIFF},
        {81, KIVLEAD_FORMAT_TIFF}, {82, KIVLEAD_FORMAT_TIFF}, {83, KIVLEAD_FORMAT_TIFF}, {85, KIVLEAD_FORMAT_TIFF},
        {86, KIVLEAD_FORMAT_TIFF}, {87, KIVLEAD_FORMAT_TIFF}, {88, KIVLEAD_FORMAT_TIFF}, {93, KIVLEAD_FORMAT_TIFF},
        {94, KIVLEAD_FORMAT_TIFF}, {95, KIVLEAD_FORMAT_TIFF}};
    for (const auto& c : kPageCodes)
        if (c.code == code)
            return c.format;
    return KIVLEAD_FORMAT_UNKNOWN;
}

namespace {
// The code a document stores for each format: the page-capable ones keep
// the codes above, the others get codes outside that list.
constexpr struct {
    int format;
    int code;
} kFormatCodes[]
    = {{KIVLEAD_FORMAT_BMP, 6}, {KIVLEAD_FORMAT_JPEG, 10}, {KIVLEAD_FORMAT_PNG, 75}, {KIVLEAD_FORMAT_GIF, 2},
        {KIVLEAD_FORMAT_TIFF, 3}, {KIVLEAD_FORMAT_WEBP, 119}, {KIVLEAD_FORMAT_PNM, 14}, {KIVLEAD_FORMAT_ICO, 98}};
} // namespace

int KivLeadCodeOfFormat(int format)
{
    for (const auto& c : kFormatCodes)
        if (c.format == format)
            return c.code;
    return -1;
}

int KivLeadFormatOfCode(int code)
{
    if (const int paged = KivLeadFormatOfPageCode(code); paged != KIVLEAD_FORMAT_UNKNOWN)
        return paged;
    for (const auto& c : kFormatCodes)
        if (c.code == code)
            return c.format;
    return KIVLEAD_FORMAT_UNKNOWN;
}

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
