// SPDX-License-Identifier: MIT
// Formats: status texts, and the one table of formats with their names,
// extensions, dialog filters and the codes documents store.
#include "imaging/toolkit/LeadCodec_p.h"

#include <cstring>
#include <string>
#include <vector>

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

namespace {

// Every format the toolkit reads and writes, once: its coder, the name its
// dialogs show, its extensions (the first is what a save adds), whether the
// save dialogs offer it, whether it holds pages, and the code a document stores for it (the
// page-capable ones keep the codes below, the others get codes outside that
// list). Dialogs, browsers and the command line take their lists from here.
struct FormatRow {
    int format;
    const char* magick;
    const char* label;
    std::vector<const char*> extensions;
    bool offeredForSaving;
    bool holdsPages;
    int code;
};

const std::vector<FormatRow>& formats()
{
    static const std::vector<FormatRow> rows {
        {KIVLEAD_FORMAT_PNG, "PNG", "PNG", {"png"}, true, false, 75},
        {KIVLEAD_FORMAT_TIFF, "TIFF", "TIFF", {"tif", "tiff"}, true, true, 3},
        {KIVLEAD_FORMAT_JPEG, "JPEG", "JPEG", {"jpg", "jpeg", "jpe", "jfif"}, true, false, 10},
        {KIVLEAD_FORMAT_BMP, "BMP", "BMP", {"bmp", "dib"}, true, false, 6},
        {KIVLEAD_FORMAT_GIF, "GIF", "GIF", {"gif"}, true, true, 2},
        {KIVLEAD_FORMAT_WEBP, "WEBP", "WebP", {"webp"}, true, false, 119},
        {KIVLEAD_FORMAT_PNM, "PNM", "PNM", {"pnm", "pbm", "pgm", "ppm"}, false, false, 14},
        {KIVLEAD_FORMAT_ICO, "ICO", "Icon", {"ico"}, false, true, 98},
    };
    return rows;
}

const FormatRow* rowOf(int format)
{
    for (const FormatRow& row : formats())
        if (row.format == format)
            return &row;
    return nullptr;
}

// "*.png;*.tif;…" of the rows pass accepts.
template <class Pass> std::string patterns(Pass&& pass)
{
    std::string out;
    for (const FormatRow& row : formats())
        if (pass(row))
            for (const char* ext : row.extensions)
                out += (out.empty() ? "*." : ";*.") + std::string(ext);
    return out;
}

} // namespace

namespace kivlead {

const char* magickName(int format)
{
    const FormatRow* row = rowOf(format);
    return row ? row->magick : "";
}

} // namespace kivlead

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
    for (const FormatRow& row : formats())
        for (const char* known : row.extensions)
            if (ext == known)
                return row.format;
    return KIVLEAD_FORMAT_UNKNOWN;
}

const char* KivLeadFormatName(int format)
{
    const FormatRow* row = rowOf(format);
    return row ? row->magick : "unknown";
}

const char* KivLeadOpenFilter()
{
    static const std::string filter = [] {
        const std::string all = patterns([](const FormatRow&) { return true; });
        return "Images (" + all + ")|" + all + "|All Files (*.*)|*.*||";
    }();
    return filter.c_str();
}

const char* KivLeadSaveFilter()
{
    static const std::string filter = [] {
        std::string out;
        for (const FormatRow& row : formats())
            if (row.offeredForSaving) {
                const std::string these = patterns([&](const FormatRow& r) { return &r == &row; });
                out += std::string(row.label) + " (" + these + ")|" + these + "|";
            }
        return out + "All Files (*.*)|*.*||";
    }();
    return filter.c_str();
}

const char* KivLeadBrowseFilter()
{
    static const std::string filter = "All Image Files (" + patterns([](const FormatRow&) { return true; }) + ")";
    return filter.c_str();
}

int KivLeadFormatHoldsPages(int format)
{
    const FormatRow* row = rowOf(format);
    return row && row->holdsPages ? 1 : 0;
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

int KivLeadCodeOfFormat(int format)
{
    const FormatRow* row = rowOf(format);
    return row ? row->code : -1;
}

int KivLeadFormatOfCode(int code)
{
    if (const int paged = KivLeadFormatOfPageCode(code); paged != KIVLEAD_FORMAT_UNKNOWN)
        return paged;
    for (const FormatRow& row : formats())
        if (row.code == code)
            return row.format;
    return KIVLEAD_FORMAT_UNKNOWN;
}
