// SPDX-License-Identifier: MIT
// The studio's folder browser driven as a person would.
#include "FolderBrowser.h"
#include "LargeViewer.h"
#include "support/DwgWriter.h"
#include "support/GuiTestSupport.h"
#include "support/SlideWriter.h"

#include "views/CKivThumbFileCtrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

using namespace testsupport;

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

Bytes line(std::uint16_t x)
{
    return SlideWriter(100, 100).vector(x, 0, x, 100).end().bytes();
}

} // namespace

TEST(FolderBrowser, ShowsSlidesMembersAndDrawingsAndOpensTheLargeViewer)
{
    TempDir dir;
    writeFile(dir.file("b.sld"), line(10));
    writeFile(dir.file("lib.slb"), makeLibrary({{"ONE", line(20)}, {"TWO", line(30)}}));
    std::vector<std::uint8_t> pixels(16 * 8, 1);
    writeFile(
        dir.file("a.dwg"), makeDwg("AC1015", {{1, Bytes(80, 0)}, {2, makeDib8(16, 8, {0xFFFFFF, 0xFF}, pixels)}}));
    writeText(dir.path() / "notes.txt", "not a drawing");
    std::filesystem::create_directory(dir.path() / "sub.sld");

    FolderBrowser window;
    window.show();
    ASSERT_EQ(window.Open(dir.path().string()), 4);
    settle();
    CKivSlideThumbListCtrl& b = window.browser();
    ASSERT_EQ(b.GetThumbList()->getCount(), 4);
    EXPECT_STREQ(b.GetCell(0)->GetFile(), dir.file("a.dwg").c_str());
    EXPECT_STREQ(b.GetCell(2)->GetLabel(), "ONE");
    EXPECT_EQ(b.GetCols(), 4);
    EXPECT_TRUE(window.status().startsWith("4 drawings, page 1 of 1"))
        << "all are on screen: " << window.status().toStdString();

    // Sorting by size in descending order puts the drawing first.
    window.descending().setChecked(true);
    window.sortKey().setCurrentIndex(1);
    settle();
    EXPECT_STREQ(b.GetCell(0)->GetFile(), dir.file("a.dwg").c_str());
    window.sortKey().setCurrentIndex(0);
    settle();
    EXPECT_STREQ(b.GetCell(0)->GetFile(), dir.file("lib.slb(TWO)").c_str());

    QTest::mouseClick(b.GetCell(1), Qt::LeftButton, {}, QPoint(30, 30));
    settle();
    EXPECT_EQ(b.GetCurSel(), 1);
    EXPECT_TRUE(window.status().contains("lib.slb(ONE)")) << window.status().toStdString();
    // A member's size is the library's record of it, its date the library's.
    const QString size = QString(" (%1 bytes, ").arg(line(20).size());
    EXPECT_TRUE(window.status().contains(size)) << window.status().toStdString();
    EXPECT_FALSE(window.status().endsWith(", )")) << window.status().toStdString();
    QTest::mouseClick(b.GetCell(3), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 30));
    settle();
    EXPECT_TRUE(window.status().contains("3 selected")) << window.status().toStdString();

    QTest::mouseDClick(b.GetCell(2), Qt::LeftButton, {}, QPoint(30, 30));
    settle();
    LargeViewer* viewer = LargeViewer::Last();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->GetWindowText(), "b.sld");
    viewer->close();
    settle();
    EXPECT_EQ(LargeViewer::Last(), nullptr) << "the viewer deleted itself";
}

TEST(FolderBrowser, TheKeysWorkOnTheGridFromTheStart)
{
    TempDir dir;
    for (int i = 0; i < 30; ++i)
        writeFile(dir.file(QString("s%1.sld").arg(i, 2, 10, QChar('0')).toStdString()), line(10 + i));
    FolderBrowser window;
    window.show();
    ASSERT_EQ(window.Open(dir.path().string()), 30);
    settle();
    CKivSlideThumbListCtrl& b = window.browser();
    ASSERT_TRUE(b.hasFocus()) << "the grid has the keys";
    ASSERT_LT(b.GetRows(), b.GetTotalRows()) << "more rows than a page";

    QTest::keyClick(&b, Qt::Key_End);
    settle();
    EXPECT_EQ(b.GetTopRow(), b.GetTotalRows() - b.GetRows());
    QTest::keyClick(&b, Qt::Key_Home);
    settle();
    EXPECT_EQ(b.GetTopRow(), 0);

    QTest::keyClick(&b, Qt::Key_A, Qt::ControlModifier);
    settle();
    EXPECT_EQ(b.GetSelCount(), 30);
    EXPECT_TRUE(window.status().contains("30 selected")) << window.status().toStdString();

    // Right from nothing selected picks the first; Left stops at it.
    b.SetSelectAll(0);
    b.GetThumbList()->lastSelected = -1;
    QTest::keyClick(&b, Qt::Key_Right);
    QTest::keyClick(&b, Qt::Key_Right);
    settle();
    EXPECT_EQ(b.GetSelCount(), 1);
    EXPECT_EQ(b.GetCurSel(), 1);
    EXPECT_TRUE(window.status().contains("s01.sld")) << window.status().toStdString();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&b, Qt::Key_Left);
    settle();
    EXPECT_EQ(b.GetCurSel(), 0);
}

// Grabs of the browser on the real samples, for a person to look at.
TEST(FolderBrowserCorpus, GrabsTheSampleFolders)
{
    if (samplesDir().empty())
        GTEST_SKIP() << "no samples";
    for (const char* folder : {"sld", "slb", "dwg"}) {
        FolderBrowser window;
        window.show();
        EXPECT_GT(window.Open((samplesDir() / folder).string()), 0) << folder;
        settle();
        QTest::mouseClick(window.browser().GetCell(1), Qt::LeftButton, {}, QPoint(30, 30));
        settle();
        const QImage shot = window.grab().toImage();
        EXPECT_TRUE(shot.save(QString("%1/browse-%2.png").arg(VANDREL_BINARY_DIR, folder)));
    }
}

// A folder dropped from a file manager is browsed; a file, its folder.
TEST(FolderBrowser, AFolderDroppedOnTheWindowIsBrowsed)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "more");
    writeFile(dir.file("more/a.sld"), line(10));
    writeFile(dir.file("more/b.sld"), line(20));
    FolderBrowser window;
    window.show();
    window.Open(dir.path().string());
    settle();
    ASSERT_EQ(window.browser().GetThumbList() ? window.browser().GetThumbList()->getCount() : 0, 0);
    for (const std::string& dropped : {dir.file("more"), dir.file("more/a.sld")}) {
        EXPECT_TRUE(testsupport::dropFiles(window, {QString::fromStdString(dropped)}));
        settle();
        ASSERT_NE(window.browser().GetThumbList(), nullptr) << dropped;
        EXPECT_EQ(window.browser().GetThumbList()->getCount(), 2) << dropped;
    }
}
