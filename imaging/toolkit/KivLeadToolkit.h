// SPDX-License-Identifier: MIT
// The imaging toolkit: one plain function per role the image controls rely
// on (file information, load, save, convert, bitmaps, combine, geometry,
// colour, filters, regions, painting, the clipboard and screen capture).
// Pixels go through ImageMagick behind this header; regions, painting, the
// clipboard and capture through Qt Gui. Printing and scanning are in
// imaging/devices/KivLeadDevices.h, the value dialogs in
// imaging/widgets/KivLeadDlg.h.
//
// Every call returns a status: KIVLEAD_SUCCESS (1) or one of the negative
// codes below. No call throws. Files are untrusted: only the formats listed
// in KivLeadFormat are opened, by their signature, and the decoder runs under
// the limits of KivLeadLimits, set once when the library first works, so a
// file declaring more pixels than they allow fails with
// KIVLEAD_ERROR_IMAGE_TOO_LARGE before its pixels are allocated.
#pragma once

#include "imaging/KivLeadKit_export.h"
#include "imaging/toolkit/CLeadBitmap.h"
#include "platform/base/Win32Types.h"

#include <QRect>
#include <QRegion>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QPainter;
class QPolygon;

// Status codes.
constexpr int KIVLEAD_SUCCESS = 1;
constexpr int KIVLEAD_ERROR_FAILURE = -1; // the library refused the operation
constexpr int KIVLEAD_ERROR_NO_MEMORY = -2; // memory or a resource limit ran out
constexpr int KIVLEAD_ERROR_INVALID_ARGUMENT = -3; // null bitmap, bad size, angle, page
constexpr int KIVLEAD_ERROR_FILE_NOT_FOUND = -4; // missing, not a regular file, unreadable
constexpr int KIVLEAD_ERROR_UNKNOWN_FORMAT = -5; // no signature of a supported format
constexpr int KIVLEAD_ERROR_INVALID_FILE = -6; // truncated or corrupt data
constexpr int KIVLEAD_ERROR_FILE_WRITE = -7; // the target could not be written
constexpr int KIVLEAD_ERROR_IMAGE_TOO_LARGE = -8; // beyond KivLeadLimits
constexpr int KIVLEAD_ERROR_EMPTY_BITMAP = -9; // the bitmap has no pixels
constexpr int KIVLEAD_ERROR_PAGE_NOT_FOUND = -10; // the page is not in the file
constexpr int KIVLEAD_ERROR_NO_CLIPBOARD_IMAGE = -11;
constexpr int KIVLEAD_ERROR_USER_ABORT = -12; // a dialog was cancelled
constexpr int KIVLEAD_ERROR_NO_PRINTER = -13;
constexpr int KIVLEAD_ERROR_NO_SCANNER = -14; // no such device, or it could not be opened
constexpr int KIVLEAD_ERROR_SCAN_FAILED = -15; // the device stopped or went away mid-scan
constexpr int KIVLEAD_ERROR_NO_CAPTURE = -16; // the session offers no screen capture

// The limits every decode and operation runs under.
namespace KivLeadLimits {
constexpr long long kMaxWidth = 32768; // pixels
constexpr long long kMaxHeight = 32768; // pixels
constexpr long long kMaxArea = 256LL * 1024 * 1024; // pixels of one image
constexpr long long kMaxMemoryBytes = 2LL * 1024 * 1024 * 1024; // pixel caches in memory
constexpr long long kMaxDiskBytes = 4LL * 1024 * 1024 * 1024; // pixel caches spilled to disk
constexpr long long kMaxFileBytes = 512LL * 1024 * 1024; // an input file
constexpr int kMaxPages = 4096; // pages of a file read for insert, replace, delete
} // namespace KivLeadLimits

enum KivLeadFormat {
    KIVLEAD_FORMAT_UNKNOWN = 0,
    KIVLEAD_FORMAT_BMP = 1,
    KIVLEAD_FORMAT_JPEG = 2,
    KIVLEAD_FORMAT_PNG = 3,
    KIVLEAD_FORMAT_GIF = 4,
    KIVLEAD_FORMAT_TIFF = 5,
    KIVLEAD_FORMAT_WEBP = 6,
    KIVLEAD_FORMAT_PNM = 7,
    KIVLEAD_FORMAT_ICO = 8,
};

