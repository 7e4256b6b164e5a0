// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
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
    EXPECT_EQ(r.out, "7 images: made 6, reused 0, stale 0, failed 1; 0 unreferenced thumbnails removed\n");
    EXPECT_EQ(jpegsIn(dir.path() / "photos/.thumbs"), 6);
    fs::remove(dir.file("photos/broken.png"));
    fs::last_write_time(dir.file("photos/p0.jpg"), fs::file_time_type::clock::now() + std::chrono::hours(1));
    r = runVandrel({"thumbs", "photos"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "6 images: made 0, reused 5, stale 1, failed 0; 0 unreferenced thumbnails removed\n");
    EXPECT_EQ(jpegsIn(dir.path() / "photos/.thumbs"), 6);
    r = runVandrel({"thumbs", "photos", "--check"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "7 lines, 6 live, 0 thumbnails missing, 0 sources gone, 0 unreferenced thumbnails\n");
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
    EXPECT_NE(r.out.find("2 lines, 2 live, 1 thumbnails missing, 1 sources gone, 0 unreferenced thumbnails\n"),
        std::string::npos)
        << r.out;
}

TEST(VandrelThumbs, ThumbnailsALineOnceNamedAreReportedAndKeptWhileYoung)
{
    TempDir dir;
    writeImage(dir.file("a.png"), 50, 50);
    ASSERT_EQ(runVandrel({"thumbs", "."}, dir.path()).status, 0);
    // Left by a run that lost a race: a line named it, a newer one replaced
    // it. One no line ever named is nobody's business.
    const std::string lost = "0123456789abcdef", mine = "fedcba9876543210";
    writeText(dir.file(".thumbs/" + lost + ".jpg"), "jpeg");
    writeText(dir.file(".thumbs/" + mine + ".jpg"), "jpeg");
    {
        const Bytes b = readFile(dir.file(".thumbs/THUMB.DB"));
        const std::string live(b.begin(), b.end());
        writeText(dir.file(".thumbs/THUMB.DB"), live.substr(0, live.rfind('|') + 1) + lost + "\n" + live);
    }
    auto r = runVandrel({"thumbs", ".", "--check"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("unreferenced thumbnail: " + lost + ".jpg\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(mine), std::string::npos) << r.out;
    // A run sweeps such files only once they are ten minutes old.
    r = runVandrel({"thumbs", "."}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("0 unreferenced thumbnails removed"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(dir.file(".thumbs/" + lost + ".jpg")));
    EXPECT_TRUE(fs::exists(dir.file(".thumbs/" + mine + ".jpg")));
}

TEST(VandrelThumbs, CheckChangesNothing)
{
    TempDir dir;
    writeImage(dir.file("a.png"), 50, 50);
    ASSERT_EQ(runVandrel({"thumbs", "."}, dir.path()).status, 0);
    // Mostly dead lines: a run would compact them; a check leaves them.
    const Bytes b = readFile(dir.file(".thumbs/THUMB.DB"));
    std::string index;
    for (int i = 0; i < 40; ++i)
        index += dir.file("a.png") + "|1.000000|" + std::string(16, 'e') + "\n";
    index += std::string(b.begin(), b.end());
    writeText(dir.file(".thumbs/THUMB.DB"), index);
    runVandrel({"thumbs", ".", "--check"}, dir.path());
    const Bytes after = readFile(dir.file(".thumbs/THUMB.DB"));
    EXPECT_EQ(std::string(after.begin(), after.end()), index);
}

TEST(VandrelThumbs, LinksInTheCacheAreRefused)
{
    TempDir dir;
    fs::create_directory(dir.path() / "photos");
    writeImage(dir.file("photos/a.png"), 50, 50);
    std::string precious;
    for (int i = 0; i < 100; ++i)
        precious += "line " + std::to_string(i) + "\n";
    writeText(dir.file("precious.txt"), precious);
    const auto intact = [&] {
        const Bytes b = readFile(dir.file("precious.txt"));
        return std::string(b.begin(), b.end()) == precious;
    };
    // The folder's own .thumbs as a link: refused; a folder named with
    // --cache may be one.
    fs::create_directory(dir.path() / "elsewhere");
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "photos/.thumbs");
    auto r = runVandrel({"thumbs", "photos"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("symbolic link"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere"));
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "link");
    r = runVandrel({"thumbs", "photos", "--cache", "link"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    fs::remove(dir.path() / "photos/.thumbs");
    // Its index as a link to a file of the user's: refused, the file intact.
    fs::create_directory(dir.path() / "photos/.thumbs");
    fs::create_symlink(dir.file("precious.txt"), dir.file("photos/.thumbs/THUMB.DB"));
    for (const char* check : {"", "--check"}) {
        std::vector<std::string> args {"thumbs", "photos"};
        if (*check)
            args.push_back(check);
        r = runVandrel(args, dir.path());
        EXPECT_EQ(r.status, 1) << check;
        EXPECT_NE(r.err.find("THUMB.DB"), std::string::npos) << r.err;
        EXPECT_TRUE(intact());
    }
    EXPECT_TRUE(fs::is_symlink(dir.file("photos/.thumbs/THUMB.DB")));
}

TEST(VandrelThumbs, RefusesBadArguments)
{
    TempDir dir;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             {"thumbs"}, {"thumbs", "nosuch"}, {"thumbs", ".", "--jobs", "0"}, {"thumbs", ".", "--jobs", "x"}}) {
        const auto r = runVandrel(args, dir.path());
        EXPECT_EQ(r.status, args.size() == 1 ? 2 : 1) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    writeText(dir.file("file"), "");
    EXPECT_EQ(runVandrel({"thumbs", ".", "--cache", "file/sub"}, dir.path()).status, 1);
    EXPECT_EQ(runVandrel({"thumbs", "--help"}, dir.path()).status, 0);
}
