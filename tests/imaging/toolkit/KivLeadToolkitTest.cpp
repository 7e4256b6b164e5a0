// SPDX-License-Identifier: MIT
#include "ImagingTestData.h"

#include "controls/CKivThumbListCtrl.h"
#include "imaging/devices/KivLeadDevices.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>

using namespace imagingtest;
using namespace testsupport;

namespace {

constexpr QRgb kGrey = 0x0A0A0A; // level 10 in every channel
constexpr QRgb kRed = 0xFF0000;

// An 8 × 6 grey image marked red at (1, 2).
void loadMarked(CLeadBitmap& bitmap)
{
    ASSERT_EQ(load(encode(marked(8, 6, kGrey, 1, 2, kRed), "PNG"), bitmap), KIVLEAD_SUCCESS);
}

} // namespace

TEST(KivLeadFile, LoadsPngAndJpegFromMemoryAndFile)
{
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    EXPECT_EQ(bitmap.Width(), 8);
    EXPECT_EQ(bitmap.Height(), 6);
    EXPECT_EQ(pixel(bitmap, 1, 2), kRed);
    EXPECT_EQ(pixel(bitmap, 0, 0), kGrey);

    TempDir dir;
    writeFile(dir.file("a.jpg"), encode(marked(40, 30, 0x808080, 0, 0, 0x808080), "JPEG"));
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(dir.file("a.jpg").c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.format, KIVLEAD_FORMAT_JPEG);
    EXPECT_EQ(info.width, 40);
    EXPECT_EQ(info.height, 30);
    EXPECT_EQ(info.pages, 1);
    ASSERT_EQ(KivLeadLoadFile(dir.file("a.jpg").c_str(), &bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.Width(), 40);
}

TEST(KivLeadFile, BadInputFailsWithAStatus)
{
    CLeadBitmap bitmap;
    // Tiny files declaring 100,000 × 100,000 pixels, or more than the area
    // allowed, are refused before their pixels are allocated.
    EXPECT_EQ(load(bmpDeclaring(100000, 100000), bitmap), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    EXPECT_EQ(load(bmpDeclaring(20000, 20000), bitmap), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    // Every decoder is held to the sizes its file declares, before it decodes.
    EXPECT_EQ(load(pngDeclaring(100000, 100000), bitmap), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    EXPECT_EQ(load(pngDeclaring(20000, 20000), bitmap), KIVLEAD_ERROR_IMAGE_TOO_LARGE) << "400 Mpixels";
    EXPECT_FALSE(bitmap.IsAllocated());

    TempDir dir;
    CLeadBitmap source;
    ASSERT_EQ(load(encode(marked(64, 64, 0x336699, 3, 3, kRed), "PNG"), source), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSaveFile(dir.file("t.tif").c_str(), &source, KIVLEAD_FORMAT_TIFF, 0, 0), KIVLEAD_SUCCESS);
    for (const char* format : {"PNG", "JPEG", "TIFF", "BMP"}) {
        SCOPED_TRACE(format);
        Bytes bytes = std::string(format) == "TIFF" ? readFile(dir.file("t.tif"))
                                                    : encode(marked(64, 64, 0x336699, 3, 3, kRed), format);
        ASSERT_GT(bytes.size(), 100u);
        bytes.resize(bytes.size() / 2);
        EXPECT_NE(load(bytes, bitmap), KIVLEAD_SUCCESS);
    }
    EXPECT_EQ(load({}, bitmap), KIVLEAD_ERROR_UNKNOWN_FORMAT);
    EXPECT_EQ(load({'p', 'u', 's', 'h', ' ', 'g', 'r', 'a', 'p', 'h', 'i', 'c'}, bitmap), KIVLEAD_ERROR_UNKNOWN_FORMAT);
    EXPECT_EQ(load(pngDeclaring(0, 0), bitmap), KIVLEAD_ERROR_INVALID_FILE);
    EXPECT_EQ(KivLeadLoadFile(dir.file("missing.png").c_str(), &bitmap), KIVLEAD_ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(KivLeadLoadFile(dir.path().c_str(), &bitmap), KIVLEAD_ERROR_FILE_NOT_FOUND);
    writeFile(dir.file("empty.png"), {});
    EXPECT_EQ(KivLeadLoadFile(dir.file("empty.png").c_str(), &bitmap), KIVLEAD_ERROR_UNKNOWN_FORMAT);
    EXPECT_EQ(KivLeadLoadFile(nullptr, &bitmap), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_STRNE(KivLeadStatusText(KIVLEAD_ERROR_INVALID_FILE), KivLeadStatusText(KIVLEAD_ERROR_FAILURE));
}

namespace {

// A small JPEG whose frame header claims width × height.
Bytes jpegDeclaring(int width, int height)
{
    Bytes bytes = encode(marked(64, 64, 0x336699, 3, 3, kRed), "JPEG");
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
            bytes[i + 6] = static_cast<std::uint8_t>(height);
            bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
            bytes[i + 8] = static_cast<std::uint8_t>(width);
            break;
        }
    return bytes;
}

} // namespace

TEST(KivLeadFile, TheLimitsAreOursAndCutDataIsNoPicture)
{
    TempDir dir;
    CLeadBitmap bitmap;
    // Wider than some distributions' ImageMagick policy allows (16,000),
    // within ours: it loads.
    ASSERT_EQ(load(encode(marked(16500, 2, 0x336699, 3, 1, kRed), "PNG"), bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.Width(), 16500);
    // A tiny JPEG claiming 30000 × 30000: too large, even for a thumbnail
    // that would decode it at an eighth.
    writeFile(dir.file("bomb.jpg"), jpegDeclaring(30000, 30000));
    std::string thumb;
    EXPECT_EQ(KivLeadLoadFile(dir.file("bomb.jpg").c_str(), &bitmap), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    EXPECT_EQ(KivLeadMakeThumbnailData(dir.file("bomb.jpg").c_str(), 160, 120, KIVLEAD_FORMAT_JPEG, 64, &thumb),
        KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    // One claiming more than its data holds is cut short: no grey picture.
    writeFile(dir.file("cut.jpg"), jpegDeclaring(4000, 3000));
    EXPECT_EQ(KivLeadLoadFile(dir.file("cut.jpg").c_str(), &bitmap), KIVLEAD_ERROR_INVALID_FILE);
    EXPECT_EQ(KivLeadMakeThumbnailData(dir.file("cut.jpg").c_str(), 160, 120, KIVLEAD_FORMAT_JPEG, 64, &thumb),
        KIVLEAD_ERROR_INVALID_FILE);
    EXPECT_TRUE(thumb.empty());
}

TEST(KivLeadFile, SavesByFormatAndChangesPagesOfATiff)
{
    TempDir dir;
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    const std::string tif = dir.file("pages.tif");
    ASSERT_EQ(KivLeadSaveFile(tif.c_str(), &bitmap, KIVLEAD_FORMAT_TIFF, 0, 0), KIVLEAD_SUCCESS);
    CLeadBitmap second;
    ASSERT_EQ(KivLeadCreateBitmap(&second, 5, 4, 24, RGB(0, 0, 255)), KIVLEAD_SUCCESS);
    ASSERT_EQ(
        KivLeadSaveFile(tif.c_str(), &second, KIVLEAD_FORMAT_TIFF, 0, 0, 2, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(tif.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.pages, 2);
    CLeadBitmap page;
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 2), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 5);
    EXPECT_EQ(pixel(page, 0, 0), 0x0000FFu);
    EXPECT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 3), KIVLEAD_ERROR_PAGE_NOT_FOUND);

    ASSERT_EQ(
        KivLeadSaveFile(tif.c_str(), &second, KIVLEAD_FORMAT_TIFF, 0, 0, 1, KIVLEAD_SAVE_REPLACE), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 1), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 5);
    ASSERT_EQ(KivLeadDeletePage(tif.c_str(), 1), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadGetFileInfo(tif.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.pages, 1);
    // The last page stays: a file without pages would be no image.
    EXPECT_EQ(KivLeadDeletePage(tif.c_str(), 1), KIVLEAD_ERROR_INVALID_ARGUMENT);
    // Two pages do not fit a PNG.
    const std::string png = dir.file("one.png");
    ASSERT_EQ(KivLeadSaveFile(png.c_str(), &bitmap, KIVLEAD_FORMAT_PNG, 0, 0), KIVLEAD_SUCCESS);
    EXPECT_EQ(KivLeadSaveFile(png.c_str(), &second, KIVLEAD_FORMAT_PNG, 0, 0, 1, KIVLEAD_SAVE_INSERT),
        KIVLEAD_ERROR_INVALID_ARGUMENT);
    ASSERT_EQ(KivLeadGetFileInfo(png.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.width, 8);

    EXPECT_EQ(KivLeadFormatFromName("x.psd"), KIVLEAD_FORMAT_UNKNOWN);
    EXPECT_EQ(
        KivLeadSaveFile(dir.file("none/x.png").c_str(), &bitmap, KIVLEAD_FORMAT_PNG, 0, 0), KIVLEAD_ERROR_FILE_WRITE);
}

// A failure caused by a file says which and why; the next call starts clean.
TEST(KivLeadFile, FailuresNameTheFileAndTheCause)
{
    TempDir dir;
    KivLeadFileInfo info;
    const std::string missing = dir.file("gone.png");
    EXPECT_EQ(KivLeadGetFileInfo(missing.c_str(), &info), KIVLEAD_ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(std::string(KivLeadLastError()), "cannot open " + missing + ": No such file or directory");
    CLeadBitmap bitmap;
    ASSERT_EQ(KivLeadCreateBitmap(&bitmap, 4, 4, 24), KIVLEAD_SUCCESS);
    EXPECT_STREQ(KivLeadLastError(), "");
    const std::string nowhere = dir.file("none/x.png");
    EXPECT_EQ(KivLeadSaveFile(nowhere.c_str(), &bitmap, KIVLEAD_FORMAT_PNG, 0, 0), KIVLEAD_ERROR_FILE_WRITE);
    EXPECT_EQ(std::string(KivLeadLastError()), "cannot write " + nowhere + ": No such file or directory");
}

// Browsers, dialogs and the name lookup share one list: every extension a
// browser lists opens, and no file the toolkit refuses is listed.
TEST(KivLeadFile, DialogsAndBrowsersListWhatTheToolkitOpens)
{
    CStringArray listed;
    CKivThumbListCtrl::GetExtensionList(KivLeadBrowseFilter(), &listed);
    ASSERT_GE(listed.GetSize(), 8);
    const std::string open = KivLeadOpenFilter(), save = KivLeadSaveFilter();
    for (int i = 0; i < listed.GetSize(); ++i) {
        const std::string pattern = listed.GetAt(i); // "*.png"
        SCOPED_TRACE(pattern);
        EXPECT_NE(KivLeadFormatFromName(("x" + pattern.substr(1)).c_str()), KIVLEAD_FORMAT_UNKNOWN);
        EXPECT_NE(open.find(pattern), std::string::npos);
    }
    for (const char* refused : {".psd", ".eps", ".wmf", ".pcx", ".tga"})
        EXPECT_EQ(std::string(KivLeadBrowseFilter()).find(refused), std::string::npos) << refused;
    EXPECT_EQ(save.rfind("PNG (*.png)|*.png|TIFF (*.tif;*.tiff)|*.tif;*.tiff|", 0), 0u) << save;
    EXPECT_EQ(save.find("PNM"), std::string::npos);
}

// Each format by the name a save is given: written, recognised by its
// signature, and read back with the mark where it was (exactly, where the
// format keeps every pixel).
struct SavedFormat {
    const char* name;
    bool lossless;
};

class KivLeadFormatTable : public testing::TestWithParam<SavedFormat> { };

TEST_P(KivLeadFormatTable, SavesAndReadsBackTheMark)
{
    TempDir dir;
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    const std::string file = dir.file(GetParam().name);
    const int format = KivLeadFormatFromName(file.c_str());
    ASSERT_NE(format, KIVLEAD_FORMAT_UNKNOWN);
    ASSERT_EQ(KivLeadSaveFile(file.c_str(), &bitmap, format, 0, 2), KIVLEAD_SUCCESS);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(file.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.format, format);
    EXPECT_EQ(info.width, 8);
    EXPECT_EQ(info.height, 6);
    CLeadBitmap back;
    ASSERT_EQ(KivLeadLoadFile(file.c_str(), &back), KIVLEAD_SUCCESS);
    if (GetParam().lossless) {
        EXPECT_EQ(pixel(back, 1, 2), kRed);
        EXPECT_EQ(pixel(back, 6, 5), kGrey);
    } else {
        EXPECT_GT(qRed(pixel(back, 1, 2)), qRed(pixel(back, 6, 5)) + 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, KivLeadFormatTable,
    testing::Values(SavedFormat {"x.bmp", true}, SavedFormat {"x.JPG", false}, SavedFormat {"x.png", true},
        SavedFormat {"x.gif", true}, SavedFormat {"x.tiff", true}, SavedFormat {"x.webp", false},
        SavedFormat {"x.ppm", true}, SavedFormat {"x.ico", true}),
    [](const testing::TestParamInfo<SavedFormat>& info) { return std::string(info.param.name).substr(2); });

TEST(KivLeadFile, ReducedColourResolutionsSaveToEveryFormat)
{
    // More colours than a palette holds, so the reduction must choose.
    QImage many(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            many.setPixel(x, y, qRgb(x * 8, y * 8, (x ^ y) * 8));
    TempDir dir;
    for (int bits : {1, 4, 8}) {
        CLeadBitmap bitmap;
        ASSERT_EQ(load(encode(many, "PNG"), bitmap), KIVLEAD_SUCCESS);
        ASSERT_EQ(KivLeadColorResolution(&bitmap, bits, 0), KIVLEAD_SUCCESS);
        for (const char* name : {"r.png", "r.bmp", "r.gif", "r.tif"}) {
            SCOPED_TRACE(std::to_string(bits) + " bits to " + name);
            const std::string file = dir.file(name);
            ASSERT_EQ(KivLeadSaveFile(file.c_str(), &bitmap, KivLeadFormatFromName(name), 0, 0), KIVLEAD_SUCCESS);
            KivLeadFileInfo info;
            ASSERT_EQ(KivLeadGetFileInfo(file.c_str(), &info), KIVLEAD_SUCCESS);
            EXPECT_LE(info.bitsPerPixel, 8);
        }
    }
}

TEST(KivLeadGeometry, CommandsMoveAMarkedPixel)
{
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    ASSERT_EQ(KivLeadMirror(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 6, 2), kRed);
    ASSERT_EQ(KivLeadFlip(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 6, 3), kRed);
    ASSERT_EQ(KivLeadRotate(&bitmap, 9000, 1, 0), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Height(), 8);
    // Clockwise: (x, y) goes to (height - 1 - y, x).
    EXPECT_EQ(pixel(bitmap, 2, 6), kRed);

    loadMarked(bitmap);
    ASSERT_EQ(KivLeadRotate(&bitmap, 3000, 1, RGB(0, 255, 0)), KIVLEAD_SUCCESS);
    EXPECT_GT(bitmap.Width(), 8);
    EXPECT_EQ(pixel(bitmap, 0, 0), 0x00FF00u);
    loadMarked(bitmap);
    ASSERT_EQ(KivLeadRotate(&bitmap, 3000, 0, 0), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.Width(), 8);
    EXPECT_EQ(bitmap.Height(), 6);
    ASSERT_EQ(KivLeadShear(&bitmap, 2000, 1, 0), KIVLEAD_SUCCESS);
    EXPECT_GT(bitmap.Width(), 8);
    EXPECT_EQ(KivLeadShear(&bitmap, 9000, 1, 0), KIVLEAD_ERROR_INVALID_ARGUMENT);
    for (int mode : {0, 1, 2}) {
        ASSERT_EQ(KivLeadResize(&bitmap, 16, 12, mode), KIVLEAD_SUCCESS);
        EXPECT_EQ(bitmap.Width(), 16);
        EXPECT_EQ(bitmap.Height(), 12);
    }
    EXPECT_EQ(KivLeadResize(&bitmap, 0, 12, 0), KIVLEAD_ERROR_INVALID_ARGUMENT);
    CLeadBitmap empty;
    EXPECT_EQ(KivLeadFlip(&empty), KIVLEAD_ERROR_EMPTY_BITMAP);
    EXPECT_EQ(KivLeadFlip(nullptr), KIVLEAD_ERROR_INVALID_ARGUMENT);
}

TEST(KivLeadColor, CommandsChangePixelsTheExpectedWay)
{
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    ASSERT_EQ(KivLeadInvert(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 0, 0), 0xF5F5F5u); // 10 becomes 245
    EXPECT_EQ(pixel(bitmap, 1, 2), 0x00FFFFu);

    ASSERT_EQ(load(encode(marked(4, 4, 0x204080, 0, 0, 0x204080), "PNG"), bitmap), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadGrayScale(&bitmap, 8), KIVLEAD_SUCCESS);
    const QRgb g = pixel(bitmap, 2, 2);
    EXPECT_EQ(qRed(g), qGreen(g));
    EXPECT_EQ(qGreen(g), qBlue(g));
    EXPECT_EQ(bitmap.BitsPerPixel(), 8);

    auto brightnessAfter = [&](auto&& command) {
        loadMarked(bitmap);
        EXPECT_EQ(command(), KIVLEAD_SUCCESS);
        return qGreen(pixel(bitmap, 4, 4));
    };
    EXPECT_GT(brightnessAfter([&] { return KivLeadChangeBrightness(&bitmap, 500); }), 10);
    EXPECT_GT(brightnessAfter([&] { return KivLeadGammaCorrect(&bitmap, 250); }), 10);
    EXPECT_EQ(brightnessAfter([&] { return KivLeadSolarize(&bitmap, 5); }), 245);
    EXPECT_EQ(brightnessAfter([&] { return KivLeadIntensityDetect(&bitmap, 5, 20); }), 255);
    EXPECT_EQ(brightnessAfter([&] { return KivLeadFill(&bitmap, RGB(7, 7, 7)); }), 7);
    EXPECT_EQ(brightnessAfter([&] { return KivLeadWindowLevel(&bitmap, 0, 20, RGB(0, 0, 0), RGB(0, 200, 0)); }), 100);

    loadMarked(bitmap);
    unsigned long colours = 0;
    ASSERT_EQ(KivLeadGetColorCount(&bitmap, &colours), KIVLEAD_SUCCESS);
    EXPECT_EQ(colours, 2u);
    ASSERT_EQ(KivLeadChangeHue(&bitmap, 120), KIVLEAD_SUCCESS);
    const QRgb hue = pixel(bitmap, 1, 2);
    EXPECT_GT(qGreen(hue), qRed(hue)); // red turned a third of the circle is green
    int lo = 0, hi = 0;
    ASSERT_EQ(KivLeadGetMinMaxValue(&bitmap, &lo, &hi), KIVLEAD_SUCCESS);
    EXPECT_EQ(lo, 10);
}

TEST(KivLeadColor, PlanesSeparateMergeAndRemap)
{
    CLeadBitmap bitmap;
    ASSERT_EQ(load(encode(marked(4, 3, 0x102030, 0, 0, 0x102030), "PNG"), bitmap), KIVLEAD_SUCCESS);
    unsigned long h[3][256];
    ASSERT_EQ(KivLeadGetHistogram(&bitmap, h), KIVLEAD_SUCCESS);
    EXPECT_EQ(h[0][0x10], 12u);
    EXPECT_EQ(h[2][0x30], 12u);
    unsigned char table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(255 - i);
    ASSERT_EQ(KivLeadRemapPlanes(&bitmap, table, nullptr, nullptr), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 1, 1), 0xEF2030u);

    CLeadBitmap r, g, b, k;
    CLeadBitmap* planes[4] = {&r, &g, &b, &k};
    ASSERT_EQ(KivLeadSeparate(&bitmap, planes, 0), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(g, 0, 0), 0x202020u);
    ASSERT_EQ(KivLeadMerge(&bitmap, planes, 0), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 3, 2), 0xEF2030u);
    ASSERT_EQ(KivLeadSeparate(&bitmap, planes, 1), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadMerge(&bitmap, planes, 1), KIVLEAD_SUCCESS);
    const QRgb back = pixel(bitmap, 3, 2);
    EXPECT_NEAR(qRed(back), 0xEF, 2);
    EXPECT_NEAR(qBlue(back), 0x30, 2);
}

// Each filter on a 32 × 24 image of one colour with a white pixel at (10, 10),
// and what its pixels must show afterwards.
struct FilterCase {
    const char* name;
    int (*run)(CLeadBitmap*);
    // Checks the result; the background colour is 0x406080.
    void (*check)(const CLeadBitmap&);
};

constexpr QRgb kBack = 0x406080;

int channel(QRgb c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

// Far from the mark every pixel is alike: the filter treats a flat area alike.
void flatStaysFlat(const CLeadBitmap& b)
{
    const QRgb far = pixel(b, 25, 20);
    for (int y = 16; y < 24; ++y)
        for (int x = 20; x < 32; ++x)
            ASSERT_EQ(pixel(b, x, y), far) << x << "," << y;
}

class KivLeadFilterTable : public testing::TestWithParam<FilterCase> { };

TEST_P(KivLeadFilterTable, ChangesThePixelsAsItSays)
{
    CLeadBitmap bitmap;
    ASSERT_EQ(load(encode(marked(32, 24, kBack, 10, 10, 0xFFFFFF), "PNG"), bitmap), KIVLEAD_SUCCESS);
    ASSERT_EQ(GetParam().run(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.Width(), 32);
    EXPECT_EQ(bitmap.Height(), 24);
    GetParam().check(bitmap);
}

const FilterCase kFilters[] = {
    {"posterize", [](CLeadBitmap* b) { return KivLeadPosterize(b, 4); },
        [](const CLeadBitmap& b) {
            // Four levels a channel: 0, 85, 170, 255.
            for (int shift : {0, 8, 16})
                EXPECT_EQ(channel(pixel(b, 20, 20), shift) % 85, 0) << shift;
        }},
    {"mosaic", [](CLeadBitmap* b) { return KivLeadMosaic(b, 5); },
        [](const CLeadBitmap& b) {
            // The mark's tile (10..14) is one colour, lighter than the back.
            for (int y = 10; y < 15; ++y)
                for (int x = 10; x < 15; ++x)
                    EXPECT_EQ(pixel(b, x, y), pixel(b, 10, 10));
            EXPECT_NE(pixel(b, 14, 14), kBack);
        }},
    {"average", [](CLeadBitmap* b) { return KivLeadAverage(b, 3); },
        [](const CLeadBitmap& b) {
            EXPECT_NE(pixel(b, 11, 10), kBack); // the mark spreads
            EXPECT_NE(pixel(b, 10, 10), 0xFFFFFFu); // and fades
            EXPECT_EQ(pixel(b, 20, 20), kBack);
        }},
    {"median", [](CLeadBitmap* b) { return KivLeadMedian(b, 3); },
        [](const CLeadBitmap& b) {
            EXPECT_EQ(pixel(b, 10, 10), kBack); // one pixel is noise to a 3 × 3 median
            flatStaysFlat(b);
        }},
    {"sharpen", [](CLeadBitmap* b) { return KivLeadSharpen(b, 300); },
        [](const CLeadBitmap& b) {
            EXPECT_EQ(pixel(b, 20, 20), kBack);
            EXPECT_EQ(pixel(b, 10, 10), 0xFFFFFFu);
        }},
    {"blur", [](CLeadBitmap* b) { return KivLeadSharpen(b, -300); },
        [](const CLeadBitmap& b) {
            EXPECT_NE(pixel(b, 11, 10), kBack);
            EXPECT_EQ(pixel(b, 20, 20), kBack);
        }},
    {"noise", [](CLeadBitmap* b) { return KivLeadAddNoise(b, 300, 0); },
        [](const CLeadBitmap& b) {
            int changed = 0;
            for (int y = 14; y < 24; ++y)
                for (int x = 14; x < 32; ++x)
                    changed += pixel(b, x, y) != kBack;
            EXPECT_GT(changed, 20);
        }},
    {"emboss", [](CLeadBitmap* b) { return KivLeadEmboss(b, 90, 300); },
        [](const CLeadBitmap& b) {
            flatStaysFlat(b);
            EXPECT_NE(pixel(b, 10, 10), pixel(b, 20, 20)); // the mark stands out
        }},
    {"oilify", [](CLeadBitmap* b) { return KivLeadOilify(b, 3); }, flatStaysFlat},
    {"halftone", [](CLeadBitmap* b) { return KivLeadHalftone(b, 45); }, // dots at an angle, still two colours
        [](const CLeadBitmap& b) {
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 32; ++x)
                    ASSERT_TRUE(pixel(b, x, y) == 0 || pixel(b, x, y) == 0xFFFFFF) << x << "," << y;
        }},
    {"equalize", [](CLeadBitmap* b) { return KivLeadHistogramEqualize(b); }, flatStaysFlat},
    {"stretch", [](CLeadBitmap* b) { return KivLeadStretchIntensity(b); },
        [](const CLeadBitmap& b) {
            flatStaysFlat(b);
            EXPECT_EQ(pixel(b, 10, 10), 0xFFFFFFu);
        }},
    {"saturation", [](CLeadBitmap* b) { return KivLeadChangeSaturation(b, -500); },
        [](const CLeadBitmap& b) {
            // Less colourful: the spread between channels shrinks.
            const QRgb c = pixel(b, 20, 20);
            const int spread = std::max({channel(c, 0), channel(c, 8), channel(c, 16)})
                - std::min({channel(c, 0), channel(c, 8), channel(c, 16)});
            EXPECT_LT(spread, 0x80 - 0x40);
            flatStaysFlat(b);
        }},
    {"contrast", [](CLeadBitmap* b) { return KivLeadChangeContrast(b, 300); },
        [](const CLeadBitmap& b) {
            // Away from the middle level (0x80, which stays): the darker channels darker.
            EXPECT_LT(channel(pixel(b, 20, 20), 16), 0x40);
            EXPECT_LT(channel(pixel(b, 20, 20), 8), 0x60);
            EXPECT_NEAR(channel(pixel(b, 20, 20), 0), 0x80, 1);
        }},
    {"histocontrast", [](CLeadBitmap* b) { return KivLeadHistoContrast(b, 300); }, flatStaysFlat},
    {"resolution", [](CLeadBitmap* b) { return KivLeadColorResolution(b, 4, 1); },
        [](const CLeadBitmap& b) {
            unsigned long colours = 0;
            ASSERT_EQ(KivLeadGetColorCount(&b, &colours), KIVLEAD_SUCCESS);
            EXPECT_LE(colours, 16u);
        }},
};

INSTANTIATE_TEST_SUITE_P(Filters, KivLeadFilterTable, testing::ValuesIn(kFilters),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(KivLeadFilter, SpatialKernelsAndValuesOutOfRange)
{
    CLeadBitmap bitmap;
    for (int f : {1, 2, 3, 4, 5, 6, 16}) {
        ASSERT_EQ(load(encode(marked(32, 24, kBack, 10, 10, 0xFFFFFF), "PNG"), bitmap), KIVLEAD_SUCCESS);
        EXPECT_EQ(KivLeadSpatialFilter(&bitmap, f), KIVLEAD_SUCCESS);
    }
    EXPECT_EQ(KivLeadSpatialFilter(&bitmap, 7), KIVLEAD_ERROR_INVALID_ARGUMENT);
    // A flat area has no edges: Laplacian gives black there.
    ASSERT_EQ(load(encode(marked(32, 24, kBack, 10, 10, 0xFFFFFF), "PNG"), bitmap), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSpatialFilter(&bitmap, KIVLEAD_FILTER_LAPLACIAN), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 20, 20), 0u);
    EXPECT_NE(pixel(bitmap, 10, 10), 0u);
    EXPECT_EQ(KivLeadPosterize(&bitmap, 1), KIVLEAD_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(KivLeadEmboss(&bitmap, 400, 10), KIVLEAD_ERROR_INVALID_ARGUMENT);
}

TEST(CLeadBitmap, CopiesSharePixelsAndThePaintHandleIsRebuiltOnlyAfterAChange)
{
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    const QImage& first = bitmap.PaintImage();
    EXPECT_EQ(first.pixel(1, 2) & 0xFFFFFF, kRed);
    bitmap.PaintImage();
    EXPECT_EQ(bitmap.PaintImageBuilds(), 1);

    CLeadBitmap copy;
    ASSERT_EQ(KivLeadCopyBitmap(&copy, &bitmap), KIVLEAD_SUCCESS);
    copy.PaintImage();
    EXPECT_EQ(copy.PaintImageBuilds(), 0); // it shares the handle made already
    ASSERT_EQ(KivLeadInvert(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.PaintImage().pixel(0, 0) & 0xFFFFFF, 0xF5F5F5u);
    EXPECT_EQ(bitmap.PaintImageBuilds(), 2);
    EXPECT_EQ(pixel(copy, 0, 0), kGrey); // the copy kept its pixels
    EXPECT_EQ(copy.PaintImage().pixel(0, 0) & 0xFFFFFF, kGrey);

    CLeadBitmap part;
    ASSERT_EQ(KivLeadCopyBitmapRect(&part, &copy, 1, 2, 3, 2), KIVLEAD_SUCCESS);
    EXPECT_EQ(part.Width(), 3);
    EXPECT_EQ(pixel(part, 0, 0), kRed);
    EXPECT_EQ(KivLeadCopyBitmapRect(&part, &copy, 6, 0, 3, 2), KIVLEAD_ERROR_INVALID_ARGUMENT);

    ASSERT_EQ(KivLeadCombine(&copy, 0, 0, 3, 2, &part, 0, 0, KIVLEAD_COMBINE_COPY), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(copy, 0, 0), kRed);
    ASSERT_EQ(KivLeadFreeBitmap(&copy), KIVLEAD_SUCCESS);
    EXPECT_FALSE(copy.IsAllocated());
    EXPECT_TRUE(copy.PaintImage().isNull());
}

TEST(KivLeadRegion, ShapesCombineAndClipToTheImage)
{
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    ASSERT_EQ(KivLeadSetRegionRect(&bitmap, QRect(0, 0, 3, 3), KIVLEAD_RGN_SET), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSetRegionRect(&bitmap, QRect(6, 4, 10, 10), KIVLEAD_RGN_OR), KIVLEAD_SUCCESS);
    EXPECT_EQ(KivLeadBitmapHasRegion(&bitmap), 1);
    EXPECT_EQ(KivLeadIsPtInRegion(&bitmap, 2, 2), 1);
    EXPECT_EQ(KivLeadIsPtInRegion(&bitmap, 4, 2), 0);
    QRect bounds;
    ASSERT_EQ(KivLeadGetRegionBounds(&bitmap, &bounds), KIVLEAD_SUCCESS);
    EXPECT_EQ(bounds, QRect(0, 0, 8, 6));
    ASSERT_EQ(KivLeadSetRegionColor(&bitmap, RGB(255, 0, 0), KIVLEAD_RGN_SET), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadGetRegionBounds(&bitmap, &bounds), KIVLEAD_SUCCESS);
    EXPECT_EQ(bounds, QRect(1, 2, 1, 1));
    ASSERT_EQ(KivLeadSetRegionEllipse(&bitmap, QRect(0, 0, 8, 6), KIVLEAD_RGN_XOR), KIVLEAD_SUCCESS);
    EXPECT_EQ(KivLeadIsPtInRegion(&bitmap, 1, 2), 0);
    EXPECT_EQ(KivLeadIsPtInRegion(&bitmap, 4, 3), 1);
    ASSERT_EQ(KivLeadFreeRegion(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(KivLeadBitmapHasRegion(&bitmap), 0);
}

TEST(KivLeadPaint, PaintsTheSourceRectangleAndPrintsToPdf)
{
    CLeadBitmap bitmap;
    loadMarked(bitmap);
    QImage surface(16, 12, QImage::Format_RGB32);
    surface.fill(Qt::white);
    {
        QPainter painter(&surface);
        ASSERT_EQ(KivLeadPaint(&painter, &bitmap, QRect(0, 0, 8, 6), QRect(0, 0, 16, 12)), KIVLEAD_SUCCESS);
    }
    EXPECT_EQ(surface.pixel(3, 5) & 0xFFFFFF, kRed); // (1, 2) doubled
    surface.fill(Qt::white);
    {
        QPainter painter(&surface);
        ASSERT_EQ(KivLeadPaintEffect(&painter, &bitmap, QRect(0, 0, 8, 6), QRect(0, 0, 16, 12), QRect(), 1, 2, 0.5),
            KIVLEAD_SUCCESS);
    }
    EXPECT_EQ(surface.pixel(2, 0) & 0xFFFFFF, kGrey); // the left half is uncovered
    EXPECT_EQ(surface.pixel(12, 0) & 0xFFFFFF, 0xFFFFFFu); // the right half not yet

    TempDir dir;
    ASSERT_EQ(KivLeadPrint(&bitmap, dir.file("out.pdf").c_str()), KIVLEAD_SUCCESS);
    const Bytes pdf = readFile(dir.file("out.pdf"));
    ASSERT_GT(pdf.size(), 4u);
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 4), "%PDF");
}

// The tests' offscreen platform draws nowhere a capture could read.
TEST(Capture, OffscreenSessionHasNoCapture)
{
    CLeadBitmap bitmap;
    EXPECT_EQ(KivLeadCaptureScreen(&bitmap, KIVLEAD_CAPTURE_FULLSCREEN), KIVLEAD_ERROR_NO_CAPTURE);
    EXPECT_EQ(KivLeadCaptureScreen(&bitmap, KIVLEAD_CAPTURE_AREA, QRect(0, 0, 10, 10)), KIVLEAD_ERROR_NO_CAPTURE);
    EXPECT_STREQ(KivLeadStatusText(KIVLEAD_ERROR_NO_CAPTURE),
        "screen capture is not available in this session (no display, offscreen, or Wayland without a portal)");
    EXPECT_FALSE(bitmap.IsAllocated());
}

TEST(KivLeadToolkit, CommandsChangeOnlyTheRegionUnlessTheyChangeTheSize)
{
    CLeadBitmap bitmap;
    ASSERT_EQ(KivLeadCreateBitmap(&bitmap, 20, 10, 24, RGB(255, 255, 255)), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSetRegionEllipse(&bitmap, QRect(4, 2, 8, 6), KIVLEAD_RGN_SET), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadInvert(&bitmap), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(bitmap, 8, 5), 0x000000u);
    EXPECT_EQ(pixel(bitmap, 4, 2), 0xFFFFFFu); // the ellipse's corner is outside
    EXPECT_EQ(pixel(bitmap, 15, 5), 0xFFFFFFu);
    ASSERT_EQ(KivLeadRotate(&bitmap, 9000, 1, 0), KIVLEAD_SUCCESS);
    EXPECT_EQ(bitmap.Width(), 10);
}

TEST(KivLeadFile, InPlaceChangesGiveTheSamePicturesAndKeepThem)
{
    TempDir dir;
    CLeadBitmap copied, inPlace;
    const Bytes png = encode(marked(40, 30, 0x336699, 3, 3, kRed), "PNG");
    ASSERT_EQ(load(png, copied), KIVLEAD_SUCCESS);
    ASSERT_EQ(load(png, inPlace), KIVLEAD_SUCCESS);
    inPlace.SetChangeInPlace(true);
    for (CLeadBitmap* b : {&copied, &inPlace}) {
        ASSERT_EQ(KivLeadGrayScale(b, 8), KIVLEAD_SUCCESS);
        ASSERT_EQ(KivLeadSaveFile(dir.file(b == &copied ? "a.png" : "b.png").c_str(), b, KIVLEAD_FORMAT_PNG, 0, 2),
            KIVLEAD_SUCCESS);
    }
    EXPECT_EQ(readFile(dir.file("a.png")), readFile(dir.file("b.png")));
    // The pixels are still there after the save, as the file keeps them,
    // for another command.
    ASSERT_TRUE(inPlace.IsAllocated());
    CLeadBitmap written;
    ASSERT_EQ(KivLeadLoadFile(dir.file("b.png").c_str(), &written), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(inPlace, 3, 3), pixel(written, 3, 3));
    EXPECT_EQ(KivLeadInvert(&inPlace), KIVLEAD_SUCCESS);
    EXPECT_EQ(inPlace.Width(), 40);
}