// 1 for the formats that hold pages (TIFF, GIF, ICO).
KIVLEADKIT_EXPORT int KivLeadFormatHoldsPages(int format);
// The format behind a page-capable format code a document stores; UNKNOWN
// for any other code.
KIVLEADKIT_EXPORT int KivLeadFormatOfPageCode(int code);
// The format code a document stores for a format (-1 for none), and back
// (UNKNOWN for a code that names none). ICO holds pages for the command
// line but has no page code, so documents open it as one image.
KIVLEADKIT_EXPORT int KivLeadCodeOfFormat(int format);
KIVLEADKIT_EXPORT int KivLeadFormatOfCode(int code);

struct KivLeadFileInfo {
    int format = KIVLEAD_FORMAT_UNKNOWN;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int pages = 0;
    std::uint64_t fileSize = 0;
};

// Save flags (with a page): replace that page, or insert before it (a page
// one past the last appends).
constexpr unsigned KIVLEAD_SAVE_REPLACE = 0x400;
constexpr unsigned KIVLEAD_SAVE_INSERT = 0x800;

// Resize modes.
constexpr int KIVLEAD_RESIZE_NORMAL = 0; // nearest pixel
constexpr int KIVLEAD_RESIZE_FAVORBLACK = 1; // keeps thin dark lines when shrinking
constexpr int KIVLEAD_RESIZE_RESAMPLE = 2; // filtered

// Combine operations, per channel: the source replaces, or the result is
// the smaller (AND), the larger (OR), the sum (ADD, what edge enhance adds
// its edges with), the difference target − source, |target − source| (XOR)
// or the mean of both.
constexpr unsigned KIVLEAD_COMBINE_COPY = 0x000;
constexpr unsigned KIVLEAD_COMBINE_AND = 0x100;
constexpr unsigned KIVLEAD_COMBINE_OR = 0x200;
constexpr unsigned KIVLEAD_COMBINE_ADD = 0x300;
constexpr unsigned KIVLEAD_COMBINE_SUBTRACT = 0x400;
constexpr unsigned KIVLEAD_COMBINE_XOR = 0x500;
constexpr unsigned KIVLEAD_COMBINE_AVERAGE = 0x600;

// Spatial filter kernels.
enum KivLeadSpatialFilter {
    KIVLEAD_FILTER_GRADIENT = 1,
    KIVLEAD_FILTER_LAPLACIAN = 2,
    KIVLEAD_FILTER_SOBEL = 3,
    KIVLEAD_FILTER_PREWITT = 4,
    KIVLEAD_FILTER_SHIFTDIFF = 5,
    KIVLEAD_FILTER_LINESEGMENT = 6,
    KIVLEAD_FILTER_EDGE_ENHANCE = 16, // the edge-enhance command's kernel
};

// Region combine modes.
constexpr int KIVLEAD_RGN_SET = 0;
constexpr int KIVLEAD_RGN_AND = 1;
constexpr int KIVLEAD_RGN_OR = 2;
constexpr int KIVLEAD_RGN_XOR = 3;
constexpr int KIVLEAD_RGN_ANDNOT = 4;

// The message a status shows to the user ("Error has occured.\nCODE = %d"
// is the view control's; this names the cause for the command line).
KIVLEADKIT_EXPORT const char* KivLeadStatusText(int status);
// Why the last failing call of this thread failed, when a file was the
// cause ("cannot open scan.tif: Permission denied"); empty otherwise.
KIVLEADKIT_EXPORT const char* KivLeadLastError();

// Files ---------------------------------------------------------------
KIVLEADKIT_EXPORT int KivLeadGetFileInfo(const char* file, KivLeadFileInfo* info);
// Every page's width, height and bits (for TIFF the samples × bits per
// sample the file stores); TIFF reads only the directories.
KIVLEADKIT_EXPORT int KivLeadGetPagesInfo(const char* file, std::vector<KivLeadFileInfo>* pages);
// Loads page (1-based) of file; bits 0 keeps the file's own, else 8, 24 or 32.
KIVLEADKIT_EXPORT int KivLeadLoadFile(const char* file, CLeadBitmap* bitmap, int bits = 0, int page = 1);
// The same from bytes in memory (the path the fuzzer drives).
KIVLEADKIT_EXPORT int KivLeadLoadMemory(
    const std::uint8_t* data, std::size_t size, CLeadBitmap* bitmap, int bits = 0, int page = 1);
