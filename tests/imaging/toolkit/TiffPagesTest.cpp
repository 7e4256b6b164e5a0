// SPDX-License-Identifier: MIT
// Pages of multi-page files: each change keeps every other page's stored
// pixel data byte for byte, and bad files give a status and stay as they were.
#include "ImagingTestData.h"
#include "toolkit/TiffTestFiles.h"

#include "imaging/toolkit/KivLeadToolkit.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace imagingtest;
using namespace testsupport;

namespace {

// Four pages of different sizes, depths and compressions.
std::vector<TiffPageSpec> mixed()
{
    return {{40, 30, 1, 1, TiffPageSpec::Fax4}, {64, 48, 8, 1, TiffPageSpec::Lzw}, {20, 10, 8, 3, TiffPageSpec::None},
        {33, 17, 8, 1, TiffPageSpec::Palette}, {40, 20, 8, 1, TiffPageSpec::Tiled}};
}

void expectSame(
    const std::vector<Bytes>& a, const std::vector<Bytes>& b, std::initializer_list<std::pair<int, int>> map)
{
    for (auto [from, to] : map) {
        SCOPED_TRACE(testing::Message() << "page " << from << " now " << to);
        ASSERT_LT(static_cast<std::size_t>(from), a.size());
        ASSERT_LT(static_cast<std::size_t>(to), b.size());
        EXPECT_TRUE(a[from] == b[to]);
    }
}

std::size_t entries(const std::string& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

} // namespace

TEST(TiffPages, ReadsOnePageAndKeepsTheOthersByteForByte)
{
    TempDir dir;
    const std::string tif = dir.file("mixed.tif");
    ASSERT_TRUE(writeTiff(tif, mixed()));
    const std::vector<Bytes> before = rawPages(tif);
    ASSERT_EQ(before.size(), 5u);

    std::vector<KivLeadFileInfo> pages;
    ASSERT_EQ(KivLeadGetPagesInfo(tif.c_str(), &pages), KIVLEAD_SUCCESS);
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[0].width, 40);
    EXPECT_EQ(pages[0].bitsPerPixel, 1);
    EXPECT_EQ(pages[2].height, 10);
    EXPECT_EQ(pages[2].bitsPerPixel, 24);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(tif.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.pages, 5);
    EXPECT_EQ(info.width, 40);

