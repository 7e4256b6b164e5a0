// SPDX-License-Identifier: MIT
// The thumbnail cache: index lines, lookups, staleness, repair and sharing.
#include "imaging/thumbcache/KivLeadThumbMgr.h"
#include "ImagingTestData.h"
#include "imaging/thumbcache/KivLeadThumbFolder.h"
#include "imaging/thumbcache/KivLeadThumbIndex.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

void writeImage(const std::string& path, int width, int height, const char* format = "PNG")
{
    writeFile(path, imagingtest::encode(imagingtest::marked(width, height, 0xff3366cc, 0, 0, 0xffffffff), format));
}

std::string text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& path)
{
    std::vector<std::string> out;
    std::istringstream in(text(path));
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

void touch(const std::string& path, std::time_t when)
{
    fs::last_write_time(path,
        fs::file_time_type::clock::now()
            + std::chrono::seconds(when - std::chrono::system_clock::to_time_t(std::chrono::system_clock::now())));
}

struct Cache {
    TempDir dir;
    KivLeadThumbMgr mgr;
    std::string thumbs = dir.file("thumbs");
    Cache() { EXPECT_EQ(mgr.SetThumbPath(thumbs.c_str()), 1); }
    std::string db() const { return thumbs + "/THUMB.DB"; }
    std::string get(const std::string& file)
    {
        char out[KivLeadThumbMgr::kPathSize] = "";
        return mgr.GetThumb(file.c_str(), out) ? out : "";
    }
};

} // namespace

TEST(KivLeadThumbMgr, MakesAnIndexedJpegOnceAndReusesIt)
{
    Cache c;
    const std::string photo = c.dir.file("Photo.png");
    writeImage(photo, 320, 240);
    const std::string thumb = c.get(photo);
    ASSERT_FALSE(thumb.empty());
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{16}\\.jpg$")
                    .match(QString::fromStdString(fs::path(thumb).filename().string()))
                    .hasMatch());
    const auto index = lines(c.db());
    ASSERT_EQ(index.size(), 1u);
    EXPECT_TRUE(QRegularExpression("^.*/Photo\\.png\\|[0-9]+\\.[0-9]{6}\\|[0-9a-f]{16}$")
                    .match(QString::fromStdString(index[0]))
                    .hasMatch());
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(thumb.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.format, KIVLEAD_FORMAT_JPEG);
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 120);
    // Another letter case finds the same line; nothing more is made.
    std::string upper = photo;
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    char out[KivLeadThumbMgr::kPathSize];
    EXPECT_EQ(c.mgr.FindThumb(c.thumbs.c_str(), upper.c_str(), out), 1);
    EXPECT_EQ(thumb, out);
    EXPECT_EQ(c.get(photo), thumb);
    EXPECT_EQ(lines(c.db()).size(), 1u);
}

TEST(KivLeadThumbMgr, FitsTheBoxAndEnlargesSmallImages)
{
    Cache c;
    const struct {
        int w, h, tw, th;
    } cases[] = {{40, 30, 160, 120}, {1600, 600, 160, 60}, {90, 300, 36, 120}, {1, 1000, 1, 120}};
    for (const auto& k : cases) {
        const std::string src = c.dir.file(std::to_string(k.w) + "x" + std::to_string(k.h) + ".png");
        writeImage(src, k.w, k.h);
        KivLeadFileInfo info;
        ASSERT_EQ(KivLeadGetFileInfo(c.get(src).c_str(), &info), KIVLEAD_SUCCESS) << src;
        EXPECT_EQ(info.width, k.tw) << src;
        EXPECT_EQ(info.height, k.th) << src;
    }
    // A small source stays small when asked not to enlarge.
    const std::string small = c.dir.file("40x30.png"), bmp = c.dir.file("small.bmp");
    ASSERT_EQ(c.mgr.ConvertThumb(small.c_str(), bmp.c_str(), 160, 120, 6, 0, 1), 1);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(bmp.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.format, KIVLEAD_FORMAT_BMP);
    EXPECT_EQ(info.width, 40);
    EXPECT_EQ(c.mgr.ConvertThumb(small.c_str(), bmp.c_str(), 160, 120, 3, 0, 0), 0);
}