KIVLEADKIT_EXPORT int KivLeadGetMemoryInfo(const std::uint8_t* data, std::size_t size, KivLeadFileInfo* info);
// Saves through a temporary file and a rename. bits 0 keeps the image's;
// quality 0 (best) to 255 (smallest) as the toolkit counted it, used by
// JPEG and WebP; -1 is the default, 2. Without flags the file is written anew with this one page;
// KIVLEAD_SAVE_REPLACE / INSERT change one page of an existing file.
// The page a load reads and where a page save goes, as the toolkit's
// options records carry them.
struct KivLeadLoadOptions {
    int page = 1;
};
struct KivLeadSaveOptions {
    int page = 1;
    unsigned flags = 0; // KIVLEAD_SAVE_REPLACE or KIVLEAD_SAVE_INSERT
};
KIVLEADKIT_EXPORT int KivLeadSaveFile(
    const char* file, CLeadBitmap* bitmap, int format, int bits, int quality, int page = 1, unsigned flags = 0);
KIVLEADKIT_EXPORT int KivLeadDeletePage(const char* file, int page);
// Every page of source before page of file (count + 1 appends), in one
// rewrite, so the file has all of them or none. A TIFF keeps its other
// pages' bytes, and a TIFF source's pages keep theirs; other multi-page
// files are decoded and written anew.
KIVLEADKIT_EXPORT int KivLeadInsertPages(const char* file, int page, const char* source);
// Page of file becomes the first page of source, in one rewrite. Between
// TIFF files the page keeps its bytes and tags, as stored in source.
KIVLEADKIT_EXPORT int KivLeadReplacePage(const char* file, int page, const char* source);
// Page of file written to target in format. A TIFF page written as a TIFF
// keeps its bytes and tags: its compression, photometric interpretation and
// colour map.
KIVLEADKIT_EXPORT int KivLeadExtractPage(const char* file, int page, const char* target, int format);
// Dialog filters (Win32 form) from the toolkit's one list of formats: every
// format it reads in one entry; one entry per format a save offers; and the
// browsers' "All Image Files (*.png;…)", whose extensions decide which files
// of a folder they list.
KIVLEADKIT_EXPORT const char* KivLeadOpenFilter();
KIVLEADKIT_EXPORT const char* KivLeadSaveFilter();
KIVLEADKIT_EXPORT const char* KivLeadBrowseFilter();
// The format a file name asks for by its extension; UNKNOWN when none fits.
KIVLEADKIT_EXPORT int KivLeadFormatFromName(const char* file);
KIVLEADKIT_EXPORT const char* KivLeadFormatName(int format);
// Loads source and saves it as target in format, resized to width × height
// when both are positive.
KIVLEADKIT_EXPORT int KivLeadConvertFile(
    const char* source, const char* target, int format, int width, int height, int bits, int quality);
// Page 1 of source at exactly width × height (at most 4096 each), 24 bits, as
// a JPEG (quality as for KivLeadSaveFile) or a BMP, written through a
// temporary file. A JPEG source is decoded at a reduced size near the target.
KIVLEADKIT_EXPORT int KivLeadMakeThumbnail(
    const char* source, const char* target, int width, int height, int format, int quality);
// The same thumbnail's file bytes into out, for a caller that writes them.
KIVLEADKIT_EXPORT int KivLeadMakeThumbnailData(
    const char* source, int width, int height, int format, int quality, std::string* out);

// Bitmaps ---------------------------------------------------------------
// A new image of width × height filled with colour; bits 1, 4, 8, 16, 24, 32.
KIVLEADKIT_EXPORT int KivLeadCreateBitmap(CLeadBitmap* bitmap, int width, int height, int bits, COLORREF fill = 0);
// target becomes a copy of source; the pixels are shared until one changes.
KIVLEADKIT_EXPORT int KivLeadCopyBitmap(CLeadBitmap* target, const CLeadBitmap* source);
KIVLEADKIT_EXPORT int KivLeadCopyBitmapRect(
    CLeadBitmap* target, const CLeadBitmap* source, int x, int y, int width, int height);
