// Real slides and libraries written by other programs.
#include "RecordingSink.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
