// SPDX-License-Identifier: MIT
// Bytes to pages and back: signatures, whole-file reads, the pinned decoder
// and encoder, and the locked rewrite of a file's pages.
#include "imaging/toolkit/LeadCodec_p.h"

#include "platform/base/ByteOrder.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ByteSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>

namespace kivlead {

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
    clearFailure();
    if (!file || !*file)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!source.openFile(file)) {
        noteFailure(std::string("cannot open ") + file + ": " + source.errorText());
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    }
    std::uint8_t head[32] = {}; // a BMP is told by its first 26 bytes
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), sizeof head));
    if (!source.read(0, head, n))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    *format = sniff(head, n);
    return KIVLEAD_SUCCESS;
}

// Reads a regular file whole, within the size cap.
int readFile(const char* file, std::vector<std::uint8_t>& bytes)
{
    clearFailure();
    if (!file || !*file)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    ByteSource source;
    if (!source.openFile(file)) {
        noteFailure(std::string("cannot open ") + file + ": " + source.errorText());
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    }
    if (source.size() > static_cast<std::uint64_t>(KivLeadLimits::kMaxFileBytes))
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    bytes.resize(static_cast<std::size_t>(source.size()));
    if (!source.read(0, bytes.data(), bytes.size()))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    return KIVLEAD_SUCCESS;
}

// Options that pin the decoder to format and, for a load, to one page.
static void pin(Magick::ReadOptions& options, int format, bool ping, int page)
{
    MagickCore::ImageInfo* info = options.imageInfo();
    // Format names are short constants: they and the colon always fit.
    const std::string name = magickName(format);
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
static bool declaredSize(const std::uint8_t* data, std::size_t size, int format, long long& width, long long& height)
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
    const char* sizeHint)
{
    // The sizes a file declares are held to the limits before any pixel is
    // decoded (a JPEG decoded at a fraction of its size would pass them). A
    // coder meeting a size past them may give up as if the data were
    // damaged, the PNG coder even when only reading the header; and the PNM
    // coder's header reading leaks: those two headers are read here, for
    // the information a ping gives too.
    using namespace KivLeadLimits;
    long long width = 0, height = 0;
    if (declaredSize(data, size, format, width, height)) {
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
static bool blackAndWhite(const Magick::Image& image)
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
        p.magick(magickName(format));
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
    if (!f.open() || !f.write(data, size) || !f.commit()) {
        noteFailure(std::string("cannot write ") + file + ": " + std::strerror(errno));
        return KIVLEAD_ERROR_FILE_WRITE;
    }
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

} // namespace kivlead
