// SPDX-License-Identifier: MIT
// The studio's database page on its sample album.
#include "DatabasePage.h"

#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(DatabasePage, SampleAlbumIsMadeOnceAndSearched)
{
    testsupport::TempDir dir;
    const QString folder = QString::fromStdString(dir.file("data"));
    {
        DatabasePage page(folder);
        EXPECT_TRUE(QFile::exists(DatabasePage::samplePath(folder)));
        EXPECT_FALSE(QFile::exists(DatabasePage::samplePath(folder) + ".partial"));
        EXPECT_EQ(page.list().GetItemCount(), 6);
        EXPECT_EQ(page.list().GetColumnCount(), 5);
        EXPECT_EQ(page.cities().widget()->count(), 5) << "(any city) and four cities";
        EXPECT_EQ(page.find("CITY", "Busan"), 2);
        EXPECT_EQ(page.find("TITLE", "%타워"), 1);
        EXPECT_EQ(page.find("TITLE", "O'Neil's%"), 1);
        EXPECT_EQ(page.find("TAKEN", "2006%"), 2);
        EXPECT_EQ(page.find({}, {}), 6);
        page.resize(720, 420);
        EXPECT_TRUE(page.grab().save(VANDREL_BINARY_DIR "/database-page.png"));
    }
    KivDatabase db;
    ASSERT_EQ(db.Open(("sqlite:" + DatabasePage::samplePath(folder).toStdString()).c_str(), nullptr, nullptr), 1);
    ASSERT_EQ(db.Execute("DELETE FROM KIV_DATA WHERE DATA_ID > 1"), 1);
    db.Close();
    DatabasePage again(folder);
    EXPECT_EQ(again.list().GetItemCount(), 1) << "an existing album is kept";
    KivDatabase::ClosePool();
}

TEST(DatabasePage, UnwritableFolderShowsWhy)
{
    testsupport::TempDir dir;
    testsupport::writeText(dir.path() / "file", "not a folder");
    DatabasePage page(QString::fromStdString(dir.file("file")));
    EXPECT_EQ(page.list().GetItemCount(), 0);
}