TEST(KivLeadThumbMgr, ANewerSourceIsRemadeOnceAndTheNewestLineWins)
{
    Cache c;
    const std::string photo = c.dir.file("a.png");
    writeImage(photo, 100, 100);
    const std::time_t now = std::time(nullptr);
    touch(photo, now - 3600);
    const std::string first = c.get(photo);
    ASSERT_FALSE(first.empty());
    touch(photo, now - 60);
    const std::string second = c.get(photo);
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_FALSE(fs::exists(first)) << "the stale thumbnail is deleted";
    // Later lookups use the second line: nothing more is made or appended.
    EXPECT_EQ(c.get(photo), second);
    EXPECT_EQ(KivLeadThumbMgr(c.mgr).GetThumb(photo.c_str(), std::vector<char>(260).data()), 1);
    EXPECT_EQ(lines(c.db()).size(), 2u);
    // A source replaced by an older copy (cp -p) is another picture: its
    // thumbnail is made anew.
    const std::string older = c.dir.file("older.png");
    writeImage(older, 80, 40);
    touch(older, now - 7200);
    fs::copy_file(older, photo, fs::copy_options::overwrite_existing);
    touch(photo, now - 7200);
    const std::string third = c.get(photo);
    ASSERT_FALSE(third.empty());
    EXPECT_NE(third, second);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(third.c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 80) << "the thumbnail of the new picture";
    // Even with the very date of the line, a replaced file is told apart.
    ::usleep(20000);
    fs::copy_file(older, photo, fs::copy_options::overwrite_existing);
    touch(photo, now - 7200);
    EXPECT_NE(c.get(photo), third);
}

TEST(KivLeadThumbMgr, LinksInTheCacheAreNeverFollowed)
{
    Cache c;
    const std::string photo = c.dir.file("p.png");
    writeImage(photo, 64, 48);
    // Someone who can write the cache makes its index a link to a file of
    // whoever runs the browser: it is neither appended to nor rewritten.
    std::string victimText;
    for (int i = 0; i < 100; ++i)
        victimText += "precious line " + std::to_string(i) + "\n";
    const std::string victim = c.dir.file("victim.txt");
    writeText(victim, victimText);
    fs::create_symlink(victim, c.db());
    char out[KivLeadThumbMgr::kPathSize];
    EXPECT_EQ(c.mgr.GetThumb(photo.c_str(), out), 0);
    EXPECT_EQ(text(victim), victimText);
    EXPECT_TRUE(fs::is_symlink(c.db()));
    EXPECT_EQ(std::distance(fs::directory_iterator(c.thumbs), fs::directory_iterator()), 1) << "no thumbnail made";
    // A hard link is refused alike.
    fs::remove(c.db());
    fs::create_hard_link(victim, c.db());
    EXPECT_EQ(c.mgr.GetThumb(photo.c_str(), out), 0);
    EXPECT_EQ(text(victim), victimText);
    fs::remove(c.db());

    // A thumbnail that is a link is not shown, and going stale removes the
    // link, never the file it names.
    const std::string thumb = c.get(photo);
    ASSERT_FALSE(thumb.empty());
    fs::remove(thumb);
    fs::create_symlink(victim, thumb);
    const std::string again = c.get(photo);
    EXPECT_FALSE(again.empty());
    EXPECT_NE(again, thumb);
    EXPECT_EQ(text(victim), victimText);
}

TEST(KivLeadThumbMgr, AForgedLineNeverDeletesAnotherImagesThumbnail)
{
    Cache c;
    const std::string photo = c.dir.file("p.png"), other = c.dir.file("other.png");
    writeImage(photo, 64, 48);
    writeImage(other, 64, 48);
    const std::string thumb = c.get(photo);
    ASSERT_FALSE(thumb.empty());
    const std::string name = fs::path(thumb).stem().string();
    // A line for another source, stale from the start, naming p's thumbnail.
    std::ofstream(c.db(), std::ios::app) << other << "|1.000000|" << name << "\n";
    EXPECT_FALSE(c.get(other).empty());
    EXPECT_TRUE(fs::exists(thumb));
    EXPECT_EQ(c.get(photo), thumb);
}

