// SPDX-License-Identifier: MIT
#include "toolkit/TiffTestFiles.h"

#include <tiffio.h>

#include <cstdarg>
#include <set>

namespace imagingtest {

namespace {

std::uint32_t read32(const testsupport::Bytes& b, std::size_t at)
{
    return at + 4 > b.size() ? 0
                             : b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t read16(const testsupport::Bytes& b, std::size_t at)
{
    return at + 2 > b.size() ? 0 : static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// libtiff's messages stay with this handle: the image library in the same
// process installs global handlers that expect to run inside its own calls.
int quiet(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

TIFF* open(const std::string& path, const char* mode)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TIFF* t = TIFFOpenExt(path.c_str(), mode, options);
    TIFFOpenOptionsFree(options);
    return t;
}

} // namespace

bool writeTiff(const std::string& path, const std::vector<TiffPageSpec>& pages)
{
    TIFF* t = open(path, "wl");
    if (!t)
        return false;
    bool ok = true;
    for (std::size_t i = 0; i < pages.size() && ok; ++i) {
        const TiffPageSpec& p = pages[i];
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, p.width);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, p.height);
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, p.bitsPerSample);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, p.samples);
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 8);
        TIFFSetField(t, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(t, TIFFTAG_PAGENUMBER, static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(pages.size()));
        std::uint16_t photometric = p.samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
        std::uint16_t compression = COMPRESSION_NONE;
        std::vector<std::uint16_t> map(256);
        if (p.kind == TiffPageSpec::Lzw)
            compression = COMPRESSION_LZW;
        if (p.kind == TiffPageSpec::Fax4) {
            compression = COMPRESSION_CCITTFAX4;
            photometric = PHOTOMETRIC_MINISWHITE;
        }
        if (p.kind == TiffPageSpec::Palette) {
            compression = COMPRESSION_PACKBITS;
            photometric = PHOTOMETRIC_PALETTE;
            for (int c = 0; c < 256; ++c)
                map[c] = static_cast<std::uint16_t>(c * 257);
            TIFFSetField(t, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
        }
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, photometric);
        if (p.kind == TiffPageSpec::Tiled) {
            TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
            TIFFSetField(t, TIFFTAG_TILEWIDTH, 16);
            TIFFSetField(t, TIFFTAG_TILELENGTH, 16);
            std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize(t)));
            for (int ty = 0; ty < p.height && ok; ty += 16)
                for (int tx = 0; tx < p.width && ok; tx += 16) {
                    for (int y = 0; y < 16; ++y)
                        for (int x = 0; x < 16 * p.samples; ++x)
                            tile[static_cast<std::size_t>(y * 16 * p.samples + x)]
                                = static_cast<std::uint8_t>((tx + x) * 5 + (ty + y) * 2);
                    ok = TIFFWriteTile(
                             t, tile.data(), static_cast<std::uint32_t>(tx), static_cast<std::uint32_t>(ty), 0, 0)
                        > 0;
                }
            ok = ok && TIFFWriteDirectory(t);
            continue;
        }
        TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
        // Fax writers (Ghostscript among them) store the coding options too.
        if (p.kind == TiffPageSpec::Fax4)
            TIFFSetField(t, TIFFTAG_GROUP4OPTIONS, 0);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(t)));
        for (int y = 0; y < p.height && ok; ++y) {
            for (int x = 0; x < p.width; ++x) {
                if (p.bitsPerSample == 1) {
                    if ((x + y) % 3 == 0)
                        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                    else
                        row[x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
                } else if (p.samples == 3) {
                    row[x * 3] = static_cast<std::uint8_t>(x * 10);
                    row[x * 3 + 1] = static_cast<std::uint8_t>(y * 20);
                    row[x * 3 + 2] = 7;
                } else {
                    row[x] = static_cast<std::uint8_t>(x * 7 + y * 3 + static_cast<int>(i));
                }
            }
            ok = TIFFWriteScanline(t, row.data(), static_cast<std::uint32_t>(y), 0) == 1;
        }
        ok = ok && TIFFWriteDirectory(t);
    }
    TIFFClose(t);
    return ok;
}

std::vector<testsupport::Bytes> rawPages(const std::string& path)
{
    std::vector<testsupport::Bytes> pages;
    TIFF* t = open(path, "r");
    if (!t)
        return pages;
    do {
        testsupport::Bytes page;
        const bool tiled = TIFFIsTiled(t);
        const std::uint32_t n = tiled ? TIFFNumberOfTiles(t) : TIFFNumberOfStrips(t);
        std::uint64_t* counts = nullptr;
        TIFFGetField(t, tiled ? TIFFTAG_TILEBYTECOUNTS : TIFFTAG_STRIPBYTECOUNTS, &counts);
        for (std::uint32_t i = 0; counts && i < n; ++i) {
            testsupport::Bytes strip(static_cast<std::size_t>(counts[i]));
            const tmsize_t got = tiled ? TIFFReadRawTile(t, i, strip.data(), static_cast<tmsize_t>(strip.size()))
                                       : TIFFReadRawStrip(t, i, strip.data(), static_cast<tmsize_t>(strip.size()));
            strip.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            page.insert(page.end(), strip.begin(), strip.end());
        }
        pages.push_back(std::move(page));
    } while (TIFFReadDirectory(t));
    TIFFClose(t);
    return pages;
}

std::vector<std::uint32_t> directoryOffsets(const testsupport::Bytes& bytes)
{
    std::vector<std::uint32_t> offsets;
    std::set<std::uint32_t> seen;
    for (std::uint32_t at = read32(bytes, 4); at != 0 && at < bytes.size() && seen.insert(at).second;) {
        offsets.push_back(at);
        at = read32(bytes, at + 2 + 12u * read16(bytes, at));
    }
    return offsets;
}

void setNextDirectory(testsupport::Bytes& bytes, std::uint32_t ifd, std::uint32_t next)
{
    const std::size_t at = ifd + 2 + 12u * read16(bytes, ifd);
    if (at + 4 > bytes.size())
        return;
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(next >> (8 * i));
}

} // namespace imagingtest
