#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

void writeImage(const std::string& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(40, 120, 200));
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
}

int jpegsIn(const fs::path& folder)
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().extension() == ".jpg";
    return n;
}

} // namespace

TEST(VandrelThumbs, MakesReusesAndRemakesStaleThumbnails)
{
    TempDir dir;
    fs::create_directory(dir.path() / "photos");
    for (int i = 0; i < 6; ++i)
        writeImage(dir.file("photos/p" + std::to_string(i) + (i % 2 ? ".png" : ".jpg")), 200 + i, 100);
    writeText(dir.file("photos/notes.txt"), "not listed");
    writeText(dir.file("photos/broken.png"), "no image");
    auto r = runVandrel({"thumbs", "photos", "--jobs", "3"}, dir.path());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "7 images: made 6, reused 0, stale 0, failed 1\n");
    EXPECT_EQ(jpegsIn(dir.path() / "photos/.thumbs"), 6);
    fs::remove(dir.file("photos/broken.png"));
    fs::last_write_time(dir.file("photos/p0.jpg"), fs::file_time_type::clock::now() + std::chrono::hours(1));
    r = runVandrel({"thumbs", "photos"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "6 images: made 0, reused 5, stale 1, failed 0\n");
    EXPECT_EQ(jpegsIn(dir.path() / "photos/.thumbs"), 6);
    r = runVandrel({"thumbs", "photos", "--check"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "7 lines, 6 live, 0 thumbnails missing, 0 sources gone\n");
}

TEST(VandrelThumbs, CheckReportsMissingThumbnailsAndGoneSources)
{
    TempDir dir;
    writeImage(dir.file("a.png"), 50, 50);
    writeImage(dir.file("b.png"), 50, 50);
    auto r = runVandrel({"thumbs", ".", "--cache", "cache"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    fs::remove(dir.file("a.png"));
    for (const auto& e : fs::directory_iterator(dir.path() / "cache"))
        if (e.path().extension() == ".jpg") {
            fs::remove(e.path());
            break;
        }
    r = runVandrel({"thumbs", ".", "--cache", "cache", "--check"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("source gone: " + dir.file("a.png") + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("missing thumbnail: "), std::string::npos);
    EXPECT_NE(r.out.find("2 lines, 2 live, 1 thumbnails missing, 1 sources gone\n"), std::string::npos) << r.out;
}

TEST(VandrelThumbs, RefusesBadArguments)
{
    TempDir dir;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             {"thumbs"}, {"thumbs", "nosuch"}, {"thumbs", ".", "--jobs", "0"}, {"thumbs", ".", "--jobs", "x"}}) {
        const auto r = runVandrel(args, dir.path());
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    writeText(dir.file("file"), "");
    EXPECT_EQ(runVandrel({"thumbs", ".", "--cache", "file/sub"}, dir.path()).status, 1);
    EXPECT_EQ(runVandrel({"thumbs", "--help"}, dir.path()).status, 0);
}