    // Page 3 is a 20 × 10 ramp: red rises with x, green with y.
    CLeadBitmap page;
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 3), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 20);
    EXPECT_EQ(page.Height(), 10);
    EXPECT_EQ(pixel(page, 5, 2), 0x322807u); // (50, 40, 7)
    EXPECT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 6), KIVLEAD_ERROR_PAGE_NOT_FOUND);
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 4), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 33);
    // The tiled page: grey level 5 x + 2 y.
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 5), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(page, 17, 3), 0x5B5B5Bu);

    CLeadBitmap blue;
    ASSERT_EQ(KivLeadCreateBitmap(&blue, 7, 5, 24, RGB(0, 0, 255)), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSaveFile(tif.c_str(), &blue, KIVLEAD_FORMAT_TIFF, 0, 0, 2, KIVLEAD_SAVE_REPLACE), KIVLEAD_SUCCESS);
    std::vector<Bytes> after = rawPages(tif);
    ASSERT_EQ(after.size(), 5u);
    expectSame(before, after, {{0, 0}, {2, 2}, {3, 3}, {4, 4}});
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 2), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 7);
    EXPECT_EQ(pixel(page, 3, 3), 0x0000FFu);

    // Insert before the first, then append after the last.
    ASSERT_EQ(KivLeadSaveFile(tif.c_str(), &blue, KIVLEAD_FORMAT_TIFF, 0, 0, 1, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadSaveFile(tif.c_str(), &blue, KIVLEAD_FORMAT_TIFF, 0, 0, 7, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
    after = rawPages(tif);
    ASSERT_EQ(after.size(), 7u);
    expectSame(before, after, {{0, 1}, {2, 3}, {3, 4}, {4, 5}});
    EXPECT_EQ(KivLeadSaveFile(tif.c_str(), &blue, KIVLEAD_FORMAT_TIFF, 0, 0, 9, KIVLEAD_SAVE_INSERT),
        KIVLEAD_ERROR_PAGE_NOT_FOUND);

    ASSERT_EQ(KivLeadDeletePage(tif.c_str(), 4), KIVLEAD_SUCCESS); // the former page 3
    after = rawPages(tif);
    ASSERT_EQ(after.size(), 6u);
    expectSame(before, after, {{0, 1}, {3, 3}, {4, 4}});
    EXPECT_EQ(KivLeadDeletePage(tif.c_str(), 7), KIVLEAD_ERROR_PAGE_NOT_FOUND);
    EXPECT_EQ(entries(dir.path()), 1u) << "no temporary file is left";
}

TEST(TiffPages, DamagedFilesGiveAStatusAndStayAsTheyWere)
{
    TempDir dir;
    CLeadBitmap blue;
    ASSERT_EQ(KivLeadCreateBitmap(&blue, 7, 5, 24, RGB(0, 0, 255)), KIVLEAD_SUCCESS);
    CLeadBitmap page;
    KivLeadFileInfo info;
    std::vector<TiffPageSpec> three(3, TiffPageSpec {16, 8, 8, 1, TiffPageSpec::None});

    // The last directory points back at the first.
    const std::string loop = dir.file("loop.tif");
    ASSERT_TRUE(writeTiff(loop, three));
    Bytes bytes = readFile(loop);
    const std::vector<std::uint32_t> ifds = directoryOffsets(bytes);
    ASSERT_EQ(ifds.size(), 3u);
    setNextDirectory(bytes, ifds[2], ifds[0]);
    writeFile(loop, bytes);
    // Reading stops where the chain turns back; writing refuses, since the
    // file is damaged.
    ASSERT_EQ(KivLeadGetFileInfo(loop.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.pages, 3);
    EXPECT_EQ(KivLeadLoadFile(loop.c_str(), &page, 0, 3), KIVLEAD_SUCCESS);
    EXPECT_NE(KivLeadDeletePage(loop.c_str(), 1), KIVLEAD_SUCCESS);
    EXPECT_NE(
        KivLeadSaveFile(loop.c_str(), &blue, KIVLEAD_FORMAT_TIFF, 0, 0, 1, KIVLEAD_SAVE_REPLACE), KIVLEAD_SUCCESS);
    EXPECT_TRUE(readFile(loop) == bytes);

    // The second directory's next offset leads past the end, and the third
    // directory's entries are overwritten.
    for (int damage = 0; damage < 2; ++damage) {
        SCOPED_TRACE(damage);
        const std::string bad = dir.file("bad.tif");
        ASSERT_TRUE(writeTiff(bad, three));
        bytes = readFile(bad);
        if (damage == 0)
            setNextDirectory(bytes, ifds[1], 0x7FFFFFF0);
        else
            std::fill(bytes.begin() + ifds[2] + 2, bytes.begin() + ifds[2] + 2 + 36, 0xEE);
        writeFile(bad, bytes);
        KivLeadGetFileInfo(bad.c_str(), &info);
        EXPECT_EQ(KivLeadLoadFile(bad.c_str(), &page, 0, 1), KIVLEAD_SUCCESS);
        EXPECT_NE(KivLeadLoadFile(bad.c_str(), &page, 0, 3), KIVLEAD_SUCCESS);
        EXPECT_NE(KivLeadDeletePage(bad.c_str(), 1), KIVLEAD_SUCCESS);
        EXPECT_TRUE(readFile(bad) == bytes);
    }

    // A file made read-only after it was opened is not replaced.
    const std::string locked = dir.file("locked.tif");
    ASSERT_TRUE(writeTiff(locked, three));
    ASSERT_EQ(KivLeadLoadFile(locked.c_str(), &page, 0, 2), KIVLEAD_SUCCESS);
    bytes = readFile(locked);
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    EXPECT_EQ(KivLeadSaveFile(locked.c_str(), &page, KIVLEAD_FORMAT_TIFF, 0, 0, 2, KIVLEAD_SAVE_REPLACE),
        KIVLEAD_ERROR_FILE_WRITE);
    EXPECT_EQ(KivLeadDeletePage(locked.c_str(), 2), KIVLEAD_ERROR_FILE_WRITE);
    EXPECT_TRUE(readFile(locked) == bytes);
    ::chmod(locked.c_str(), 0644);
    EXPECT_EQ(entries(dir.path()), 3u) << "no temporary file is left";
}

TEST(TiffPages, AsManyPagesAsAllowedStayWithinOnePage)
{
    TempDir dir;
    const std::string tif = dir.file("many.tif");
    const int most = KivLeadLimits::kMaxPages;
    std::vector<TiffPageSpec> many(static_cast<std::size_t>(most), TiffPageSpec {4, 2, 8, 1, TiffPageSpec::None});
    many[3000] = TiffPageSpec {9, 9, 8, 3, TiffPageSpec::Lzw};
    ASSERT_TRUE(writeTiff(tif, many));
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(tif.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.pages, most);
    CLeadBitmap page;
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 3001), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 9);
    // No change may make a file of more pages than allowed.
    const std::string one = dir.file("one.tif");
    ASSERT_TRUE(writeTiff(one, {TiffPageSpec {3, 3, 8, 1, TiffPageSpec::None}}));
    const std::vector<Bytes> before = rawPages(tif);
    EXPECT_EQ(KivLeadInsertPages(tif.c_str(), 1, one.c_str()), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    EXPECT_EQ(rawPages(tif).size(), before.size());
    ASSERT_EQ(KivLeadDeletePage(tif.c_str(), 2000), KIVLEAD_SUCCESS);
    const std::vector<Bytes> after = rawPages(tif);
    ASSERT_EQ(after.size(), static_cast<std::size_t>(most - 1));
    expectSame(before, after, {{0, 0}, {1998, 1998}, {3000, 2999}, {4095, 4094}});
    ASSERT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 3000), KIVLEAD_SUCCESS);
    EXPECT_EQ(page.Width(), 9);
    // A file of more pages is refused as larger than allowed.
    many.resize(static_cast<std::size_t>(most) + 1, TiffPageSpec {4, 2, 8, 1, TiffPageSpec::None});
    ASSERT_TRUE(writeTiff(tif, many));
    EXPECT_EQ(KivLeadGetFileInfo(tif.c_str(), &info), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    EXPECT_EQ(KivLeadLoadFile(tif.c_str(), &page, 0, 1), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    EXPECT_STREQ(KivLeadStatusText(KIVLEAD_ERROR_IMAGE_TOO_LARGE), "the image is larger than allowed");
}

TEST(TiffPages, PagesExtractedAndReplacedBetweenTiffsKeepTheirBytesAndColours)
{
    TempDir dir;
    const std::string doc = dir.file("doc.tif"), palette = dir.file("palette.tif"), out = dir.file("out.tif");
    ASSERT_TRUE(
        writeTiff(doc, {TiffPageSpec {8, 8, 8, 1, TiffPageSpec::Lzw}, TiffPageSpec {6, 6, 8, 3, TiffPageSpec::None}}));
    ASSERT_TRUE(writeTiff(palette, {TiffPageSpec {5, 5, 8, 1, TiffPageSpec::Palette}}));
    // Extracted: the page's strips and colour map as stored.
    ASSERT_EQ(KivLeadExtractPage(doc.c_str(), 1, out.c_str(), KIVLEAD_FORMAT_TIFF), KIVLEAD_SUCCESS);
    EXPECT_EQ(rawPages(out), std::vector<Bytes> {rawPages(doc)[0]});
    // Replaced by a palette page: the colour map goes in with it.
    ASSERT_EQ(KivLeadReplacePage(doc.c_str(), 2, palette.c_str()), KIVLEAD_SUCCESS);
    const std::vector<Bytes> pages = rawPages(doc);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1], rawPages(palette)[0]);
    CLeadBitmap fromDoc, fromPalette;
    ASSERT_EQ(KivLeadLoadFile(doc.c_str(), &fromDoc, 0, 2), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadLoadFile(palette.c_str(), &fromPalette, 0, 1), KIVLEAD_SUCCESS);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(pixel(fromDoc, x, 3), pixel(fromPalette, x, 3)) << x;
    // Into another format the page is decoded.
    ASSERT_EQ(KivLeadExtractPage(doc.c_str(), 2, dir.file("p.png").c_str(), KIVLEAD_FORMAT_PNG), KIVLEAD_SUCCESS);
    CLeadBitmap png;
    ASSERT_EQ(KivLeadLoadFile(dir.file("p.png").c_str(), &png, 0, 1), KIVLEAD_SUCCESS);
    EXPECT_EQ(pixel(png, 2, 3), pixel(fromPalette, 2, 3));
    EXPECT_EQ(KivLeadExtractPage(doc.c_str(), 3, out.c_str(), KIVLEAD_FORMAT_TIFF), KIVLEAD_ERROR_PAGE_NOT_FOUND);
}

