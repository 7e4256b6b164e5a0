// SPDX-License-Identifier: MIT
// Multi-page TIFF through libtiff, one directory at a time.
#include "imaging/toolkit/TiffPages_p.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/ByteSource.h"

#include <tiffio.h>

#include <QLoggingCategory>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcImaging)

namespace kivlead {

namespace {

// libtiff's messages go to the debug log, not to the user's terminal.
int quiet(TIFF*, void*, const char* module, const char* format, va_list ap)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, ap);
    qCDebug(lcImaging) << (module ? module : "tiff") << text;
    return 1;
}

struct Options {
    TIFFOpenOptions* o = TIFFOpenOptionsAlloc();
    Options()
    {
        // One strip or tag array never needs more than this; a directory
        // declaring more is damaged or hostile.
        TIFFOpenOptionsSetMaxSingleMemAlloc(o, 256 * 1024 * 1024);
        TIFFOpenOptionsSetErrorHandlerExtR(o, quiet, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(o, quiet, nullptr);
    }
    ~Options() { TIFFOpenOptionsFree(o); }
};

struct Closer {
    void operator()(TIFF* t) const { TIFFClose(t); }
};
using Tiff = std::unique_ptr<TIFF, Closer>;

// A read-only stream over a ByteSource.
struct Reader {
    const ByteSource* source;
    std::uint64_t pos = 0;
};

tmsize_t readerRead(thandle_t h, void* buffer, tmsize_t n)
{
    auto* r = static_cast<Reader*>(h);
    if (n < 0 || r->pos >= r->source->size())
        return 0;
    const std::uint64_t take = std::min<std::uint64_t>(static_cast<std::uint64_t>(n), r->source->size() - r->pos);
    if (!r->source->read(r->pos, buffer, static_cast<std::size_t>(take)))
        return -1;
    r->pos += take;
    return static_cast<tmsize_t>(take);
}

tmsize_t refuseWrite(thandle_t, void*, tmsize_t)
{
    return -1;
}

toff_t readerSeek(thandle_t h, toff_t offset, int whence)
{
    auto* r = static_cast<Reader*>(h);
    const std::uint64_t base = whence == SEEK_CUR ? r->pos : whence == SEEK_END ? r->source->size() : 0;
    r->pos = base + offset;
    return r->pos;
}

int noClose(thandle_t)
{
    return 0;
}

toff_t readerSize(thandle_t h)
{
    return static_cast<Reader*>(h)->source->size();
}

int noMap(thandle_t, void**, toff_t*)
{
    return 0;
}

void noUnmap(thandle_t, void*, toff_t)
{
}

Tiff openReader(Reader& reader)
{
    static const Options options;
    return Tiff(TIFFClientOpenExt(
        "page", "rm", &reader, readerRead, refuseWrite, readerSeek, noClose, readerSize, noMap, noUnmap, options.o));
}

// A growing block of memory libtiff writes a single-page file into.
struct Memory {
    std::string bytes;
    std::uint64_t pos = 0;
};

tmsize_t memoryRead(thandle_t h, void* buffer, tmsize_t n)
{
    auto* m = static_cast<Memory*>(h);
    if (n <= 0 || m->pos >= m->bytes.size())
        return 0;
    const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), m->bytes.size() - m->pos);
    std::memcpy(buffer, m->bytes.data() + m->pos, take);
    m->pos += take;
    return static_cast<tmsize_t>(take);
}

tmsize_t memoryWrite(thandle_t h, void* buffer, tmsize_t n)
{
    auto* m = static_cast<Memory*>(h);
    if (n < 0 || m->pos + static_cast<std::uint64_t>(n) > static_cast<std::uint64_t>(KivLeadLimits::kMaxFileBytes))
        return -1;
    // libtiff writes nothing with a null buffer at times; memcpy may not see it.
    if (n == 0)
        return 0;
    const std::size_t end = static_cast<std::size_t>(m->pos) + static_cast<std::size_t>(n);
    if (end > m->bytes.size())
        m->bytes.resize(end);
    std::memcpy(m->bytes.data() + m->pos, buffer, static_cast<std::size_t>(n));
    m->pos = end;
    return n;
}

