// SPDX-License-Identifier: MIT
// Real slides and libraries written by other programs.
#include "RecordingSink.h"
#include "TwoPictures.h"
#include "cad/KivDxfDraw.h"
#include "cad/KivSlideDraw.h"
#include "core/CDIBitmap.h"
#include "support/TestSupport.h"
#include "views/CKivDwgPreviewCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;
using namespace testsupport;

TEST(SlideCorpus, EverySlideValidatesAndDecodes)
{
    const auto files = samplesIn("sld");
    if (files.empty())
        GTEST_SKIP() << "no samples";
    for (const auto& path : files) {
        KivSlideFile slide;
        ASSERT_EQ(slide.Open(path.c_str()), 0) << path;
        const int header = slide.ReadHeader();
        EXPECT_TRUE(header == 0 || header == 2 || header == 3) << path << ": " << header;
        RecordingSink sink;
        KivSlidePoint last;
        const int records = slide.DecodeRecords(sink, last);
        EXPECT_TRUE(records == 0 || records == 1) << path;
        if (header == 0) {
            EXPECT_EQ(records, 1) << path << " is a valid slide: its records end properly";
        }
    }
}

TEST(SlideCorpus, EveryLibraryListsAndExplodesIntoItsSlices)
{
    const auto files = samplesIn("slb");
    if (files.empty())
        GTEST_SKIP() << "no samples";
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        const Bytes image = readFile(path);
        std::vector<KivSldLibInfo> entries;
        ASSERT_EQ(KivSlideFile::ReadLibraryDirectory(image.data(), image.size(), &entries), 0);
        CStringArray names;
        ASSERT_EQ(KivSlideFile::GetSlideList(path.c_str(), &names), 1) << KivSlideFile::GetSlideError();
        ASSERT_EQ(names.GetSize(), static_cast<int>(entries.size()));

        TempDir out;
        ASSERT_EQ(KivSlideFile::ExplodeLibrary(path.c_str(), out.path().c_str()), 0) << KivSlideFile::GetSlideError();
        for (const auto& e : entries) {
            const Bytes slice(image.begin() + e.address, image.begin() + e.address + e.size);
            EXPECT_EQ(readFile(out.path() / (std::string(e.name) + ".SLD")), slice) << e.name;

            KivSlideFile member;
            ASSERT_EQ(member.Open((path.string() + "(" + e.name + ")").c_str()), 0);
            EXPECT_EQ(member.ReadHeader(), 0) << e.name;
            RecordingSink sink;
            KivSlidePoint last;
            EXPECT_EQ(member.DecodeRecords(sink, last), 1) << e.name;
            EXPECT_FALSE(sink.out.empty()) << e.name;
        }
    }
}

namespace {

// Renders reference as the view does on a black 320 × 240 client and counts
// the lit pixels inside the part of the client the slide's extent maps to.
int litPixels(const std::string& reference, int& code)
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::black);
    KivSlideDraw draw;
    CPoint corner;
    {
        CDC dc(&image);
        code = draw.Draw(nullptr, &dc, reference.c_str(), 0);
        corner = CPoint(draw.GetHighX(), draw.GetHighY());
        dc.LPtoDP(&corner);
    }
    int lit = 0;
    for (int y = std::max(0, corner.y); y < 240; ++y)
        for (int x = 0; x <= std::min(319, corner.x); ++x)
            lit += (image.pixel(x, y) & 0xFFFFFF) != 0;
    return lit;
}

} // namespace

TEST(SlideCorpus, EverySlideAndMemberRendersInsideItsExtent)
{
    std::vector<std::string> references;
    for (const auto& path : samplesIn("sld"))
        references.push_back(path.string());
    for (const auto& path : samplesIn("slb")) {
        CStringArray names;
        ASSERT_EQ(KivSlideFile::GetSlideList(path.c_str(), &names), 1);
        const std::string stem = (path.parent_path() / path.stem()).string();
        for (const auto& name : names)
            references.push_back(stem + "(" + name + ")");
    }
    if (references.empty())
        GTEST_SKIP() << "no samples";
    for (const auto& reference : references) {
        RecordingSink sink;
        KivSlideFile slide;
        ASSERT_EQ(slide.Open(reference.c_str()), 0) << reference;
        slide.ReadHeader();
        KivSlidePoint last;
        slide.DecodeRecords(sink, last);
        int code = -1;
        const int lit = litPixels(reference, code);
        EXPECT_EQ(code, 0) << reference << ": " << KivSlideFile::GetSlideError();
        if (sink.out.empty())
            EXPECT_EQ(lit, 0) << reference << " has nothing to draw";
        else
            EXPECT_GT(lit, 0) << reference;
    }
}

