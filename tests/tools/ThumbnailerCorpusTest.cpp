// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace testsupport;

// Every real slide, library, DWG and DXF drawing either gives a PNG within the size
// or fails cleanly, leaving no output.
TEST(ThumbnailerCorpus, RealFilesGiveAPictureOrACleanFailure)
{
    if (samplesDir().empty())
        GTEST_SKIP() << "no samples";
    TempDir dir;
    int drawn = 0;
    for (const char* folder : {"sld", "slb", "dwg", "dxf"}) {
        for (const auto& file : samplesIn(folder)) {
            const std::string out = dir.file(file.filename().string() + ".png");
            const RunResult r = run({binary("vandrel-thumbnailer").string(), "-s", "128", file.string(), out});
            if (r.status == 0) {
                const QImage png(QString::fromStdString(out));
                EXPECT_FALSE(png.isNull()) << file;
                EXPECT_LE(std::max(png.width(), png.height()), 128) << file;
                ++drawn;
            } else {
                EXPECT_EQ(r.status, 1) << file;
                EXPECT_FALSE(std::filesystem::exists(out)) << file;
                EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << file << r.err;
            }
        }
    }
    EXPECT_GE(drawn, 25);
}