TEST(KivLeadThumbFolder, AnIndexPastItsCapIsCompactedOrSetAside)
{
    const std::uint64_t cap = KivLeadThumbFolder::maxIndexBytes();
    KivLeadThumbFolder::setMaxIndexBytesForTesting(4096);
    TempDir dir;
    const std::string cache = dir.file("cache") + "/";
    fs::create_directory(cache);
    // Mostly one source written again and again: its live lines fit.
    std::string db;
    for (int i = 0; i < 200; ++i)
        db += "/photos/a.png|" + std::to_string(1000 + i) + ".000000|" + std::string(16, 'a') + "\n";
    db += "/photos/b.png|1.000000|" + std::string(16, 'b') + "\n";
    writeText(cache + "THUMB.DB", db);
    {
        KivLeadThumbFolder folder(cache);
        EXPECT_EQ(folder.refresh().live(), 2u);
        EXPECT_EQ(lines(cache + "THUMB.DB").size(), 2u) << "compacted to its live lines";
    }
    // So many sources that their lines alone pass the cap: set aside, and a
    // new index begun, never appended to.
    db.clear();
    for (int i = 0; i < 200; ++i)
        db += "/photos/" + std::to_string(i) + ".png|1.000000|" + std::string(16, 'c') + "\n";
    writeText(cache + "THUMB.DB", db);
    {
        KivLeadThumbFolder folder(cache);
        EXPECT_EQ(folder.refresh().live(), 0u);
        EXPECT_NE(folder.note().find("set aside"), std::string::npos) << folder.note();
        EXPECT_EQ(text(cache + "THUMB.DB.old"), db);
        EXPECT_FALSE(fs::exists(cache + "THUMB.DB"));
        EXPECT_TRUE(folder.append("/photos/x.png|1.000000|" + std::string(16, 'd') + "\n"));
        EXPECT_EQ(lines(cache + "THUMB.DB").size(), 1u);
    }
    KivLeadThumbFolder::setMaxIndexBytesForTesting(cap);
}

TEST(KivLeadThumbFolder, SweepsOnlyOldThumbnailsALineOnceNamed)
{
    TempDir dir;
    const std::string cache = dir.file("cache") + "/";
    fs::create_directory(cache);
    const std::string used(16, 'a'), lost(16, 'b'), young(16, 'c'), never(16, 'd');
    // b was a's thumbnail until a newer line replaced it; c too, but it came
    // later; no line ever named d.
    writeText(cache + "THUMB.DB",
        "/photos/a.png|1.000000|" + lost + "\n/photos/a.png|2.000000|" + young + "\n/photos/a.png|3.000000|" + used
            + "\n");
    for (const std::string& name : {used, lost, never})
        writeText(cache + name + ".jpg", "jpeg");
    ::usleep(30000);
    const auto now
        = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
              .count();
    ::usleep(30000);
    writeText(cache + young + ".jpg", "jpeg");
    writeText(cache + "notes.jpg", "not a thumbnail name");
    KivLeadThumbFolder folder(cache);
    EXPECT_EQ(folder.unreferenced(now), std::vector<std::string> {lost + ".jpg"});
    EXPECT_EQ(folder.sweep(now), 1);
    EXPECT_TRUE(fs::exists(cache + used + ".jpg"));
    EXPECT_TRUE(fs::exists(cache + young + ".jpg")) << "perhaps another program's, about to be indexed";
    EXPECT_TRUE(fs::exists(cache + never + ".jpg")) << "no line named it: perhaps somebody's own";
    EXPECT_TRUE(fs::exists(cache + "notes.jpg"));
    EXPECT_FALSE(fs::exists(cache + lost + ".jpg"));
}