toff_t memorySeek(thandle_t h, toff_t offset, int whence)
{
    auto* m = static_cast<Memory*>(h);
    const std::uint64_t base = whence == SEEK_CUR ? m->pos : whence == SEEK_END ? m->bytes.size() : 0;
    m->pos = base + offset;
    return m->pos;
}

toff_t memorySize(thandle_t h)
{
    return static_cast<Memory*>(h)->bytes.size();
}

Tiff openMemory(Memory& memory, const char* mode)
{
    static const Options options;
    return Tiff(TIFFClientOpenExt(
        "page", mode, &memory, memoryRead, memoryWrite, memorySeek, noClose, memorySize, noMap, noUnmap, options.o));
}

// The number of directories, walking the chain once; libtiff stops at a
// loop. Negative status when the chain is damaged or too long.
int countPages(TIFF* in)
{
    const tdir_t n = TIFFNumberOfDirectories(in);
    if (n == 0)
        return KIVLEAD_ERROR_INVALID_FILE;
    if (n > static_cast<tdir_t>(kMaxTiffPages))
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    return static_cast<int>(n);
}

// Opens reader's file into in: the number of its pages, or a negative
// status when it is no TIFF or its chain is damaged.
int openPages(Reader& reader, Tiff& in)
{
    in = openReader(reader);
    return in ? countPages(in.get()) : KIVLEAD_ERROR_INVALID_FILE;
}

template <class T> bool copyOne(TIFF* in, TIFF* out, ttag_t tag)
{
    T v {};
    return !TIFFGetField(in, tag, &v) || TIFFSetField(out, tag, v);
}

bool copyCounted(TIFF* in, TIFF* out, ttag_t tag)
{
    uint32_t count = 0;
    void* data = nullptr;
    return !TIFFGetField(in, tag, &count, &data) || !data || TIFFSetField(out, tag, count, data);
}

