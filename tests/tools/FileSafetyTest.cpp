// SPDX-License-Identifier: MIT
// What the tool must never do to a user's files: lose slides to a second
// writer, take an existing file for missing, write what it cannot read,
// hang on a FIFO, or replace a symbolic link.
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

RunResult vandrel(const TempDir& dir, std::vector<std::string> args)
{
    // A reader that blocks would hang the suite: give up after 20 s.
    args.insert(args.begin(), {"timeout", "20", binary("vandrel").string()});
    return run(args, dir.path());
}

Bytes slide(int n)
{
    return SlideWriter().color(n % 255 + 1).vector(n, n, n + 1, n + 2).end().bytes();
}

// The slide names in a library image's directory.
std::vector<std::string> ReadLibraryNames(const Bytes& library)
{
    std::vector<std::string> names;
    for (std::size_t at = 32; at + 36 <= library.size() && library[at] != 0; at += 36)
        names.emplace_back(reinterpret_cast<const char*>(&library[at]));
    return names;
}

// Runs the loop script in two processes at once, with $0 set to 0 and 1.
RunResult inTwoProcesses(const TempDir& dir, const std::string& loop)
{
    return run({"/bin/sh", "-c", "sh -c \"$1\" 0 & a=$!; sh -c \"$1\" 1; b=$?; wait $a && [ $b = 0 ]", "sh", loop},
        dir.path());
}

std::string list(const TempDir& dir, const std::string& library)
{
    return vandrel(dir, {"slb", "list", library}).out;
}

} // namespace

TEST(LibraryWriters, TwoProcessesAppendingAtOnceKeepEverySlide)
{
    TempDir dir;
    for (int i = 0; i < 100; ++i)
        writeFile(dir.file("s" + std::to_string(i) + ".sld"), slide(i));
    ASSERT_EQ(vandrel(dir, {"slb", "create", "lib"}).status, 0);
    const std::string tool = binary("vandrel").string();
    const std::string loop = "for i in $(seq $0 2 99); do '" + tool + "' slb append lib s$i.sld || exit 1; done";
    const RunResult r = inTwoProcesses(dir, loop);
    ASSERT_EQ(r.status, 0) << r.err;

    const std::string names = list(dir, "lib");
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), 100) << names;
    // Every kept slide is copied from where it really lies.
    fs::create_directory(dir.path() / "out");
    ASSERT_EQ(vandrel(dir, {"slb", "explode", "lib", "-d", "out"}).status, 0);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(readFile(dir.path() / "out" / ("S" + std::to_string(i) + ".SLD")), slide(i)) << i;
}

TEST(LibraryWriters, AnExistingFileIsNeverTakenForMissing)
{
    TempDir dir;
    writeFile(dir.file("wall.sld"), slide(1));
    writeFile(dir.file("door.sld"), slide(2));

    // A library renamed to another extension is still that library.
    writeFile(dir.file("parts.lib"), makeLibrary({{"DOOR", slide(2)}}));
    EXPECT_EQ(vandrel(dir, {"slb", "append", "parts.lib", "wall.sld"}).status, 0);
    const Bytes parts = readFile(dir.file("parts.lib"));
    EXPECT_EQ(ReadLibraryNames(parts), (std::vector<std::string> {"DOOR", "WALL"}));

    // A file that is no library is refused and left as it was.
    const std::string notes = "my notes, not slides\n";
    writeText(dir.file("notes.lib"), notes);
    for (const char* action : {"append", "replace"}) {
        const RunResult r = vandrel(dir, {"slb", action, "notes.lib", "wall.sld"});
        EXPECT_EQ(r.status, 4) << action << r.err;
    }
    EXPECT_EQ(vandrel(dir, {"slb", "delete", "notes.lib", "WALL"}).status, 4);
    EXPECT_EQ(readFile(dir.file("notes.lib")), Bytes(notes.begin(), notes.end()));
}

