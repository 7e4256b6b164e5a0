// The gallery as a person sees it, grabbed to a picture.
#include "ControlGallery.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

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
    ::PostMessage(&gallery, WM_COMMAND, MAKEWPARAM(ControlGallery::IdColorLabel, 0), 0);
    QCoreApplication::processEvents();
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
