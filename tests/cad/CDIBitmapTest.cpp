// SPDX-License-Identifier: MIT
#include "core/CDIBitmap.h"
#include "core/KivUtil.h"
#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <QImage>

#include <climits>

using namespace testsupport;

namespace {

COLORREF at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// Palettes as 0xRRGGBB; colour c of the test pattern at (x, y).
const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
std::uint32_t pattern(int x, int y)
{
    return static_cast<std::uint32_t>((x + 2 * y) % 5);
}
QRgb patternRgb(int x, int y, int bits)
{
    if (bits == 1)
        return (x + 2 * y) % 2 ? 0xFFFF0000 : 0xFF000000;
    const std::uint32_t c = kPalette[pattern(x, y)];
    return 0xFF000000 | c;
}

QImage drawn(CDIBitmap& bitmap, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    CDC dc(&image);
    bitmap.DrawDIB(&dc, 0, 0);
    return image;
}

} // namespace

class BmpDepths : public testing::TestWithParam<std::tuple<int, int, bool>> { };

TEST_P(BmpDepths, LoadDrawSaveRoundTrip)
{
    const int bits = std::get<0>(GetParam());
    const int width = std::get<1>(GetParam());
    const bool topDown = std::get<2>(GetParam());
    const int height = 3;
    TempDir dir;
    const std::vector<std::uint32_t> palette = bits == 1 ? std::vector<std::uint32_t> {0x000000, 0xFF0000}
        : bits <= 8                                      ? kPalette
                                                         : std::vector<std::uint32_t> {};
    const auto pixel = [&](int x, int y) -> std::uint32_t {
        if (bits == 1)
            return static_cast<std::uint32_t>((x + 2 * y) % 2);
        return bits <= 8 ? pattern(x, y) : kPalette[pattern(x, y)];
    };
    writeFile(dir.file("in.bmp"), makeBmp(width, topDown ? -height : height, bits, palette, pixel));

    CDIBitmap bitmap;
    ASSERT_EQ(bitmap.Load(CString(dir.file("in.bmp"))), 1);
    EXPECT_EQ(bitmap.GetWidth(), width);
    EXPECT_EQ(bitmap.GetPalette() != nullptr, bits <= 8);
    const QImage image = drawn(bitmap, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(image.pixel(x, y), patternRgb(x, y, bits)) << x << "," << y;

    ASSERT_EQ(bitmap.Save(CString(dir.file("out.bmp"))), 1);
    const QImage reread(QString::fromStdString(dir.file("out.bmp")));
    ASSERT_FALSE(reread.isNull()) << "another reader opens what was saved";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(reread.pixel(x, y) | 0xFF000000, patternRgb(x, y, bits)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    CDIBitmap, BmpDepths, testing::Combine(testing::Values(1, 4, 8, 24), testing::Values(5, 8, 13), testing::Bool()));

TEST(CDIBitmap, RowSizesAndTheSavedLayout)
{
    EXPECT_EQ(CDIBitmap::LastByte(8, 5), 5);
    EXPECT_EQ(CDIBitmap::GetBytesPerLine(8, 5), 8);
    EXPECT_EQ(CDIBitmap::GetBytesPerLine(24, 5), 16);
    EXPECT_EQ(CDIBitmap::LastByte(1, 9), 2);
    TempDir dir;
    writeFile(dir.file("a.bmp"), makeBmp(5, 2, 8, {0x112233}, [](int, int) { return 0u; }));
    CDIBitmap bitmap;
    ASSERT_EQ(bitmap.Load(CString(dir.file("a.bmp"))), 1);
    EXPECT_EQ(bitmap.GetPalEntries(), 1);
    EXPECT_EQ(bitmap.GetColorCount(), 256);
    ASSERT_EQ(bitmap.Save(CString(dir.file("b.bmp"))), 1);
    const Bytes saved = readFile(dir.file("b.bmp"));
    ASSERT_GE(saved.size(), 1078u);
    const std::uint32_t offset = saved[10] | (saved[11] << 8) | (saved[12] << 16) | (saved[13] << 24);
    EXPECT_EQ(offset, 1078u) << "14 + 40 + 1024";
    EXPECT_EQ(saved.size(), 1078u + 8 * 2);
}

TEST(CDIBitmap, DamagedFilesFailAndLeaveItEmpty)
{
    TempDir dir;
    const Bytes good = makeBmp(4, 4, 8, kPalette, pattern);
    auto expectFailure = [&](Bytes bytes, const char* what) {
        writeFile(dir.file("bad.bmp"), bytes);
        CDIBitmap bitmap;
        EXPECT_EQ(bitmap.Load(CString(dir.file("bad.bmp"))), 0) << what;
        EXPECT_EQ(bitmap.GetHeaderPtr(), nullptr) << what;
        EXPECT_EQ(bitmap.GetPixelPtr(), nullptr) << what;
    };
    Bytes notBm = good;
    notBm[0] = 'X';
    expectFailure(notBm, "no BM");
    Bytes os2 = good;
    os2[14] = 12;
    expectFailure(os2, "OS/2 header");
    expectFailure(Bytes(good.begin(), good.end() - 3), "pixels cut short");
    expectFailure(Bytes(good.begin(), good.begin() + 60), "colour table cut short");
    Bytes huge = good;
    huge[18] = huge[19] = huge[20] = 0xFF;
    huge[21] = 0x7F; // width 2^31 - 1
    expectFailure(huge, "dimensions beyond the file");
    Bytes offsetPast = good;
    offsetPast[13] = 0x7F;
    expectFailure(offsetPast, "pixel offset past the end");
    CDIBitmap none;
    EXPECT_EQ(none.Load(CString(dir.file("missing.bmp"))), 0);
}

TEST(CDIBitmap, RowSizesAreWorkedOutWithoutOverflow)
{
    // One row of 2^31 - 1 one-bit pixels: the rounding passes an int.
    EXPECT_EQ(CDIBitmap::GetBytesPerLine(1, INT_MAX), 268435456);
    EXPECT_EQ(CDIBitmap::LastByte(1, INT_MAX), 268435456);
    EXPECT_EQ(CDIBitmap::GetBytesPerLine(32, INT_MAX), 0) << "more bytes than an int holds";
}

TEST(CDIBitmap, RunsDeclaringAHugeBitmapAreNotDecoded)
{
    // 32768 × 32768 pixels declared by 8 bytes of runs.
    Bytes bomb = makeBmp(2, 4, 8, kPalette, pattern);
    bomb[30] = 1; // RLE8
    for (int at : {18, 22}) {
        bomb[at] = 0x00;
        bomb[at + 1] = 0x80;
        bomb[at + 2] = bomb[at + 3] = 0;
    }
    const Bytes runs = {2, 1, 0, 0, 2, 2, 0, 1};
    std::copy(runs.begin(), runs.end(), bomb.end() - 16);
    CDIBitmap bitmap;
    ASSERT_EQ(bitmap.Load(ByteSource::fromMemory(bomb.data(), bomb.size())), 1);
    EXPECT_EQ(bitmap.GetWidth(), 32768);
    QImage image(4, 4, QImage::Format_RGB32);
    CDC dc(&image);
    CRect target(0, 0, 4, 4), source(0, 0, 4, 4);
    EXPECT_EQ(bitmap.DrawDIB(&dc, target, source), 0) << "refused before 4 GiB are allocated";
}

TEST(CDIBitmap, ReadsOnlyTheBytesItSpans)
{
    TempDir dir;
    const Bytes bmp = makeBmp(5, 3, 8, kPalette, pattern);
    Bytes file(7 + bmp.size() + 100, 0xEE); // 7 bytes before the bitmap, 100 after
    std::copy(bmp.begin(), bmp.end(), file.begin() + 7);
    writeFile(dir.file("embedded.bin"), file);
    CFile in;
    ASSERT_TRUE(in.Open(dir.file("embedded.bin").c_str(), CFile::modeRead | CFile::typeBinary));
    in.Seek(7, CFile::begin);
    CDIBitmap bitmap;
    ASSERT_EQ(bitmap.Load(&in), 1);
    const QImage image = drawn(bitmap, 5, 3);
    EXPECT_EQ(image.pixel(4, 2), patternRgb(4, 2, 8));

    // The headers alone: the size and palette, no pixels, the same checks.
    CDIBitmap header;
    ASSERT_EQ(header.LoadHeader(ByteSource::fromMemory(bmp.data(), bmp.size())), 1);
    EXPECT_EQ(header.GetWidth(), 5);
    EXPECT_EQ(header.GetHeight(), 3);
    EXPECT_NE(header.GetPalette(), nullptr);
    EXPECT_EQ(header.GetPixelPtr(), nullptr);
    EXPECT_EQ(header.LoadHeader(ByteSource::fromMemory(bmp.data(), bmp.size() - 3)), 0) << "pixels cut short";
    EXPECT_EQ(header.GetHeaderPtr(), nullptr);
}

TEST(CDIBitmap, OneToOneDrawStartsAtTheBottomScanLine)
{
    TempDir dir;
    // 4 × 4, rows coloured from the top: red, green, blue, white.
    writeFile(
        dir.file("rows.bmp"), makeBmp(4, 4, 8, kPalette, [](int, int y) { return static_cast<std::uint32_t>(y + 1); }));
    CDIBitmap bitmap;
    ASSERT_EQ(bitmap.Load(CString(dir.file("rows.bmp"))), 1);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        CDC dc(&image);
        CRect target(0, 0, 4, 2), source(0, 2, 4, 4); // the bottom two rows of the bitmap
        EXPECT_EQ(bitmap.DrawDIB(&dc, target, source), 4);
    }
    EXPECT_EQ(at(image, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(at(image, 0, 1), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 0, 2), RGB(0, 0, 0));

    QImage stretched(8, 8, QImage::Format_RGB32);
    {
        CDC dc(&stretched);
        bitmap.DrawDIB(&dc, 0, 0, 8, 8);
    }
    EXPECT_EQ(at(stretched, 7, 1), RGB(255, 0, 0));
    EXPECT_EQ(at(stretched, 0, 7), RGB(255, 255, 255));
}

TEST(CDIBitmap, ConvertsDeviceBitmaps)
{
    QImage screen(3, 2, QImage::Format_RGB32);
    CDC dc(&screen);
    CBitmap device;
    device.CreateCompatibleBitmap(&dc, 3, 2);
    device.m_image.fill(qRgb(10, 20, 30));
    device.m_image.setPixel(2, 0, qRgb(200, 100, 50));
    CDIBitmap bitmap;
    ASSERT_EQ(bitmap.CreateFromBitmap(&dc, &device), 1);
    EXPECT_EQ(bitmap.GetHeaderPtr()->bmiHeader.biBitCount, 24);
    EXPECT_EQ(bitmap.GetPalette(), nullptr);
    const QImage image = drawn(bitmap, 3, 2);
    EXPECT_EQ(at(image, 2, 0), RGB(200, 100, 50));
    EXPECT_EQ(at(image, 0, 1), RGB(10, 20, 30));
    EXPECT_EQ(bitmap.CreateFromBitmap(&dc, nullptr), 0);
    EXPECT_EQ(bitmap.GetHeaderPtr(), nullptr);
}

TEST(KivUtilBitmaps, ResourcesFirstThenFiles)
{
    TempDir dir;
    QImage file(4, 4, QImage::Format_RGB32);
    file.fill(qRgb(0, 0, 255));
    file.save(QString::fromStdString(dir.file("logo.bmp")));
    QImage resource(2, 2, QImage::Format_RGB32);
    resource.fill(qRgb(255, 0, 0));
    ResourceModule module("test");
    module.addBitmap("LOGO", resource);

    HBITMAP fromResource = KivUtil::GetBitmapHandle(&module, "logo", 0, 0);
    ASSERT_NE(fromResource, nullptr);
    EXPECT_EQ(fromResource->GetSize(), CSize(2, 2));
    DeleteObject(fromResource);
    HBITMAP fromFile = KivUtil::GetBitmapHandle(&module, dir.file("logo.bmp").c_str(), 8, 6);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->GetSize(), CSize(8, 6));
    DeleteObject(fromFile);
    EXPECT_EQ(KivUtil::GetBitmapHandle(&module, "none", 0, 0), nullptr);

    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::black);
    CDC dc(&target);
    EXPECT_EQ(KivUtil::DrawBitmap(&dc, dir.file("logo.bmp").c_str(), 2, 2, 4, 4), S_OK);
    EXPECT_EQ(at(target, 3, 3), RGB(0, 0, 255));
    EXPECT_EQ(at(target, 7, 7), RGB(0, 0, 0));
    EXPECT_EQ(KivUtil::DrawBitmap(&dc, "nothing-here.bmp", 0, 0, 4, 4), E_FAIL);
    EXPECT_EQ(KivUtil::DrawBitmap(nullptr, "x", 0, 0, 4, 4), E_INVALIDARG);
    EXPECT_EQ(KivUtil::DrawBitmap(&dc, "", 0, 0, 4, 4), E_INVALIDARG);
}