TEST(DwgCorpus, PreviewsDrawWhereThereAreAny)
{
    const auto files = samplesIn("dwg");
    if (files.empty())
        GTEST_SKIP() << "no samples";
    int drawn = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        KivDwgPreview reader;
        ASSERT_EQ(reader.Open(path.c_str()), 1);
        std::vector<KivDwgPreviewEntry> entries;
        const bool section = reader.ReadEntries(nullptr, &entries);
        const bool picture
            = std::any_of(entries.begin(), entries.end(), [](auto& e) { return e.code == 2 || e.code == 6; });
        EXPECT_EQ(section, reader.HasPreviewVersion()) << "every release 13+ sample has its section";

        const COLORREF back = RGB(10, 20, 30);
        QImage image(300, 200, QImage::Format_RGB32);
        {
            CDC dc(&image);
            KivDwgPreview painter;
            CKivDwgPreviewCtrl::Paint(
                dc, nullptr, CRect(0, 0, 300, 200), painter, path.c_str(), back, RGB(255, 255, 255), 1, 0);
        }
        int other = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                other += (image.pixel(x, y) & 0xFFFFFF) != 0x0A141Eu;
        if (section && picture) {
            EXPECT_GT(other, 0) << "a preview with a picture draws something";
            ++drawn;
        } else {
            EXPECT_EQ(other, 0) << "no picture: only the background";
        }
    }
    EXPECT_GT(drawn, 10);
}

TEST(BmpCorpus, EveryBitmapLoadsOrFailsCleanly)
{
    const auto files = samplesIn("bmp");
    if (files.empty())
        GTEST_SKIP() << "no samples";
    int loaded = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        CDIBitmap bitmap;
        const int ok = bitmap.Load(CString(path.string()));
        const bool os2 = path.filename().string().find("os2") != std::string::npos;
        EXPECT_EQ(ok, os2 ? 0 : 1) << "only OS/2 headers are refused";
        if (!ok) {
            EXPECT_EQ(bitmap.GetHeaderPtr(), nullptr);
            continue;
        }
        ++loaded;
        const int w = bitmap.GetWidth(), h = std::abs(bitmap.GetHeight());
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        {
            CDC dc(&image);
            bitmap.DrawDIB(&dc, 0, 0);
        }
        // Other programs' reader agrees pixel for pixel, where it reads the file.
        const QImage reference(QString::fromStdString(path.string()));
        if (reference.isNull() || path.filename().string().find("bad") != std::string::npos)
            continue;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, reference.pixel(x, y) & 0xFFFFFF) << x << "," << y;
    }
    EXPECT_GE(loaded, 8);
}

TEST(SlideCorpus, TheBareRasterDrawsEverySlideAsTheDeviceContextDoes)
{
    const auto files = samplesIn("sld");
    if (files.empty())
        GTEST_SKIP() << "no samples";
    for (const auto& path : files)
        EXPECT_EQ(pictureDifferences(readFile(path), 256, 192, 0), 0) << path;
}

TEST(DxfCorpus, EveryRealDrawingReadsAndDraws)
{
    const auto files = samplesIn("dxf");
    if (files.empty())
        GTEST_SKIP() << "no samples";
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        KivDxfDraw drawing;
        ASSERT_TRUE(drawing.Open(path.c_str())) << drawing.GetError();
        EXPECT_FALSE(drawing.GetFile().IsTruncated()) << drawing.GetError();
        const QImage image = drawing.Render(320, 240, RGB(0, 0, 0), false);
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lit += image.pixel(x, y) != qRgb(0, 0, 0);
        // Every sample draws something but one whose model space is empty.
        if (!drawing.GetFile().GetEntities().empty()) {
            EXPECT_GT(lit, 50);
        }
    }
}