// The tags a page needs to be shown as it was, and those describing it.
// Private and unknown tags, sub-images and EXIF directories are not carried.
bool copyTags(TIFF* in, TIFF* out, int index, int total)
{
    bool ok = true;
    for (ttag_t t : {TIFFTAG_SUBFILETYPE, TIFFTAG_IMAGEWIDTH, TIFFTAG_IMAGELENGTH, TIFFTAG_ROWSPERSTRIP,
             TIFFTAG_TILEWIDTH, TIFFTAG_TILELENGTH})
        ok = ok && copyOne<uint32_t>(in, out, t);
    // The compression first: the codec's own tags (fax options, predictor)
    // exist in the output only once it is set.
    ok = ok && copyOne<uint16_t>(in, out, TIFFTAG_COMPRESSION);
    for (ttag_t t : {TIFFTAG_GROUP3OPTIONS, TIFFTAG_GROUP4OPTIONS})
        ok = ok && copyOne<uint32_t>(in, out, t);
    for (ttag_t t : {TIFFTAG_BITSPERSAMPLE, TIFFTAG_SAMPLESPERPIXEL, TIFFTAG_PHOTOMETRIC, TIFFTAG_PLANARCONFIG,
             TIFFTAG_FILLORDER, TIFFTAG_ORIENTATION, TIFFTAG_RESOLUTIONUNIT, TIFFTAG_PREDICTOR, TIFFTAG_SAMPLEFORMAT,
             TIFFTAG_THRESHHOLDING, TIFFTAG_MINSAMPLEVALUE, TIFFTAG_MAXSAMPLEVALUE, TIFFTAG_INKSET,
             TIFFTAG_YCBCRPOSITIONING, TIFFTAG_CLEANFAXDATA})
        ok = ok && copyOne<uint16_t>(in, out, t);
    for (ttag_t t : {TIFFTAG_XRESOLUTION, TIFFTAG_YRESOLUTION, TIFFTAG_XPOSITION, TIFFTAG_YPOSITION})
        ok = ok && copyOne<float>(in, out, t);
    for (ttag_t t :
        {TIFFTAG_ARTIST, TIFFTAG_DATETIME, TIFFTAG_DOCUMENTNAME, TIFFTAG_HOSTCOMPUTER, TIFFTAG_IMAGEDESCRIPTION,
            TIFFTAG_MAKE, TIFFTAG_MODEL, TIFFTAG_PAGENAME, TIFFTAG_SOFTWARE, TIFFTAG_COPYRIGHT})
        ok = ok && copyOne<const char*>(in, out, t);
    for (ttag_t t : {TIFFTAG_ICCPROFILE, TIFFTAG_JPEGTABLES, TIFFTAG_XMLPACKET, TIFFTAG_PHOTOSHOP})
        ok = ok && copyCounted(in, out, t);
    uint16_t a = 0, b = 0;
    if (TIFFGetField(in, TIFFTAG_YCBCRSUBSAMPLING, &a, &b))
        ok = ok && TIFFSetField(out, TIFFTAG_YCBCRSUBSAMPLING, a, b);
    if (TIFFGetField(in, TIFFTAG_HALFTONEHINTS, &a, &b))
        ok = ok && TIFFSetField(out, TIFFTAG_HALFTONEHINTS, a, b);
    // Page numbers follow the page's new place.
    if (TIFFGetField(in, TIFFTAG_PAGENUMBER, &a, &b))
        ok = ok && TIFFSetField(out, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(index), static_cast<uint16_t>(total));
    uint16_t count = 0;
    uint16_t* extra = nullptr;
    if (TIFFGetField(in, TIFFTAG_EXTRASAMPLES, &count, &extra) && extra)
        ok = ok && TIFFSetField(out, TIFFTAG_EXTRASAMPLES, count, extra);
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (TIFFGetField(in, TIFFTAG_COLORMAP, &red, &green, &blue) && red && green && blue)
        ok = ok && TIFFSetField(out, TIFFTAG_COLORMAP, red, green, blue);
    float* floats = nullptr;
    for (ttag_t t :
        {TIFFTAG_REFERENCEBLACKWHITE, TIFFTAG_YCBCRCOEFFICIENTS, TIFFTAG_WHITEPOINT, TIFFTAG_PRIMARYCHROMATICITIES})
        if (TIFFGetField(in, t, &floats) && floats)
            ok = ok && TIFFSetField(out, t, floats);
    return ok;
}

// Copies the current directory of in, its tags and its raw strips or tiles
// as stored, as the next directory of out. limit caps one strip's size (the
// input's size: a strip cannot be larger than the file holding it).
int copyDirectory(TIFF* in, TIFF* out, int index, int total, std::uint64_t limit, std::vector<std::uint8_t>& buffer)
{
    uint32_t width = 0, height = 0;
    if (!TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(in, TIFFTAG_IMAGELENGTH, &height) || width == 0
        || height == 0)
        return KIVLEAD_ERROR_INVALID_FILE;
    if (!copyTags(in, out, index, total))
        return KIVLEAD_ERROR_FAILURE; // a compression or tag this libtiff cannot write
    const bool tiled = TIFFIsTiled(in);
    const uint32_t n = tiled ? TIFFNumberOfTiles(in) : TIFFNumberOfStrips(in);
    uint64_t* counts = nullptr;
    if (n == 0 || !TIFFGetField(in, tiled ? TIFFTAG_TILEBYTECOUNTS : TIFFTAG_STRIPBYTECOUNTS, &counts) || !counts)
        return KIVLEAD_ERROR_INVALID_FILE;
    for (uint32_t i = 0; i < n; ++i) {
        const uint64_t size = counts[i];
        if (size > limit)
            return KIVLEAD_ERROR_INVALID_FILE;
        buffer.resize(static_cast<std::size_t>(size));
        const tmsize_t got = size == 0 ? 0
            : tiled                    ? TIFFReadRawTile(in, i, buffer.data(), static_cast<tmsize_t>(size))
                                       : TIFFReadRawStrip(in, i, buffer.data(), static_cast<tmsize_t>(size));
        if (got < 0 || static_cast<uint64_t>(got) != size)
            return KIVLEAD_ERROR_INVALID_FILE;
        const tmsize_t put
            = tiled ? TIFFWriteRawTile(out, i, buffer.data(), got) : TIFFWriteRawStrip(out, i, buffer.data(), got);
        if (put != got)
            return KIVLEAD_ERROR_FILE_WRITE;
    }
    return TIFFWriteDirectory(out) ? KIVLEAD_SUCCESS : KIVLEAD_ERROR_FILE_WRITE;
}