TEST(TiffPages, GifAndIconPagesGoThroughTheImageLibrary)
{
    TempDir dir;
    CLeadBitmap red, green;
    ASSERT_EQ(KivLeadCreateBitmap(&red, 16, 16, 24, RGB(255, 0, 0)), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadCreateBitmap(&green, 32, 32, 24, RGB(0, 255, 0)), KIVLEAD_SUCCESS);
    for (const char* name : {"p.gif", "p.ico"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.file(name);
        const int format = KivLeadFormatFromName(name);
        ASSERT_EQ(KivLeadFormatHoldsPages(format), 1);
        ASSERT_EQ(KivLeadSaveFile(file.c_str(), &red, format, 0, 0), KIVLEAD_SUCCESS);
        ASSERT_EQ(KivLeadSaveFile(file.c_str(), &green, format, 0, 0, 2, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
        ASSERT_EQ(KivLeadSaveFile(file.c_str(), &red, format, 0, 0, 3, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
        std::vector<KivLeadFileInfo> pages;
        ASSERT_EQ(KivLeadGetPagesInfo(file.c_str(), &pages), KIVLEAD_SUCCESS);
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_EQ(pages[0].format, format);
        CLeadBitmap page;
        ASSERT_EQ(KivLeadLoadFile(file.c_str(), &page, 0, 2), KIVLEAD_SUCCESS);
        EXPECT_EQ(pixel(page, 5, 5), 0x00FF00u);
        ASSERT_EQ(KivLeadDeletePage(file.c_str(), 1), KIVLEAD_SUCCESS);
        ASSERT_EQ(KivLeadLoadFile(file.c_str(), &page, 0, 1), KIVLEAD_SUCCESS);
        EXPECT_EQ(pixel(page, 5, 5), 0x00FF00u);
    }
    // A single-page format is one page, not an unknown one (a BMP is told
    // by more bytes than the other formats).
    const std::string bmp = dir.file("one.bmp");
    ASSERT_EQ(KivLeadSaveFile(bmp.c_str(), &red, KIVLEAD_FORMAT_BMP, 0, 0), KIVLEAD_SUCCESS);
    std::vector<KivLeadFileInfo> pages;
    ASSERT_EQ(KivLeadGetPagesInfo(bmp.c_str(), &pages), KIVLEAD_SUCCESS);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].format, KIVLEAD_FORMAT_BMP);
    EXPECT_EQ(KivLeadFormatOfPageCode(3), KIVLEAD_FORMAT_TIFF);
    EXPECT_EQ(KivLeadFormatOfPageCode(2), KIVLEAD_FORMAT_GIF);
    EXPECT_EQ(KivLeadFormatOfPageCode(95), KIVLEAD_FORMAT_TIFF);
    EXPECT_EQ(KivLeadFormatOfPageCode(10), KIVLEAD_FORMAT_UNKNOWN);
}

TEST(TiffPages, AWriteThatFailsHalfwayKeepsTheFile)
{
    TempDir dir;
    const std::string tif = dir.file("full.tif");
    ASSERT_TRUE(writeTiff(tif, mixed()));
    const Bytes before = readFile(tif);
    // The disk "fills" halfway through the new file: writes past the limit fail.
    int status = KIVLEAD_SUCCESS;
    ASSERT_TRUE(withFileSizeLimit(before.size() / 2, [&] { status = KivLeadDeletePage(tif.c_str(), 1); }));
    EXPECT_EQ(status, KIVLEAD_ERROR_FILE_WRITE);
    EXPECT_TRUE(readFile(tif) == before);
    EXPECT_EQ(entries(dir.path()), 1u) << "the temporary file is removed";
}

TEST(TiffPages, InsertingEveryPageOfASourceIsOneRewrite)
{
    TempDir dir;
    const std::string file = dir.file("file.tif"), source = dir.file("source.tif");
    const std::vector<TiffPageSpec> pages = mixed();
    ASSERT_TRUE(writeTiff(file, {pages[0], pages[1]}));
    ASSERT_TRUE(writeTiff(source, {pages[2], pages[3], pages[4]}));
    const std::vector<Bytes> before = rawPages(file), added = rawPages(source);

    ASSERT_EQ(KivLeadInsertPages(file.c_str(), 2, source.c_str()), KIVLEAD_SUCCESS);
    const std::vector<Bytes> after = rawPages(file);
    ASSERT_EQ(after.size(), 5u);
    expectSame(before, after, {{0, 0}, {1, 4}});
    // A TIFF source's pages go in as they were stored.
    expectSame(added, after, {{0, 1}, {1, 2}, {2, 3}});

    // A picture of another format appends as one more page.
    const std::string png = dir.file("blue.png");
    writeFile(png, encode(marked(6, 4, qRgb(0, 0, 255), 0, 0, qRgb(255, 0, 0)), "PNG"));
    ASSERT_EQ(KivLeadInsertPages(file.c_str(), 6, png.c_str()), KIVLEAD_SUCCESS);
    CLeadBitmap last;
    ASSERT_EQ(KivLeadLoadFile(file.c_str(), &last, 0, 6), KIVLEAD_SUCCESS);
    EXPECT_EQ(last.Width(), 6);

    // A source that is no picture, or a place past the end, changes nothing.
    writeText(source, "not a picture");
    const Bytes kept = readFile(file);
    EXPECT_NE(KivLeadInsertPages(file.c_str(), 1, source.c_str()), KIVLEAD_SUCCESS);
    EXPECT_EQ(KivLeadInsertPages(file.c_str(), 8, png.c_str()), KIVLEAD_ERROR_PAGE_NOT_FOUND);
    EXPECT_TRUE(readFile(file) == kept);
    EXPECT_EQ(entries(dir.path()), 3u) << "no temporary file is left";
}
