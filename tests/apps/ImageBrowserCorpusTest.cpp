// SPDX-License-Identifier: MIT
// The studio's image browser on real scans and bitmaps.
#include "ImageBrowser.h"

#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadExpListCtrl.h"
#include "imaging/widgets/CKivLeadFileListCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

using namespace testsupport;

TEST(ImageBrowser, RealScansAndBitmapsInThumbnailsAndDetails)
{
    const auto tiffs = samplesIn("tiff");
    if (tiffs.empty())
        GTEST_SKIP() << "no samples";
    TempDir cache;
    ImageBrowser browser(
        QString::fromStdString(tiffs.front().parent_path().string()), QString::fromStdString(cache.path().string()));
    browser.resize(1000, 720);
    browser.show();
    QApplication::processEvents();
    EXPECT_GT(browser.explorer().GetThumbListCtrl()->GetThumbList()->getCount(), 0);
    EXPECT_TRUE(browser.grab().save(VANDREL_BINARY_DIR "/image-browser-tiff.png"));
    browser.open(QString::fromStdString(samplesIn("bmp").front().parent_path().string()));
    QApplication::processEvents();
    EXPECT_TRUE(browser.grab().save(VANDREL_BINARY_DIR "/image-browser-bmp.png"));
    browser.action("Details")->trigger();
    QApplication::processEvents();
    EXPECT_GT(browser.explorer().GetFileListCtrl()->GetItemCount(), 0);
    EXPECT_TRUE(browser.grab().save(VANDREL_BINARY_DIR "/image-browser-bmp-details.png"));
    browser.action("Large Icons")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(browser.grab().save(VANDREL_BINARY_DIR "/image-browser-bmp-icons.png"));
}