// Frees pixels, region and paint handle; the object stays.
KIVLEADKIT_EXPORT int KivLeadFreeBitmap(CLeadBitmap* bitmap);
// Wraps a QImage (pixels copied).
KIVLEADKIT_EXPORT int KivLeadFromImage(CLeadBitmap* bitmap, const QImage& image);
// The colour at a pixel; -1 status and 0 outside.
KIVLEADKIT_EXPORT int KivLeadGetPixel(const CLeadBitmap* bitmap, int x, int y, COLORREF* color);

// Combine: source rectangle (sx, sy, width, height) onto target at (x, y).
KIVLEADKIT_EXPORT int KivLeadCombine(CLeadBitmap* target, int x, int y, int width, int height,
    const CLeadBitmap* source, int sx, int sy, unsigned operation);

// Geometry ----------------------------------------------------------------
KIVLEADKIT_EXPORT int KivLeadFlip(CLeadBitmap* bitmap); // top to bottom
KIVLEADKIT_EXPORT int KivLeadMirror(CLeadBitmap* bitmap); // left to right
// Clockwise, in hundredths of a degree; resize 1 enlarges the canvas to hold
// the whole turned image, 0 keeps the size; uncovered corners get fill.
KIVLEADKIT_EXPORT int KivLeadRotate(CLeadBitmap* bitmap, int angle, int resize, COLORREF fill);
// Hundredths of a degree (-4500..4500); horizontal 1 slides rows, 0 columns.
KIVLEADKIT_EXPORT int KivLeadShear(CLeadBitmap* bitmap, int angle, int horizontal, COLORREF fill);
KIVLEADKIT_EXPORT int KivLeadResize(CLeadBitmap* bitmap, int width, int height, int mode);

// Colour ------------------------------------------------------------------
// bits 1, 4, 8 (palette), 24 or 32; dither 1 spreads the error.
KIVLEADKIT_EXPORT int KivLeadColorResolution(CLeadBitmap* bitmap, int bits, int dither);
KIVLEADKIT_EXPORT int KivLeadGrayScale(CLeadBitmap* bitmap, int bits); // 8, 12, 16
KIVLEADKIT_EXPORT int KivLeadFill(CLeadBitmap* bitmap, COLORREF color);
KIVLEADKIT_EXPORT int KivLeadInvert(CLeadBitmap* bitmap);
KIVLEADKIT_EXPORT int KivLeadHistogramEqualize(CLeadBitmap* bitmap);
KIVLEADKIT_EXPORT int KivLeadStretchIntensity(CLeadBitmap* bitmap);
KIVLEADKIT_EXPORT int KivLeadChangeHue(CLeadBitmap* bitmap, int angle); // degrees -360..360 (a full turn either way)
KIVLEADKIT_EXPORT int KivLeadChangeSaturation(CLeadBitmap* bitmap, int change); // -1000..1000
KIVLEADKIT_EXPORT int KivLeadChangeBrightness(CLeadBitmap* bitmap, int change); // -1000..1000
KIVLEADKIT_EXPORT int KivLeadChangeContrast(CLeadBitmap* bitmap, int change); // -1000..1000
KIVLEADKIT_EXPORT int KivLeadHistoContrast(CLeadBitmap* bitmap, int change); // -1000..1000
KIVLEADKIT_EXPORT int KivLeadGammaCorrect(CLeadBitmap* bitmap, int gamma); // gamma × 100, 1..499
KIVLEADKIT_EXPORT int KivLeadIntensityDetect(CLeadBitmap* bitmap, int low, int high); // 0..255
KIVLEADKIT_EXPORT int KivLeadSolarize(CLeadBitmap* bitmap, int threshold); // 0..255
KIVLEADKIT_EXPORT int KivLeadHalftone(CLeadBitmap* bitmap, int angle); // degrees
KIVLEADKIT_EXPORT int KivLeadGetColorCount(const CLeadBitmap* bitmap, unsigned long* count);
// Maps values [low, high] onto the colours from lowColor to highColor.
KIVLEADKIT_EXPORT int KivLeadWindowLevel(CLeadBitmap* bitmap, int low, int high, COLORREF lowColor, COLORREF highColor);
// Minimum and maximum of the grey value (0..255).
KIVLEADKIT_EXPORT int KivLeadGetMinMaxValue(const CLeadBitmap* bitmap, int* minimum, int* maximum);
// The 256-bin histograms of the red, green and blue planes at 8 bits.
KIVLEADKIT_EXPORT int KivLeadGetHistogram(const CLeadBitmap* bitmap, unsigned long histogram[3][256]);
// Remaps each plane at 8 bits through its 256-entry table; a null table
// leaves that plane as it is.
KIVLEADKIT_EXPORT int KivLeadRemapPlanes(
    CLeadBitmap* bitmap, const unsigned char* red, const unsigned char* green, const unsigned char* blue);