TEST(LibraryWriters, WhatCannotBeReadOrWrittenIsRefusedUntouched)
{
    TempDir dir;
    writeFile(dir.file("wall.sld"), slide(1));
    const Bytes library = makeLibrary({{"DOOR", slide(2)}});

    // Write-only: a user who cannot read it gets it refused untouched (root
    // can read it, and must then keep its slides).
    writeFile(dir.file("wo.slb"), library);
    fs::permissions(dir.file("wo.slb"), fs::perms::owner_write);
    const int status = vandrel(dir, {"slb", "append", "wo", "wall.sld"}).status;
    fs::permissions(dir.file("wo.slb"), fs::perms::owner_all);
    if (geteuid() != 0) {
        EXPECT_EQ(status, 1);
        EXPECT_EQ(readFile(dir.file("wo.slb")), library);
    } else {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(ReadLibraryNames(readFile(dir.file("wo.slb"))), (std::vector<std::string> {"DOOR", "WALL"}));
    }

    // Read-only is refused also to root, who may write anything.
    writeFile(dir.file("ro.slb"), library);
    fs::permissions(dir.file("ro.slb"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(vandrel(dir, {"slb", "append", "ro", "wall.sld"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"slb", "delete", "ro", "DOOR"}).status, 1);
    EXPECT_EQ(readFile(dir.file("ro.slb")), library);

    // Random bytes are no slide: the library stays as it was.
    writeFile(dir.file("ok.slb"), library);
    writeFile(dir.file("junk.sld"), Bytes(200, 0x5A));
    EXPECT_EQ(vandrel(dir, {"slb", "append", "ok", "junk.sld"}).status, 3);
    EXPECT_EQ(vandrel(dir, {"slb", "replace", "ok", "junk.sld"}).status, 3);
    EXPECT_EQ(readFile(dir.file("ok.slb")), library);
}

TEST(LibraryWriters, ASymbolicLinkKeepsPointingAtTheChangedLibrary)
{
    TempDir dir;
    writeFile(dir.file("wall.sld"), slide(1));
    fs::create_directory(dir.path() / "real");
    writeFile(dir.path() / "real" / "parts.slb", makeLibrary({{"DOOR", slide(2)}}));
    fs::create_symlink("real/parts.slb", dir.path() / "parts.slb");
    ASSERT_EQ(vandrel(dir, {"slb", "append", "parts", "wall.sld"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "parts.slb"));
    EXPECT_EQ(
        ReadLibraryNames(readFile(dir.path() / "real" / "parts.slb")), (std::vector<std::string> {"DOOR", "WALL"}));
}

TEST(Readers, FifosAndFoldersAreRefusedWithoutBlocking)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.sld").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.file("pipe.slb").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.file("pipe.ini").c_str(), 0600), 0);
    writeFile(dir.file("wall.sld"), slide(1));
    const std::vector<std::vector<std::string>> calls = {
        {"slide", "info", "pipe.sld"},
        {"slide", "render", "pipe.sld", "-o", "x.png"},
        {"slb", "list", "pipe"},
        {"slb", "append", "pipe", "wall.sld"},
        {"slb", "append", "lib", "pipe.sld"},
        {"ini", "get", "pipe.ini", "A", "B"},
        {"ini", "set", "pipe.ini", "A", "B", "c"},
    };
    for (const auto& call : calls) {
        const RunResult r = vandrel(dir, call);
        EXPECT_NE(r.status, 124) << call[0] << " " << call[1] << " hangs on a FIFO";
        EXPECT_NE(r.status, 0) << call[0] << " " << call[1];
        EXPECT_LT(r.status, 128) << call[0] << " " << call[1] << " crashed: " << r.err;
    }
    EXPECT_EQ(fs::status(dir.file("pipe.ini")).type(), fs::file_type::fifo);
    for (const auto& call : std::vector<std::vector<std::string>> {
             {"slide", "info", "pipe.sld"}, {"slb", "list", "pipe"}, {"ini", "get", "pipe.ini", "A", "B"}})
        EXPECT_NE(vandrel(dir, call).err.find("not a regular file"), std::string::npos) << call[0];

    // A read-only library is refused with the reason.
    writeFile(dir.file("ro.slb"), makeLibrary({{"A", slide(1)}}));
    fs::permissions(dir.file("ro.slb"), fs::perms::owner_read);
    EXPECT_NE(vandrel(dir, {"slb", "append", "ro", "wall.sld"}).err.find("read-only"), std::string::npos);

    fs::create_directory(dir.path() / "folder.ini");
    for (const auto& call : std::vector<std::vector<std::string>> {
             {"ini", "get", "folder.ini", "A", "B"}, {"ini", "set", "folder.ini", "A", "B", "c"}}) {
        const RunResult r = vandrel(dir, call);
        EXPECT_EQ(r.status, 1) << call[1] << ": " << r.err;
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder.ini"));
}

TEST(Readers, NamesThatAreNoUtf8AreOpenedAsGiven)
{
    TempDir dir;
    writeFile(dir.path() / std::string("caf\xe9.sld"), slide(3));
    const std::string tool = binary("vandrel").string();
    RunResult r = run({"/bin/sh", "-c", "'" + tool + "' slide info \"$(printf 'caf\\351.sld')\""}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"/bin/sh", "-c", "'" + tool + "' slb append lib \"$(printf 'caf\\351.sld')\""}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(list(dir, "lib"), std::string("CAF\xe9\n"));
}

TEST(IniWriters, TwoProcessesSettingKeysAtOnceKeepEveryKey)
{
    TempDir dir;
    writeText(dir.file("app.ini"), "; kept\n[Main]\nFirst=1\n");
    const std::string tool = binary("vandrel").string();
    const std::string loop = "for i in $(seq $0 2 59); do '" + tool + "' ini set app.ini Main K$i v$i || exit 1; done";
    const RunResult r = inTwoProcesses(dir, loop);
    ASSERT_EQ(r.status, 0) << r.err;
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Main", "K" + std::to_string(i)}).out,
            "v" + std::to_string(i) + "\n");
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Main", "First"}).out, "1\n");
}

TEST(IniWriters, LineBreaksCannotAddKeysOrSections)
{
    TempDir dir;
    writeText(dir.file("a.ini"), "[Main]\nKey=old\n");
    for (const auto& [section, key, value] : std::vector<std::tuple<std::string, std::string, std::string>> {
             {"Main", "Key", "v\n[Login]\nUser=mallory"},
             {"Main", "Key", "v\rUser=mallory"},
             {"Main", "K\nUser", "mallory"},
             {"Login]\n[Main", "User", "mallory"},
         }) {
        const RunResult r = vandrel(dir, {"ini", "set", "a.ini", section, key, value});
        EXPECT_EQ(r.status, 1) << r.err;
    }
    const Bytes bytes = readFile(dir.file("a.ini"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Main]\nKey=old\n");
}

TEST(Readers, HugeFilesAreRefusedWithoutReadingThem)
{
    TempDir dir;
    // Sparse: 3 GiB that take no room on the disk.
    for (const char* name : {"big.sld", "big.slb", "big.ini"}) {
        writeFile(dir.file(name), slide(1));
        fs::resize_file(dir.file(name), 3ull << 30);
    }
    RunResult r = vandrel(dir, {"slide", "info", "big.sld"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("larger than the 2 GiB"), std::string::npos) << r.err;
    r = vandrel(dir, {"slb", "list", "big"});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_EQ(vandrel(dir, {"ini", "get", "big.ini", "A", "B"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"ini", "set", "big.ini", "A", "B", "c"}).status, 1);
    EXPECT_EQ(fs::file_size(dir.file("big.ini")), 3ull << 30) << "left as it was";
}
