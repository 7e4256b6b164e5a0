// SPDX-License-Identifier: MIT
#include "core/KivUtil.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

using namespace testsupport;
namespace fs = std::filesystem;

TEST(KivUtil, PathPiecesSplitLikeSplitpath)
{
    struct Case {
        const char* path;
        const char* dir;
        const char* name;
        const char* title;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\dir\\a.sld", "C:\\dir\\", "a.sld", "a", ".sld"},
        {"/home/u/lib.v1/a.b.sld", "/home/u/lib.v1/", "a.b.sld", "a.b", ".sld"},
        {"a.sld", "", "a.sld", "a", ".sld"},
        {"noext", "", "noext", "noext", ""},
        {"dir/sub\\", "dir/sub\\", "", "", ""},
        {"D:x.slb", "D:", "x.slb", "x", ".slb"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KivUtil::GetFilePath(c.path), c.dir) << c.path;
        EXPECT_EQ(KivUtil::GetFileName(c.path), c.name) << c.path;
        EXPECT_EQ(KivUtil::GetFileTitle(c.path), c.title) << c.path;
        EXPECT_EQ(KivUtil::GetFileExt(c.path), c.ext) << c.path;
    }
    EXPECT_EQ(KivUtil::GetFileExt(nullptr), "");
}

TEST(KivUtil, FileFacts)
{
    TempDir dir;
    writeText(dir.file("Five.TXT"), "12345");
    EXPECT_EQ(KivUtil::GetFileSize(dir.file("Five.TXT").c_str()), 5);
    EXPECT_EQ(KivUtil::GetFileSize(dir.file("five.txt").c_str()), 5) << "names resolve ignoring case";
    EXPECT_EQ(KivUtil::GetFileSize(dir.file("missing").c_str()), -1);
    EXPECT_EQ(KivUtil::GetFileSize(dir.path().c_str()), -1) << "a folder is no file";
    EXPECT_EQ(KivUtil::IsExistFile(dir.file("Five.TXT").c_str()), 1);
    EXPECT_EQ(KivUtil::IsExistFile(nullptr), 0);
    EXPECT_GT(KivUtil::GetDiskFreeSpaceA(dir.path().c_str()), 0.0f);
    EXPECT_EQ(KivUtil::GetDiskFreeSpaceA(dir.file("no/such").c_str()), 0.0f);
}

TEST(KivUtil, FileDateOfFirstMatchOrNow)
{
    TempDir dir;
    writeText(dir.file("a.sld"), "x");
    struct timespec times[2] = {{0, 0}, {0, 0}};
    std::tm tm {};
    tm.tm_year = 101;
    tm.tm_mon = 1;
    tm.tm_mday = 3;
    tm.tm_hour = 4;
    tm.tm_min = 5;
    tm.tm_sec = 6;
    tm.tm_isdst = -1;
    times[0].tv_sec = times[1].tv_sec = std::mktime(&tm);
    ASSERT_EQ(utimensat(AT_FDCWD, dir.file("a.sld").c_str(), times, 0), 0);
    EXPECT_EQ(KivUtil::GetFileDate(dir.file("*.sld").c_str()).Format(), "2001-02-03 04:05:06");
    EXPECT_EQ(KivUtil::GetFileDate(dir.file("a.sld").c_str()).Format(), "2001-02-03 04:05:06");
    const COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_NEAR(KivUtil::GetFileDate(dir.file("*.none").c_str()).m_dt, now.m_dt, 1.0 / 24);
}