// One grey 8-bit image per plane: red, green, blue, or (cmyk 1) cyan, magenta,
// yellow, black. planes needs room for 3 or 4.
KIVLEADKIT_EXPORT int KivLeadSeparate(const CLeadBitmap* bitmap, CLeadBitmap** planes, int cmyk);
KIVLEADKIT_EXPORT int KivLeadMerge(CLeadBitmap* bitmap, CLeadBitmap* const* planes, int cmyk);

// Filters -----------------------------------------------------------------
KIVLEADKIT_EXPORT int KivLeadPosterize(CLeadBitmap* bitmap, int levels); // 2..64
KIVLEADKIT_EXPORT int KivLeadMosaic(CLeadBitmap* bitmap, int size); // tile size in pixels
KIVLEADKIT_EXPORT int KivLeadAverage(CLeadBitmap* bitmap, int size); // box side, odd
KIVLEADKIT_EXPORT int KivLeadMedian(CLeadBitmap* bitmap, int size);
KIVLEADKIT_EXPORT int KivLeadSharpen(CLeadBitmap* bitmap, int amount); // -1000..1000, negative blurs
KIVLEADKIT_EXPORT int KivLeadAddNoise(CLeadBitmap* bitmap, int range, int channel); // range 0..1000
KIVLEADKIT_EXPORT int KivLeadEmboss(CLeadBitmap* bitmap, int direction, int depth); // degrees, 0..1000
KIVLEADKIT_EXPORT int KivLeadOilify(CLeadBitmap* bitmap, int size);
KIVLEADKIT_EXPORT int KivLeadSpatialFilter(CLeadBitmap* bitmap, int filter);
// Straightens a scanned page turned by a few degrees; the uncovered corners
// get fill.
KIVLEADKIT_EXPORT int KivLeadDeskew(CLeadBitmap* bitmap, COLORREF fill);
KIVLEADKIT_EXPORT int KivLeadDespeckle(CLeadBitmap* bitmap);
// Each pixel becomes the largest (maximum 1) or smallest value of the
// size × size square around it; size 1..31.
KIVLEADKIT_EXPORT int KivLeadMinMaxFilter(CLeadBitmap* bitmap, int size, int maximum);
// Binary morphology with a 3 × 3 square: dilation 1 grows the light areas,
// 0 (erosion) shrinks them.
KIVLEADKIT_EXPORT int KivLeadBinaryFilter(CLeadBitmap* bitmap, int dilation);

// Regions (image pixels) ---------------------------------------------------
KIVLEADKIT_EXPORT int KivLeadSetRegionRect(CLeadBitmap* bitmap, const QRect& rect, int mode);
KIVLEADKIT_EXPORT int KivLeadSetRegionEllipse(CLeadBitmap* bitmap, const QRect& rect, int mode);
KIVLEADKIT_EXPORT int KivLeadSetRegionPolygon(CLeadBitmap* bitmap, const QPolygon& polygon, int mode);
KIVLEADKIT_EXPORT int KivLeadSetRegionRoundRect(CLeadBitmap* bitmap, const QRect& rect, int rx, int ry, int mode);
// Every pixel of exactly colour.
KIVLEADKIT_EXPORT int KivLeadSetRegionColor(CLeadBitmap* bitmap, COLORREF color, int mode);
KIVLEADKIT_EXPORT int KivLeadSetRegionHandle(CLeadBitmap* bitmap, const QRegion& region, int mode);
KIVLEADKIT_EXPORT int KivLeadBitmapHasRegion(const CLeadBitmap* bitmap); // 1 or 0
KIVLEADKIT_EXPORT int KivLeadFreeRegion(CLeadBitmap* bitmap);
KIVLEADKIT_EXPORT int KivLeadGetRegionBounds(const CLeadBitmap* bitmap, QRect* bounds);
KIVLEADKIT_EXPORT int KivLeadIsPtInRegion(const CLeadBitmap* bitmap, int x, int y); // 1 or 0
KIVLEADKIT_EXPORT int KivLeadGetRegionHandle(const CLeadBitmap* bitmap, QRegion* region);
// Outlines the region on painter, mapped from source to destination.
KIVLEADKIT_EXPORT int KivLeadFrameRegion(
    QPainter* painter, const CLeadBitmap* bitmap, const QRect& source, const QRect& dest);

