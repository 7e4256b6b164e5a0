// SPDX-License-Identifier: MIT
// The gallery as a person sees it, grabbed to a picture.
#include "ControlGallery.h"
#include "ControlsPage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include <filesystem>

TEST(Gallery, EveryControlIsWiredAndDrawn)
{
    ControlGallery gallery(CString(VANDREL_SOURCE_DIR) + "/samples/slides");
    ASSERT_EQ(gallery.combo().widget()->count(), 2) << "HOUSE and WHEEL";
    EXPECT_STREQ(gallery.view().GetSlideName(), (CString(VANDREL_SOURCE_DIR) + "/samples/slides/HOUSE.SLD").c_str());
    EXPECT_EQ(gallery.list().widget()->item(0)->text(), "axle");

    // The spin button and the scroll bar both drive the edit.
    gallery.spin().widget()->findChildren<QToolButton*>().at(0)->click(); // the up arrow
    EXPECT_EQ(gallery.edit().GetWindowText(), "26");
    gallery.scroll().DoScroll(SB_PAGEDOWN, 0);
    EXPECT_EQ(gallery.edit().GetWindowText(), "36");
    EXPECT_EQ(gallery.scroll().GetScrollPos(), 36);

    // Picking a colour (here straight through the label) reaches the swatch.
    gallery.colorLabel().SetColor(5);
    Q_EMIT gallery.colorLabel().notified(0);
    EXPECT_EQ(gallery.swatch().GetColor(), RGB(0, 0, 255));

    const QImage shot = gallery.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(640, 400));
    const QString path = QString::fromUtf8(VANDREL_BINARY_DIR) + "/gallery.png";
    EXPECT_TRUE(shot.save(path));
    // The slide view shows the house: its red roof is somewhere in the view.
    bool red = false;
    for (int y = 16; y < 290 && !red; ++y)
        for (int x = 250; x < 624 && !red; ++x)
            red = (shot.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    EXPECT_TRUE(red);
}

// The report list sorts by a click on a heading; the tree opens at the
// folder given and the file list shows that folder's files.
TEST(ControlsPage, HeadingsSortAndTheTreeDrivesTheFileList)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.path() / "plans" / "old");
    testsupport::writeText(dir.path() / "plans" / "b.dwg", "12345");
    testsupport::writeText(dir.path() / "plans" / "A.dwg", "");
    ControlsPage page((dir.path() / "plans").string());
    page.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.tree().GetPath(page.tree().GetSelectedItem()), (dir.path() / "plans").string() + "/");
    ASSERT_EQ(page.files().GetItemCount(), 2);
    EXPECT_EQ(page.files().GetItemText(0, 0), "A.dwg");
    EXPECT_EQ(page.files().GetItemText(1, 0), "b.dwg");

    CKivListCtrl& report = page.report();
    ASSERT_EQ(report.GetItemCount(), 300);
    QHeaderView* header = report.widget()->header();
    const auto clickHeading = [header](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QCoreApplication::processEvents();
    };
    clickHeading(0);
    EXPECT_EQ(report.GetItemText(0, 0), "1") << "as numbers";
    EXPECT_EQ(report.GetItemText(9, 0), "10");
    clickHeading(0);
    EXPECT_EQ(report.GetItemText(0, 0), "300") << "turned round";
    clickHeading(3);
    EXPECT_EQ(report.GetSortColumn(), 3);
    // The direction stays as it was; ISO dates compare as their texts.
    for (int r = 1; r < report.GetItemCount(); ++r)
        ASSERT_EQ(report.GetItemText(r - 1, 3) >= report.GetItemText(r, 3), report.GetSortDir() == 1)
            << "dates in order at " << r;

    const QImage shot = page.grab().toImage();
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/controls-page.png"));
}