TEST(KivUtil, CopyFileUpdateAsksBeforeOverwriting)
{
    TempDir dir;
    writeText(dir.file("src"), "new");
    writeText(dir.file("dst"), "old");
    MessageBoxRecorder boxes;
    int confirm = 1;
    boxes.answer(IDNO);
    EXPECT_EQ(KivUtil::CopyFileUpdate(dir.file("src").c_str(), dir.file("dst").c_str(), 0, &confirm), 2);
    EXPECT_EQ(readFile(dir.file("dst")), Bytes({'o', 'l', 'd'}));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Confirm");
    EXPECT_EQ(boxes.shown()[0].type, 68u);
    EXPECT_EQ(boxes.shown()[0].text,
        dir.file("dst") + "\n이미 파일이 존재합니다.\n이전 작업의 손실을 가져올 수도 있습니다.\n계속 하겠습니까?");

    boxes.answer(IDYES);
    EXPECT_EQ(KivUtil::CopyFileUpdate(dir.file("src").c_str(), dir.file("dst").c_str(), 0, &confirm), 1);
    EXPECT_EQ(readFile(dir.file("dst")), Bytes({'n', 'e', 'w'}));

    // Without confirmation an existing target is overwritten without a word.
    confirm = 0;
    writeText(dir.file("src"), "newer");
    // A target its owner made read-only is refused, as the system's copy
    // refuses it, also for root.
    chmod(dir.file("dst").c_str(), 0444);
    EXPECT_EQ(KivUtil::CopyFileUpdate(dir.file("src").c_str(), dir.file("dst").c_str(), 0, &confirm), 0);
    EXPECT_EQ(readFile(dir.file("dst")), Bytes({'n', 'e', 'w'}));
    chmod(dir.file("dst").c_str(), 0200);
    EXPECT_EQ(KivUtil::CopyFileUpdate(dir.file("src").c_str(), dir.file("dst").c_str(), 0, &confirm), 1);
    EXPECT_EQ(boxes.shown().size(), 2u);
    struct stat st { };
    stat(dir.file("dst").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0600, 0600u) << "the target is writable for its owner";

    EXPECT_EQ(KivUtil::CopyFileUpdate(dir.file("src").c_str(), dir.file("moved").c_str(), 1, &confirm), 1);
    EXPECT_FALSE(fs::exists(dir.file("src")));
    EXPECT_EQ(KivUtil::CopyFileUpdate(dir.file("src").c_str(), dir.file("x").c_str(), 0, &confirm), 0);
}

TEST(KivUtil, MessagePrintFormatsIntoOneKilobyte)
{
    MessageBoxRecorder boxes;
    boxes.answer(IDCANCEL);
    EXPECT_EQ(KivUtil::MessagePrint(nullptr, "Cap", MB_OKCANCEL, "%s has %d slides", "lib", 3), IDCANCEL);
    EXPECT_EQ(boxes.shown()[0].text, "lib has 3 slides");
    const std::string huge(5000, 'x');
    KivUtil::MessagePrint(nullptr, "Cap", MB_OK, "%s", huge.c_str());
    EXPECT_EQ(boxes.shown()[1].text.size(), 1023u);
}

TEST(KivUtil, ShutdownGoesThroughLogindAndNeverRunsInTests)
{
    ProcessRecorder processes;
    MessageBoxRecorder boxes;
    EXPECT_EQ(KivUtil::SystemShutdown(EWX_LOGOFF), 1);
    ASSERT_EQ(processes.requests().size(), 1u);
    EXPECT_EQ(processes.requests()[0].program, "loginctl");
    if (!FindProgram("systemctl").empty()) {
        EXPECT_EQ(KivUtil::SystemShutdown(EWX_REBOOT | EWX_FORCE), 1);
        EXPECT_EQ(processes.requests().back().program, "systemctl");
        EXPECT_EQ(processes.requests().back().arguments, (std::vector<CString> {"reboot", "--force"}));
    } else {
        EXPECT_EQ(KivUtil::SystemShutdown(EWX_SHUTDOWN), 0);
        EXPECT_EQ(boxes.shown().back().text, "0");
    }
}

TEST(KivUtil, DialogIcon)
{
    EXPECT_EQ(KivUtil::GetDlgIcon(), nullptr);
    const QIcon* icon = reinterpret_cast<const QIcon*>(&icon); // only stored, never used
    KivUtil::SetDlgIcon(icon);
    EXPECT_EQ(KivUtil::GetDlgIcon(), icon);
    KivUtil::SetDlgIcon(nullptr);
}