// Painting ------------------------------------------------------------------
// The display mode: how images are drawn on screen, one process-wide set of
// flags that a view sets before it paints and puts back after.
constexpr unsigned KIVLEAD_DISPLAY_ORDEREDDITHER = 0x0001;
constexpr unsigned KIVLEAD_DISPLAY_SCALETOGRAY = 0x0010; // bitonal images shrink to grey
constexpr unsigned KIVLEAD_DISPLAY_FAVORBLACK = 0x0040; // bitonal images keep thin black lines
constexpr unsigned KIVLEAD_DISPLAY_FIXEDPALETTE = 0x0080;
constexpr unsigned KIVLEAD_DISPLAY_RESAMPLE = 0x0200; // filtered shrinking
constexpr unsigned KIVLEAD_DISPLAY_BICUBIC = 0x0400; // filtered shrinking and enlarging
constexpr unsigned KIVLEAD_DISPLAY_SCALING = 0x0600; // the scaling bits
KIVLEADKIT_EXPORT unsigned KivLeadGetDisplayMode();
// The bits of mask take value's; the mode before.
KIVLEADKIT_EXPORT unsigned KivLeadSetDisplayMode(unsigned mask, unsigned value);
// Draws the source rectangle of the image (image pixels) into destination
// with SRCCOPY, clipped to clip when it is valid.
KIVLEADKIT_EXPORT int KivLeadPaint(
    QPainter* painter, const CLeadBitmap* bitmap, const QRect& source, const QRect& dest, const QRect& clip = QRect());
// One frame of a transition at progress 0..1: effect 1 wipes left to
// right, 2 top to bottom, 3 fades in; the wipes move in bands of grain
// pixels, the fade in 64 / grain steps. Other codes, and progress 1, paint
// plainly. The caller steps progress with its delay between frames.
KIVLEADKIT_EXPORT int KivLeadPaintEffect(QPainter* painter, const CLeadBitmap* bitmap, const QRect& source,
    const QRect& dest, const QRect& clip, int effect, int grain, double progress);
// Lets painter draw into the image (text, lines of the drawing tools).
KIVLEADKIT_EXPORT int KivLeadDrawInto(CLeadBitmap* bitmap, void (*draw)(QPainter&, void*), void* context);

// Clipboard ------------------------------------------------------------
KIVLEADKIT_EXPORT int KivLeadClipboardReady(); // 1 when the clipboard holds an image
KIVLEADKIT_EXPORT int KivLeadPaste(CLeadBitmap* bitmap);
KIVLEADKIT_EXPORT int KivLeadCopyToClipboard(const CLeadBitmap* bitmap);
// Screen capture ---------------------------------------------------------------
enum KivLeadCaptureKind {
    KIVLEAD_CAPTURE_FULLSCREEN = 1,
    KIVLEAD_CAPTURE_ACTIVE_WINDOW = 2, // with its frame
    KIVLEAD_CAPTURE_ACTIVE_CLIENT = 3, // without it
    KIVLEAD_CAPTURE_AREA = 4, // area in virtual desktop coordinates
    KIVLEAD_CAPTURE_WINDOW_UNDER_CURSOR = 5,
};
// Captures the screen into bitmap (24 bits). KIVLEAD_ERROR_NO_CAPTURE when
// the session has no capture (no display, the offscreen platform, Wayland
// without a portal), KIVLEAD_ERROR_INVALID_ARGUMENT for an empty area or
// no window of the kind asked for.
// 1 when this session can capture the screen at all.
KIVLEADKIT_EXPORT int KivLeadCaptureAvailable();
KIVLEADKIT_EXPORT int KivLeadCaptureScreen(CLeadBitmap* bitmap, int kind, const QRect& area = QRect());
