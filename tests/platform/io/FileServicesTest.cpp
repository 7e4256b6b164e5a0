// SPDX-License-Identifier: MIT
#include "platform/io/AtomicFile.h"
#include "platform/io/ByteSource.h"
#include "platform/io/CacheFolder.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/services/ProcessService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace testsupport;
namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesOnlyOnCommit)
{
    TempDir dir;
    const std::string target = dir.file("data.bin");
    writeText(target, "old");
    chmod(target.c_str(), 0640);
    {
        AtomicFile out(target);
        ASSERT_TRUE(out.open());
        EXPECT_TRUE(out.write("new", 3));
        EXPECT_EQ(readFile(target), Bytes({'o', 'l', 'd'}));
        EXPECT_TRUE(fs::exists(out.tempPath()));
        EXPECT_EQ(fs::path(out.tempPath()).parent_path(), dir.path()) << "the temporary file lives beside the target";
        ASSERT_TRUE(out.commit());
    }
    EXPECT_EQ(readFile(target), Bytes({'n', 'e', 'w'}));
    struct stat st { };
    stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "permissions survive the rename";

    {
        AtomicFile abandoned(target);
        ASSERT_TRUE(abandoned.open());
        abandoned.write("zzz", 3);
    }
    EXPECT_EQ(readFile(target), Bytes({'n', 'e', 'w'}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(AtomicFile, InjectedFailureKeepsTheOriginal)
{
    TempDir dir;
    const std::string target = dir.file("data.bin");
    writeText(target, "original");
    AtomicFile::failAfterBytesForTesting(4);
    AtomicFile out(target);
    ASSERT_TRUE(out.open());
    EXPECT_TRUE(out.write("abcd", 4));
    EXPECT_FALSE(out.write("e", 1));
    EXPECT_FALSE(out.commit());
    AtomicFile::failAfterBytesForTesting(-1);
    EXPECT_EQ(readFile(target).size(), 8u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    AtomicFile nowhere(dir.file("no/such/folder/file"));
    EXPECT_FALSE(nowhere.open());
}

TEST(PathNoCase, FoldsOnlyTheFileNameNeverItsFolders)
{
    TempDir dir;
    fs::create_directories(dir.path() / "Libs" / "Old");
    writeText((dir.path() / "Libs" / "Old" / "Parts.SLB").string(), "x");
    const std::string root = dir.path().string();
    EXPECT_EQ(ResolvePathNoCase((root + "/Libs/Old/parts.slb").c_str()), root + "/Libs/Old/Parts.SLB");
    EXPECT_EQ(ResolvePathNoCase((root + "\\Libs\\Old\\PARTS.slb").c_str()), root + "/Libs/Old/Parts.SLB");
    // A folder in other letters is another folder: nothing there.
    EXPECT_EQ(ResolvePathNoCase((root + "/libs/OLD/parts.slb").c_str()), root + "/libs/OLD/parts.slb");
    // Beside a folder of the other case, each name finds its own.
    fs::create_directories(dir.path() / "proj");
    fs::create_directories(dir.path() / "Proj");
    writeText((dir.path() / "proj" / "lib.slb").string(), "lower");
    EXPECT_EQ(ResolvePathNoCase((root + "/Proj/LIB.SLB").c_str()), root + "/Proj/LIB.SLB");
    EXPECT_EQ(ResolvePathNoCase((root + "/proj/LIB.SLB").c_str()), root + "/proj/lib.slb");
    // What does not exist keeps its spelling.
    EXPECT_EQ(ResolvePathNoCase((root + "/Libs/NEW.slb").c_str()), root + "/Libs/NEW.slb");
    EXPECT_EQ(ResolvePathNoCase((root + "/none/x").c_str()), root + "/none/x");
    EXPECT_EQ(ResolvePathNoCase(""), "");
    EXPECT_EQ(ResolvePathNoCase(nullptr), "");
    EXPECT_EQ(MakeUpperName("Proj/sub.d/lib.slb"), "Proj/sub.d/LIB.SLB");
    EXPECT_EQ(MakeLowerName("C:\\Proj\\LIB.SLB"), "C:\\Proj\\lib.slb");
    EXPECT_EQ(MakeLowerName("LIB"), "lib");
}

TEST(PathNoCase, AnExactMatchWins)
{
    TempDir dir;
    writeText(dir.file("a.sld"), "lower");
    writeText(dir.file("A.SLD"), "upper");
    EXPECT_EQ(ResolvePathNoCase(dir.file("A.SLD").c_str()), dir.file("A.SLD"));
    EXPECT_EQ(ResolvePathNoCase(dir.file("a.sld").c_str()), dir.file("a.sld"));
    EXPECT_EQ(ResolvePathNoCase(dir.file("A.sld").c_str()), dir.file("A.SLD")) << "first in name order";
}

TEST(PathNoCase, GlobPatternsIgnoreCase)
{
    EXPECT_EQ(GlobNoCase("*.sld"), "*.[sS][lL][dD]");
    EXPECT_EQ(GlobNoCase("a?[xy]1"), "[aA]?[xy]1") << "bracket classes stay as written";
    EXPECT_EQ(GlobNoCase(nullptr), "");
}

TEST(FileSystem, GlobSizesMovesAndOwnerPermissions)
{
    TempDir dir;
    writeText(dir.file("a.sld"), "12345");
    fs::create_directory(dir.path() / "sub.sld");
    auto found = GlobPaths((dir.path().string() + "/*.sld").c_str(), true);
    std::sort(found.begin(), found.end());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1], dir.file("sub.sld") + "/") << "folders are marked";
    EXPECT_TRUE(GlobPaths((dir.path().string() + "/*.none").c_str(), false).empty());

    EXPECT_EQ(FileSizeOf(dir.file("a.sld").c_str()), 5);
    EXPECT_EQ(FileSizeOf(dir.file("sub.sld").c_str()), -1);
    EXPECT_EQ(FileSizeOf(dir.file("none").c_str()), -1);
    fs::create_symlink("none", dir.path() / "dangling");
    EXPECT_TRUE(PathExists(dir.file("dangling").c_str()));
    EXPECT_FALSE(PathExists(dir.file("none").c_str()));

    ASSERT_TRUE(MoveFileTo(dir.file("a.sld").c_str(), dir.file("b.sld").c_str()));
    EXPECT_FALSE(fs::exists(dir.file("a.sld")));
    fs::permissions(dir.file("b.sld"), fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(MakeOwnerReadWrite(dir.file("b.sld").c_str()));
    EXPECT_EQ(fs::status(dir.file("b.sld")).permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(RemoveFile(dir.file("b.sld").c_str()));
    EXPECT_FALSE(RemoveFile(dir.file("b.sld").c_str()));
    EXPECT_GT(DiskFreeBytes(dir.path().c_str()), 0.0);
}

TEST(FileSystem, MakeFolderMakesOneLevelAndNeverTakesAFileForAFolder)
{
    TempDir dir;
    EXPECT_TRUE(MakeFolder(dir.file("cache").c_str()));
    EXPECT_TRUE(fs::is_directory(dir.file("cache")));
    EXPECT_TRUE(MakeFolder(dir.file("cache").c_str())) << "one that is there already";
    EXPECT_FALSE(MakeFolder(dir.file("missing/cache").c_str())) << "its parent is not made";
    writeText(dir.file("taken"), "x");
    EXPECT_FALSE(MakeFolder(dir.file("taken").c_str()));
    EXPECT_EQ(readFile(dir.file("taken")), Bytes {'x'});
    fs::create_directory_symlink(dir.file("cache"), dir.file("link"));
    EXPECT_TRUE(MakeFolder(dir.file("link").c_str())) << "a link to a folder is a folder";
    EXPECT_FALSE(MakeFolder(""));
}

TEST(FileSystem, FoldersWithParentsPermissionsAndIdentity)
{
    TempDir dir;
    const std::string deep = dir.file("a/b/c");
    std::string error;
    ASSERT_TRUE(MakeFolders(deep.c_str(), &error)) << error;
    EXPECT_TRUE(IsFolder(deep.c_str()));
    EXPECT_TRUE(MakeFolders((deep + "/").c_str())); // there already
    // A file in the way is never taken for a folder, and is left as it was.
    const std::string file = dir.file("a/file");
    writeText(file, "x");
    EXPECT_FALSE(MakeFolders((file + "/sub").c_str(), &error));
    EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
    EXPECT_EQ(readFile(file), Bytes({'x'}));

    ASSERT_TRUE(SetPermissions(file.c_str(), 0640));
    EXPECT_EQ(PermissionsOf(file.c_str()), 0640u);
    EXPECT_FALSE(PermissionsOf(dir.file("none").c_str()));
    EXPECT_FALSE(MayExecute(file.c_str()));
    EXPECT_FALSE(MayExecute(deep.c_str())); // a folder is no program
    ASSERT_TRUE(SetPermissions(file.c_str(), 0750));
    EXPECT_TRUE(MayExecute(file.c_str()));
    EXPECT_TRUE(MayWrite(deep.c_str()));

    const std::string link = dir.file("link");
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    EXPECT_TRUE(SameFile(file.c_str(), link.c_str()));
    EXPECT_FALSE(SameFile(file.c_str(), deep.c_str()));
    EXPECT_FALSE(SameFile(file.c_str(), dir.file("none").c_str()));

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_TRUE(IsPipe(fds[1]));
    close(fds[0]);
    close(fds[1]);
    const int plain = open(file.c_str(), O_RDONLY);
    EXPECT_FALSE(IsPipe(plain));
    close(plain);
}

TEST(ProcessService, ProgramFolderHoldsTheRunningProgram)
{
    const CString folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "platform_tests"));
}

TEST(AtomicFile, CopyFromTakesRangesOfFilesAndMemory)
{
    TempDir dir;
    Bytes big(3 * 1024 * 1024 + 17);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    writeFile(dir.file("src.bin"), big);
    ByteSource file;
    ASSERT_TRUE(file.openFile(dir.file("src.bin")));
    const Bytes small = {1, 2, 3, 4, 5};
    const ByteSource memory = ByteSource::fromMemory(small.data(), small.size());

    for (const bool budgeted : {false, true}) {
        // A write budget forces the copy through read and write by hand.
        AtomicFile::failAfterBytesForTesting(budgeted ? 1LL << 40 : -1);
        AtomicFile out(dir.file("dst.bin"));
        ASSERT_TRUE(out.open());
        EXPECT_TRUE(out.copyFrom(file, 10, big.size() - 20));
        EXPECT_TRUE(out.copyFrom(memory, 1, 3));
        EXPECT_TRUE(out.copyFrom(file, 0, 0));
        ASSERT_TRUE(out.commit());
        Bytes expected(big.begin() + 10, big.end() - 10);
        expected.insert(expected.end(), {2, 3, 4});
        EXPECT_EQ(readFile(dir.file("dst.bin")), expected) << budgeted;
    }
    AtomicFile::failAfterBytesForTesting(-1);

    // A range past the end of the source fails the file, never reads on.
    writeText(dir.file("dst.bin"), "kept");
    AtomicFile out(dir.file("dst.bin"));
    ASSERT_TRUE(out.open());
    EXPECT_FALSE(out.copyFrom(file, big.size() - 4, 5));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(readFile(dir.file("dst.bin")), Bytes({'k', 'e', 'p', 't'}));
}

TEST(CacheFolder, AppendsWholeLinesAndFollowsARename)
{
    TempDir dir;
    CacheFolder folder;
    ASSERT_TRUE(folder.open(dir.path().string(), false));
    const std::string path = dir.file("index");
    ASSERT_TRUE(folder.appendLine("index", "one\n"));
    writeText(path, "one\ntorn");
    ASSERT_TRUE(folder.appendLine("index", "two\n"));
    FileStamp before;
    ASSERT_EQ(folder.check("index", &before), CacheFolder::Entry::File);
    EXPECT_EQ(before.size, 13u);
    writeText(dir.file("new"), "three\n");
    fs::rename(dir.file("new"), path);
    ASSERT_TRUE(folder.appendLine("index", "four\n"));
    const Bytes bytes = readFile(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "three\nfour\n");
    EXPECT_FALSE(*FileStampOf(path.c_str()) == before);
    EXPECT_FALSE(FileStampOf(dir.path().c_str())) << "a folder has no stamp";
    EXPECT_EQ(folder.check("missing"), CacheFolder::Entry::Missing);
}

TEST(CacheFolder, NeverGoesThroughALinkNorTouchesAFileOfOtherNames)
{
    TempDir dir, elsewhere;
    const std::string precious = elsewhere.file("precious");
    writeText(precious, "keep\n");
    fs::create_directory(dir.path() / "cache");
    CacheFolder folder;
    ASSERT_TRUE(folder.open(dir.file("cache"), false));
    fs::create_symlink(precious, dir.file("cache/link"));
    fs::create_hard_link(precious, dir.file("cache/hard"));
    fs::create_directory(dir.path() / "cache/sub");
    for (const char* name : {"link", "hard", "sub"}) {
        EXPECT_EQ(folder.check(name), CacheFolder::Entry::Refused) << name;
        EXPECT_FALSE(folder.appendLine(name, "x\n")) << name;
        EXPECT_FALSE(folder.update(name, [](ByteSource*) { return std::optional<std::string>("y\n"); })) << name;
        ByteSource source;
        EXPECT_FALSE(folder.read(name, source)) << name;
        EXPECT_NE(folder.error().find("refused"), std::string::npos) << name << ": " << folder.error();
    }
    EXPECT_EQ(folder.writeNew("link", "z", 1), WriteNewResult::Exists);
    EXPECT_TRUE(folder.remove("link"));
    EXPECT_TRUE(fs::exists(precious));
    const Bytes kept = readFile(precious);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "keep\n");
    // A folder the program found that is itself a link is refused; one a
    // user named may be one.
    fs::create_directory_symlink(dir.file("cache"), dir.file("alias"));
    EXPECT_FALSE(CacheFolder().open(dir.file("alias"), false));
    EXPECT_TRUE(CacheFolder().open(dir.file("alias"), true));
}

TEST(CacheFolder, NewFilesAppearWholeAndRewritesHoldTheLock)
{
    TempDir dir;
    CacheFolder folder;
    ASSERT_TRUE(folder.open(dir.path().string(), true));
    const std::int64_t stamp = 1234567890123456789;
    ASSERT_EQ(folder.writeNew("a.jpg", "abc", 3, &stamp), WriteNewResult::Written);
    FileStamp written;
    ASSERT_EQ(folder.check("a.jpg", &written), CacheFolder::Entry::File);
    EXPECT_EQ(written.modifiedNs, stamp);
    EXPECT_EQ(folder.writeNew("a.jpg", "def", 3), WriteNewResult::Exists);
    EXPECT_TRUE(folder.update("index", [](ByteSource* old) {
        EXPECT_EQ(old, nullptr);
        return std::optional<std::string>("first\n");
    }));
    EXPECT_TRUE(folder.update("index", [](ByteSource* old) -> std::optional<std::string> {
        std::vector<std::uint8_t> bytes;
        if (!old || !old->readRange(0, old->size(), bytes))
            return std::nullopt;
        return std::string(bytes.begin(), bytes.end()) + "second\n";
    }));
    const Bytes index = readFile(dir.file("index"));
    EXPECT_EQ(std::string(index.begin(), index.end()), "first\nsecond\n");
    std::vector<std::string> files = folder.files();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string> {"a.jpg", "index"})) << "no temporary file is left";
}

TEST(AtomicFile, APipeOrAFolderIsNeverReplacedAndSaysWhy)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder"));
    AtomicFile pipe(dir.file("pipe"));
    EXPECT_FALSE(pipe.open());
    EXPECT_EQ(errno, ENXIO);
    AtomicFile folder(dir.file("folder"));
    EXPECT_FALSE(folder.open());
    EXPECT_EQ(errno, EISDIR);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pipe")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder")));
}