TEST(KivLeadThumbMgr, RefusesWhatItCannotThumbnail)
{
    Cache c;
    char out[KivLeadThumbMgr::kPathSize];
    EXPECT_EQ(c.mgr.GetThumb(nullptr, out), 0);
    EXPECT_EQ(c.mgr.GetThumb("", out), 0);
    EXPECT_EQ(KivLeadThumbMgr().GetThumb(c.dir.file("x.png").c_str(), out), 0) << "no folder set";
    // Files in the cache folder, in any letter case.
    const std::string inside = c.thumbs + "/in.png";
    writeImage(inside, 50, 50);
    EXPECT_EQ(c.mgr.GetThumb(inside.c_str(), out), 0);
    std::string upper = c.thumbs;
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(c.mgr.GetThumb((upper + "/in.png").c_str(), out), 0);
    // Not an image, a bomb, a missing file: no line, no JPEG.
    writeText(c.dir.file("notes.png"), "not an image at all");
    writeFile(c.dir.file("bomb.png"), imagingtest::pngDeclaring(100000, 100000));
    for (const char* name : {"notes.png", "bomb.png", "missing.png"})
        EXPECT_EQ(c.mgr.GetThumb(c.dir.file(name).c_str(), out), 0) << name;
    EXPECT_FALSE(fs::exists(c.db()));
    EXPECT_EQ(std::distance(fs::directory_iterator(c.thumbs), fs::directory_iterator()), 1);
    // A path too long for a line that could ever be found again.
    const std::string deep = c.dir.file(std::string(250, 'd') + ".png");
    writeImage(deep, 20, 20);
    EXPECT_EQ(c.mgr.GetThumb(deep.c_str(), out), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(c.thumbs), fs::directory_iterator()), 1);
    // An output buffer too small for the path.
    const std::string photo = c.dir.file("p.png");
    writeImage(photo, 20, 20);
    EXPECT_EQ(c.mgr.GetThumb(photo.c_str(), out, 8), 0);
}

TEST(KivLeadThumbMgr, RepairsAfterDeletionsAndAnUnwritableIndex)
{
    Cache c;
    const std::string photo = c.dir.file("p.png");
    writeImage(photo, 64, 48);
    const std::string thumb = c.get(photo);
    ASSERT_FALSE(thumb.empty());
    fs::remove(thumb);
    const std::string again = c.get(photo);
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(fs::exists(again));
    // The source deleted: no thumbnail, and the old one goes.
    fs::remove(photo);
    EXPECT_EQ(c.get(photo), "");
    EXPECT_FALSE(fs::exists(again));
    // An index that cannot be appended to leaves no thumbnail behind.
    writeImage(photo, 64, 48);
    fs::remove(c.db());
    fs::create_directory(c.db());
    EXPECT_EQ(c.get(photo), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(c.thumbs), fs::directory_iterator()), 1);
    fs::remove(c.db());
    EXPECT_FALSE(c.get(photo).empty());
}

TEST(KivLeadThumbMgr, AReadOnlyCacheFolderGivesTheSourceItself)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes read-only folders";
    Cache c;
    const std::string photo = c.dir.file("p.png");
    writeImage(photo, 64, 48);
    fs::permissions(c.thumbs, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(c.get(photo), "");
    fs::permissions(c.thumbs, fs::perms::owner_all);
    EXPECT_FALSE(c.get(photo).empty());
}

TEST(KivLeadThumbMgr, CorruptIndexLinesAreSkippedAndNeverNameOtherFiles)
{
    Cache c;
    const std::string photo = c.dir.file("p.png");
    writeImage(photo, 64, 48);
    const std::string victim = c.dir.file("victim.jpg");
    writeText(victim, "keep me");
    std::string junk("\x00\xff\x89PNG|||\n", 10);
    junk += photo + "|notanumber|0123456789abcdef\n";
    junk += photo + "|99999999|../victim\n";
    junk += photo + "\n" + photo + "|99999999\n";
    junk += std::string(300, 'x') + "|99999999|0123456789abcdef\n";
    junk += photo + "|1.000000|0123456789abcdeg\n";
    junk += photo + "|99999999|0123456789abcdef"; // a writer died mid-line
    writeText(c.db(), junk);
    const std::string thumb = c.get(photo);
    ASSERT_FALSE(thumb.empty());
    EXPECT_TRUE(fs::exists(victim));
    EXPECT_EQ(c.get(photo), thumb);
    // The new line starts on a line of its own.
    EXPECT_EQ(lines(c.db()).back().substr(0, photo.size() + 1), photo + "|");
}