int bitsOfDirectory(TIFF* in)
{
    uint16_t bits = 1, samples = 1;
    TIFFGetFieldDefaulted(in, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(in, TIFFTAG_SAMPLESPERPIXEL, &samples);
    return static_cast<int>(bits) * static_cast<int>(samples);
}

} // namespace

int tiffPages(const ByteSource& source, std::vector<KivLeadFileInfo>* pages)
{
    Reader reader {&source};
    Tiff in;
    const int count = openPages(reader, in);
    if (count < 0)
        return count;
    pages->clear();
    pages->reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !TIFFReadDirectory(in.get()))
            return KIVLEAD_ERROR_INVALID_FILE;
        uint32_t width = 0, height = 0;
        if (!TIFFGetField(in.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(in.get(), TIFFTAG_IMAGELENGTH, &height)
            || width == 0 || height == 0)
            return KIVLEAD_ERROR_INVALID_FILE;
        KivLeadFileInfo info;
        info.format = KIVLEAD_FORMAT_TIFF;
        info.width = static_cast<int>(std::min<uint32_t>(width, INT32_MAX));
        info.height = static_cast<int>(std::min<uint32_t>(height, INT32_MAX));
        info.bitsPerPixel = bitsOfDirectory(in.get());
        info.pages = count;
        info.fileSize = source.size();
        pages->push_back(info);
    }
    return KIVLEAD_SUCCESS;
}

