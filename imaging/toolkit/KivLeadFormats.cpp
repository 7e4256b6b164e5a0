// Formats: status texts, names and extensions, and the codes documents store.
#include "imaging/toolkit/LeadCodec_p.h"

#include <cstring>
#include <string>

using namespace kivlead;

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
