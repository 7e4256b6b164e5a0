// SPDX-License-Identifier: MIT
#include "platform/io/DirectoryReader.h"
#include "platform/io/Volumes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<CString> sorted(std::vector<CString> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Folders b, A and .hidden, a link to a folder, files of three kinds, a
// dangling link and a name that is no UTF-8.
struct Sample {
    testsupport::TempDir dir;
    Sample()
    {
        fs::create_directory(dir.path() / "b");
        fs::create_directory(dir.path() / "A");
        fs::create_directory(dir.path() / ".hidden");
        fs::create_directory_symlink(dir.path() / "b", dir.path() / "to-b");
        testsupport::writeText(dir.path() / "x.DWG", "");
        testsupport::writeText(dir.path() / "y.dwg", "");
        testsupport::writeText(dir.path() / "z.txt", "");
        testsupport::writeText(dir.path() / "plan.dwg.bak", "");
        testsupport::writeText(dir.path() / ".secret.dwg", "");
        testsupport::writeText(dir.path() / "caf\xe9.dwg", "");
        fs::create_symlink(dir.path() / "missing", dir.path() / "gone.dwg");
    }
};

} // namespace

TEST(DirectoryReader, ListsFoldersAndFilesOfTheExtensionLinksFollowed)
{
    Sample s;
    std::vector<CString> folders, files;
    ASSERT_TRUE(DirectoryReader::List(s.dir.path().c_str(), &folders, &files, ".dwg"));
    EXPECT_EQ(sorted(folders), (std::vector<CString> {"A", "b", "to-b"}));
    // Any case of the extension, the last extension only, the dangling link
    // as a file, the Latin-1 name byte for byte; hidden names left out.
    EXPECT_EQ(sorted(files), (std::vector<CString> {"caf\xe9.dwg", "gone.dwg", "x.DWG", "y.dwg"}));

    files.clear();
    folders.clear();
    ASSERT_TRUE(DirectoryReader::List(s.dir.path().c_str(), &folders, &files, ""));
    EXPECT_EQ(files.size(), 6u) << "every visible file without a filter";

    folders.clear();
    ASSERT_TRUE(DirectoryReader::List(s.dir.path().c_str(), &folders, nullptr, nullptr));
    EXPECT_EQ(folders.size(), 3u);
}

TEST(DirectoryReader, FoldersThatCannotBeReadGiveNothing)
{
    testsupport::TempDir dir;
    std::vector<CString> folders, files;
    EXPECT_FALSE(DirectoryReader::List((dir.path() / "none").c_str(), &folders, &files, nullptr));
    testsupport::writeText(dir.path() / "file", "x");
    EXPECT_FALSE(DirectoryReader::List((dir.path() / "file").c_str(), &folders, &files, nullptr));
    EXPECT_FALSE(DirectoryReader::List(nullptr, &folders, &files, nullptr));
    EXPECT_FALSE(DirectoryReader::List("", &folders, &files, nullptr));
    EXPECT_TRUE(folders.empty() && files.empty());
    EXPECT_FALSE(DirectoryReader::HasChild((dir.path() / "none").c_str(), true));
    EXPECT_FALSE(DirectoryReader::HasChild(nullptr, true));
}

TEST(DirectoryReader, LockedFolderGivesNothing)
{
    testsupport::TempDir dir;
    std::vector<CString> folders;
    fs::create_directory(dir.path() / "locked");
    fs::create_directory(dir.path() / "locked" / "inner");
    fs::permissions(dir.path() / "locked", fs::perms::none);
    const bool readable = DirectoryReader::List((dir.path() / "locked").c_str(), &folders, nullptr, nullptr);
    const bool child = DirectoryReader::HasChild((dir.path() / "locked").c_str(), true);
    fs::permissions(dir.path() / "locked", fs::perms::owner_all);
    if (readable)
        GTEST_SKIP() << "permissions do not bind this user";
    EXPECT_TRUE(folders.empty());
    EXPECT_FALSE(child);
}

TEST(DirectoryReader, HasChildCountsFoldersAndFilesWhenAsked)
{
    testsupport::TempDir dir;
    EXPECT_FALSE(DirectoryReader::HasChild(dir.path().c_str(), true)) << "empty";
    fs::create_directory(dir.path() / ".git");
    testsupport::writeText(dir.path() / ".profile", "");
    EXPECT_FALSE(DirectoryReader::HasChild(dir.path().c_str(), true)) << "hidden entries only";
    testsupport::writeText(dir.path() / "a.txt", "");
    EXPECT_FALSE(DirectoryReader::HasChild(dir.path().c_str(), false)) << "files only";
    EXPECT_TRUE(DirectoryReader::HasChild(dir.path().c_str(), true));
    fs::create_symlink(dir.path() / "nowhere", dir.path() / "dangling");
    EXPECT_FALSE(DirectoryReader::HasChild(dir.path().c_str(), false)) << "a dangling link is no folder";
    fs::create_directory_symlink(dir.path() / ".git", dir.path() / "repo");
    EXPECT_TRUE(DirectoryReader::HasChild(dir.path().c_str(), false)) << "a link to a folder is one";

    EXPECT_TRUE(DirectoryReader::IsFolder(dir.path().c_str()));
    EXPECT_TRUE(DirectoryReader::IsFolder((dir.path() / "repo").c_str()));
    EXPECT_FALSE(DirectoryReader::IsFolder((dir.path() / "a.txt").c_str()));
    EXPECT_FALSE(DirectoryReader::IsFolder((dir.path() / "dangling").c_str()));
    EXPECT_FALSE(DirectoryReader::IsFolder(""));
}

TEST(Volumes, OnlyWhatAPersonKeepsFilesOn)
{
    struct Case {
        const char* type;
        const char* at;
        bool user;
    };
    for (const Case& c : {Case {"ext4", "/", true}, Case {"overlay", "/", true}, Case {"proc", "/proc", false},
             Case {"sysfs", "/sys", false}, Case {"tmpfs", "/tmp", false}, Case {"tmpfs", "/media/ram", false},
             Case {"devtmpfs", "/dev", false}, Case {"cgroup2", "/sys/fs/cgroup", false},
             Case {"overlay", "/var/lib/docker/x", false}, Case {"squashfs", "/snap/core/1", false},
             Case {"vfat", "/media/ann/STICK", true}, Case {"exfat", "/run/media/ann/CARD", true},
             Case {"ext4", "/mnt/backup", true}, Case {"ext4", "/boot", false}, Case {"vfat", "/boot/efi", false},
             Case {"nfs4", "/srv/share", true}, Case {"cifs", "/net/office", true},
             Case {"fuse.sshfs", "/home/ann/remote", true}})
        EXPECT_EQ(IsUserVolume(c.type, c.at), c.user) << c.type << " at " << c.at;
    EXPECT_FALSE(IsUserVolume(nullptr, "/"));

    const std::vector<Volume> volumes = MountedVolumes();
    ASSERT_FALSE(volumes.empty());
    const auto root = std::find_if(volumes.begin(), volumes.end(), [](const Volume& v) { return v.root == "/"; });
    ASSERT_NE(root, volumes.end());
    EXPECT_FALSE(root->name.empty());
    for (const Volume& v : volumes) {
        EXPECT_NE(v.root.rfind("/proc", 0), 0u) << v.root;
        EXPECT_NE(v.root.rfind("/sys", 0), 0u) << v.root;
        EXPECT_TRUE(v.root == "/" || v.root.back() != '/') << v.root;
    }
}