int tiffExtractPage(const ByteSource& source, int page, std::string& single)
{
    Reader reader {&source};
    Tiff in;
    const int count = openPages(reader, in);
    if (count < 0)
        return count;
    if (page < 1 || page > count)
        return KIVLEAD_ERROR_PAGE_NOT_FOUND;
    if (!TIFFSetDirectory(in.get(), static_cast<tdir_t>(page - 1)))
        return KIVLEAD_ERROR_INVALID_FILE;
    uint32_t width = 0, height = 0;
    TIFFGetField(in.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(in.get(), TIFFTAG_IMAGELENGTH, &height);
    if (width > KivLeadLimits::kMaxWidth || height > KivLeadLimits::kMaxHeight
        || static_cast<long long>(width) * height > KivLeadLimits::kMaxArea)
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    Memory memory;
    std::vector<std::uint8_t> buffer;
    int status;
    {
        Tiff out = openMemory(memory, TIFFIsBigEndian(in.get()) ? "wb" : "wl");
        if (!out)
            return KIVLEAD_ERROR_NO_MEMORY;
        status = copyDirectory(in.get(), out.get(), 0, 1, source.size(), buffer);
    }
    if (status == KIVLEAD_SUCCESS)
        single = std::move(memory.bytes);
    return status;
}

int tiffRewrite(const char* file, const TiffEdit& edit)
{
    ByteSource source;
    if (!source.openLocked(file))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    Reader reader {&source};
    Tiff in;
    const int count = openPages(reader, in);
    if (count < 0)
        return count;
    const int last = edit.kind == TiffEdit::Insert ? count + 1 : count;
    if (edit.page < 1 || edit.page > last)
        return KIVLEAD_ERROR_PAGE_NOT_FOUND;
    // A file keeps at least one page: deleting the last would leave no image.
    if (edit.kind == TiffEdit::Delete && count == 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const std::size_t news = edit.kind == TiffEdit::Delete ? 0 : edit.added.size();
    if (edit.kind == TiffEdit::Replace ? news != 1 : edit.kind == TiffEdit::Insert && news == 0)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (edit.kind == TiffEdit::Insert
        && static_cast<std::size_t>(count) + news > static_cast<std::size_t>(kMaxTiffPages))
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    // Each new page is read from its own memory file; the vectors keep their
    // places, which the open files point to.
    std::vector<Memory> added(news);
    std::vector<Tiff> fresh(news);
    for (std::size_t k = 0; k < news; ++k) {
        added[k].bytes = edit.added[k];
        fresh[k] = openMemory(added[k], "r");
        if (!fresh[k])
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
    }
    int total = count - (edit.kind == TiffEdit::Delete ? 1 : 0);
    if (edit.kind == TiffEdit::Insert)
        total += static_cast<int>(news);

    AtomicFile target(file);
    if (!target.open())
        return KIVLEAD_ERROR_FILE_WRITE;
    const int fd = target.openTempForUpdate();
    if (fd < 0)
        return KIVLEAD_ERROR_FILE_WRITE;
    std::string mode = TIFFIsBigEndian(in.get()) ? "wb" : "wl";
    // Past 2 GiB of input the output may pass what classic offsets reach.
    if (TIFFIsBigTIFF(in.get()) || source.size() > (2ULL << 30))
        mode += "8";
    static const Options options;
    Tiff out(TIFFFdOpenExt(fd, target.tempPath().c_str(), mode.c_str(), options.o));
    if (!out) {
        ::close(fd);
        return KIVLEAD_ERROR_FILE_WRITE;
    }
    std::vector<std::uint8_t> buffer;
    int written = 0;
    auto putNew = [&] {
        for (std::size_t k = 0; k < news; ++k) {
            const int status
                = copyDirectory(fresh[k].get(), out.get(), written++, total, added[k].bytes.size(), buffer);
            if (status != KIVLEAD_SUCCESS)
                return status;
        }
        return KIVLEAD_SUCCESS;
    };
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !TIFFReadDirectory(in.get()))
            return KIVLEAD_ERROR_INVALID_FILE;
        int status = KIVLEAD_SUCCESS;
        const bool here = i + 1 == edit.page;
        if (here && edit.kind == TiffEdit::Insert)
            status = putNew();
        if (status == KIVLEAD_SUCCESS) {
            if (here && edit.kind == TiffEdit::Replace)
                status = putNew();
            else if (!(here && edit.kind == TiffEdit::Delete))
                status = copyDirectory(in.get(), out.get(), written++, total, source.size(), buffer);
        }
        if (status != KIVLEAD_SUCCESS)
            return status;
    }
    // A chain that does not end cleanly (a loop, an offset past the end)
    // may hide pages behind the damage: the file is left for repair as it is.
    if (!TIFFLastDirectory(in.get()))
        return KIVLEAD_ERROR_INVALID_FILE;
    if (edit.kind == TiffEdit::Insert && edit.page == count + 1) {
        const int status = putNew();
        if (status != KIVLEAD_SUCCESS)
            return status;
    }
    const bool flushed = TIFFFlush(out.get());
    out.reset(); // closes fd
    if (!flushed || !target.commit())
        return KIVLEAD_ERROR_FILE_WRITE;
    return KIVLEAD_SUCCESS;
}

} // namespace kivlead