TEST(KivLeadThumbMgr, CompactsAnIndexOfMostlyDeadLines)
{
    Cache c;
    const std::string photo = c.dir.file("p.png");
    writeImage(photo, 30, 30);
    const std::string thumb = c.get(photo);
    ASSERT_FALSE(thumb.empty());
    const std::string live = text(c.db());
    std::string db;
    for (int i = 0; i < 20; ++i)
        db += c.dir.file("gone" + std::to_string(i % 2) + ".png") + "|1.000000|" + std::string(16, 'a') + "\n";
    db += live;
    db += "not a line\n";
    writeText(c.db(), db);
    EXPECT_EQ(KivLeadThumbMgr(c.mgr).GetThumb(photo.c_str(), std::vector<char>(260).data()), 1);
    const auto after = lines(c.db());
    ASSERT_EQ(after.size(), 3u); // gone0, gone1 and the photo, in their order
    EXPECT_EQ(after[2] + "\n", live);
    EXPECT_EQ(c.get(photo), thumb);
}

TEST(KivLeadThumbMgr, TwoProcessesAppendingLoseNoLine)
{
    Cache c;
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 500; ++i)
            writeText(c.dir.file("p" + std::to_string(p) + "_" + std::to_string(i) + ".jpg"), "");
    std::vector<pid_t> children;
    for (int p = 0; p < 2; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            KivLeadThumbMgr mgr;
            mgr.SetThumbPath(c.thumbs.c_str());
            char name[17];
            int failed = 0;
            for (int i = 0; i < 500; ++i) {
                std::snprintf(name, sizeof name, "%08x%08x", p, i);
                const std::string src = c.dir.file("p" + std::to_string(p) + "_" + std::to_string(i) + ".jpg");
                failed += mgr.AddThumb(c.thumbs.c_str(), src.c_str(), name) ? 0 : 1;
            }
            ::_exit(failed);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto all = lines(c.db());
    ASSERT_EQ(all.size(), 1000u);
    KivLeadThumbIndex index;
    index.parse(text(c.db()));
    EXPECT_EQ(index.lines(), 1000u);
    EXPECT_EQ(index.live(), 1000u);
}

TEST(KivLeadThumbIndex, ReadsLinesAsTheOriginalWroteThem)
{
    KivLeadThumbIndex index;
    const std::string db = "C:\\Photos\\A.JPG|38000.500000|0123456789abcdef\r\n"
                           "c:\\photos\\a.jpg|38001.250000|fedcba9876543210\n"
                           "/x|y|z.png|38001.000000|00000000ffffffff\n"
                           "partial|1.0|00000000ffffffff";
    EXPECT_EQ(index.parse(db), db.rfind('\n') + 1);
    ASSERT_NE(index.find("C:\\PHOTOS\\a.jpg"), nullptr);
    EXPECT_EQ(index.find("C:\\PHOTOS\\a.jpg")->name, "fedcba9876543210");
    EXPECT_DOUBLE_EQ(index.find("c:\\photos\\A.jpg")->date, 38001.25);
    ASSERT_NE(index.find("/x|y|z.png"), nullptr);
    EXPECT_EQ(index.find("partial"), nullptr);
    EXPECT_EQ(index.lines(), 3u);
    std::string line;
    ASSERT_TRUE(KivLeadThumbIndex::formatLine("C:\\a.bmp", 38000.5, "0123456789abcdef", line));
    EXPECT_EQ(line, "C:\\a.bmp|38000.500000|0123456789abcdef\n");
    EXPECT_FALSE(KivLeadThumbIndex::formatLine("a\nb", 1.0, "0123456789abcdef", line));
    EXPECT_FALSE(KivLeadThumbIndex::formatLine(std::string(240, 'a'), 1.0, "0123456789abcdef", line));
}
