// SPDX-License-Identifier: MIT
#include "airfoil/ZopAirfoil.h"
#include "dbf/KivDbfData.h"
#include "imaging/thumbcache/KivLeadThumbIndex.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kFolder = VANDREL_REGRESSIONS;

std::string pathOf(const std::string& name)
{
    for (const auto& entry : fs::recursive_directory_iterator(kFolder))
        if (entry.path().filename() == name)
            return entry.path().string();
    return {};
}

std::string bytesOf(const std::string& name)
{
    std::ifstream in(pathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Regression {
    const char* file;
    void (*check)(const std::string& path);
};

void imageTooLarge(const std::string& path)
{
    KivLeadFileInfo info;
    EXPECT_EQ(KivLeadGetFileInfo(path.c_str(), &info), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
    CLeadBitmap bitmap;
    EXPECT_EQ(KivLeadLoadFile(path.c_str(), &bitmap), KIVLEAD_ERROR_IMAGE_TOO_LARGE);
}

void airfoilRefused(const std::string& path)
{
    const std::string bytes = bytesOf(fs::path(path).filename().string());
    int count = -1;
    ZopPoint2D* points = ZopAirfoil::ParsePlot(bytes.data(), bytes.size(), &count);
    EXPECT_EQ(points, nullptr);
    std::free(points);
}

const Regression kRegressions[] = {
    {"png-declared-size-past-the-limits-read-as-damaged.png", imageTooLarge},
    {"pnm-huge-declared-size-leaked-in-the-header-reader.ppm", imageTooLarge},
    {"jpeg-cut-halfway-passed-as-a-picture.jpg",
        [](const std::string& path) {
            CLeadBitmap bitmap;
            EXPECT_EQ(KivLeadLoadFile(path.c_str(), &bitmap), KIVLEAD_ERROR_INVALID_FILE);
        }},
    {"tiff-directory-chain-loops-to-itself.tif",
        [](const std::string& path) {
            // The chain ends where it comes round: one page, read once.
            std::vector<KivLeadFileInfo> pages;
            const int status = KivLeadGetPagesInfo(path.c_str(), &pages);
            EXPECT_TRUE(status != KIVLEAD_SUCCESS || pages.size() == 1) << status << " " << pages.size();
        }},
    {"dbf-header-claims-more-records-than-the-file-holds.dbf",
        [](const std::string& path) {
            KivDbfData table;
            ASSERT_EQ(table.open(path.c_str()), 1);
            EXPECT_EQ(table.countRecords(), 2);
        }},
    {"dbf-header-length-inside-the-descriptors.dbf",
        [](const std::string& path) {
            KivDbfData table;
            ASSERT_EQ(table.open(path.c_str()), 1);
            EXPECT_EQ(table.getFieldCount(), 0); // no fields taken from the records
        }},
    {"dbf-long-character-field-past-the-record.dbf",
        [](const std::string& path) {
            KivDbfData table;
            ASSERT_EQ(table.open(path.c_str()), 1);
            if (KivDbfRecord* records = table.createRecord())
                for (long r = 0; r < records->getCount(); ++r) {
                    int length = 0;
                    records->getField(r, 0, &length);
                    EXPECT_LE(length, 9); // never past the record
                }
        }},
    {"airfoil-nan-point-was-drawn.dat", airfoilRefused},
    {"airfoil-infinite-point-was-drawn.dat", airfoilRefused},
    {"thumbdb-forged-and-overlong-lines.db",
        [](const std::string& path) {
            const std::string text = bytesOf(fs::path(path).filename().string());
            KivLeadThumbIndex index;
            EXPECT_EQ(index.parse(text), text.size());
            EXPECT_EQ(index.lines(), 5u);
            EXPECT_EQ(index.live(), 2u); // a.jpg and b.jpg; the rest are dead lines
            EXPECT_EQ(index.references("0123456789ABCDEF"), 2); // the forged name is seen shared
        }},
};

class RegressionInputs : public testing::TestWithParam<Regression> { };

TEST_P(RegressionInputs, AreHandledAsTheirNameSays)
{
    const std::string path = pathOf(GetParam().file);
    ASSERT_FALSE(path.empty()) << GetParam().file << " is not in " << kFolder;
    GetParam().check(path);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegressionInputs, testing::ValuesIn(kRegressions), [](const testing::TestParamInfo<Regression>& info) {
        std::string name = info.param.file;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

// A file put in the folder without a row here would only be replayed.
TEST(RegressionInputs, EveryFileHasARow)
{
    std::set<std::string> rows;
    for (const Regression& r : kRegressions)
        rows.insert(r.file);
    for (const auto& entry : fs::recursive_directory_iterator(kFolder))
        if (entry.is_regular_file() && entry.path().filename() != "README.md") {
            EXPECT_TRUE(rows.count(entry.path().filename().string())) << entry.path();
        }
}

} // namespace
