// SPDX-License-Identifier: MIT
// Real TIFF and BMP files written by other programs.
#include "toolkit/TiffTestFiles.h"

#include "imaging/thumbcache/KivLeadThumbMgr.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(ImagingCorpus, EveryFileGivesItsInfoAndFirstPageOrAStatus)
{
    int files = 0, loaded = 0;
    for (const char* folder : {"tiff", "bmp"})
        for (const auto& path : samplesIn(folder)) {
            SCOPED_TRACE(path.string());
            ++files;
            KivLeadFileInfo info;
            const int status = KivLeadGetFileInfo(path.c_str(), &info);
            CLeadBitmap bitmap;
            const int load = KivLeadLoadFile(path.c_str(), &bitmap);
            if (status != KIVLEAD_SUCCESS) {
                EXPECT_NE(load, KIVLEAD_SUCCESS);
                continue;
            }
            EXPECT_GE(info.pages, 1);
            if (load == KIVLEAD_SUCCESS) {
                ++loaded;
                EXPECT_EQ(bitmap.Width(), info.width);
                EXPECT_EQ(bitmap.Height(), info.height);
                EXPECT_FALSE(bitmap.PaintImage().isNull());
            }
        }
    if (files == 0)
        GTEST_SKIP() << "no samples";
    EXPECT_GT(loaded, files / 2);
}

TEST(ImagingCorpus, MultiPageTiffsLoadEachPage)
{
    const auto paths = samplesIn("tiff");
    if (paths.empty())
        GTEST_SKIP() << "no samples";
    int multi = 0;
    for (const auto& path : paths) {
        KivLeadFileInfo info;
        if (KivLeadGetFileInfo(path.c_str(), &info) != KIVLEAD_SUCCESS || info.pages < 2)
            continue;
        SCOPED_TRACE(path.string());
        ++multi;
        for (int page = 1; page <= info.pages; ++page) {
            CLeadBitmap bitmap;
            EXPECT_EQ(KivLeadLoadFile(path.c_str(), &bitmap, 0, page), KIVLEAD_SUCCESS) << page;
        }
        CLeadBitmap bitmap;
        EXPECT_EQ(KivLeadLoadFile(path.c_str(), &bitmap, 0, info.pages + 1), KIVLEAD_ERROR_PAGE_NOT_FOUND);
    }
    EXPECT_GT(multi, 0);
}

TEST(ImagingCorpus, EveryReadableSampleGetsAThumbnailInTheBox)
{
    TempDir dir;
    KivLeadThumbMgr mgr;
    ASSERT_EQ(mgr.SetThumbPath(dir.file("cache").c_str()), 1);
    int files = 0, made = 0;
    for (const char* folder : {"tiff", "bmp"})
        for (const auto& path : samplesIn(folder)) {
            SCOPED_TRACE(path.string());
            ++files;
            CLeadBitmap first;
            const bool readable = KivLeadLoadFile(path.c_str(), &first) == KIVLEAD_SUCCESS;
            char out[KivLeadThumbMgr::kPathSize];
            const int got = mgr.GetThumb(path.c_str(), out);
            if (!readable) {
                EXPECT_EQ(got, 0);
                continue;
            }
            ASSERT_EQ(got, 1);
            ++made;
            KivLeadFileInfo info;
            ASSERT_EQ(KivLeadGetFileInfo(out, &info), KIVLEAD_SUCCESS);
            EXPECT_EQ(info.format, KIVLEAD_FORMAT_JPEG);
            // The single-precision scale may cut the long side one pixel short.
            EXPECT_TRUE(info.width >= 159 || info.height >= 119) << info.width << "x" << info.height;
            EXPECT_LE(info.width, 160);
            EXPECT_LE(info.height, 120);
            // The first page's shape, whatever the later pages are.
            const double want = double(first.Width()) / first.Height(), got2 = double(info.width) / info.height;
            EXPECT_NEAR(got2, want, want * 0.1 + 2.0 / info.height);
            char again[KivLeadThumbMgr::kPathSize];
            EXPECT_EQ(mgr.GetThumb(path.c_str(), again), 1);
            EXPECT_STREQ(again, out);
        }
    if (files == 0)
        GTEST_SKIP() << "no samples";
    EXPECT_GT(made, files / 2);
}

TEST(ImagingCorpus, PageChangesKeepTheOtherPagesOfRealTiffsByteForByte)
{
    int multi = 0;
    for (const auto& path : samplesIn("tiff")) {
        KivLeadFileInfo info;
        if (KivLeadGetFileInfo(path.c_str(), &info) != KIVLEAD_SUCCESS || info.pages < 2)
            continue;
        SCOPED_TRACE(path.string());
        ++multi;
        TempDir dir;
        const std::string copy = dir.file("copy.tif");
        writeFile(copy, readFile(path));
        const auto before = imagingtest::rawPages(copy);
        ASSERT_EQ(before.size(), static_cast<std::size_t>(info.pages));
        CLeadBitmap last;
        ASSERT_EQ(KivLeadLoadFile(copy.c_str(), &last, 0, info.pages), KIVLEAD_SUCCESS);
        // The last page moves to the front; page 1 goes.
        ASSERT_EQ(
            KivLeadSaveFile(copy.c_str(), &last, KIVLEAD_FORMAT_TIFF, 0, 0, 1, KIVLEAD_SAVE_INSERT), KIVLEAD_SUCCESS);
        ASSERT_EQ(KivLeadDeletePage(copy.c_str(), 2), KIVLEAD_SUCCESS);
        ASSERT_EQ(
            KivLeadSaveFile(copy.c_str(), &last, KIVLEAD_FORMAT_TIFF, 0, 0, 2, KIVLEAD_SAVE_REPLACE), KIVLEAD_SUCCESS);
        const auto after = imagingtest::rawPages(copy);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 2; i < before.size(); ++i)
            EXPECT_TRUE(after[i] == before[i]) << "page " << i + 1;
        CLeadBitmap page;
        ASSERT_EQ(KivLeadLoadFile(copy.c_str(), &page, 0, 1), KIVLEAD_SUCCESS);
        EXPECT_EQ(page.Width(), last.Width());

        // Every page of the real file inserted whole, its stored bytes kept
        // (fax files carry their coding options).
        ASSERT_EQ(KivLeadInsertPages(copy.c_str(), 2, path.c_str()), KIVLEAD_SUCCESS);
        const auto inserted = imagingtest::rawPages(copy);
        ASSERT_EQ(inserted.size(), 2 * before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(inserted[1 + i] == before[i]) << "inserted page " << i + 1;
    }
    if (multi == 0)
        GTEST_SKIP() << "no multi-page samples";
}
