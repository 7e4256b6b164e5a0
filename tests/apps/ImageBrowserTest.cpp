// SPDX-License-Identifier: MIT
// The studio's image browser on the bundled images.
#include "ImageBrowser.h"

#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadExpListCtrl.h"
#include "imaging/widgets/CKivLeadFileListCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include <filesystem>

using namespace testsupport;

TEST(ImageBrowser, ShowsTheBundledImagesInEveryMode)
{
    TempDir cache;
    ImageBrowser browser(VANDREL_SOURCE_DIR "/samples/images", QString::fromStdString(cache.path().string()));
    browser.show();
    QApplication::processEvents();
    ASSERT_EQ(browser.explorer().GetThumbListCtrl()->GetThumbList()->getCount(), 1);
    EXPECT_TRUE(browser.grab().save(VANDREL_BINARY_DIR "/image-browser.png"));
    EXPECT_TRUE(std::filesystem::exists(cache.path() / "THUMB.DB"));
    const char* modes[] = {"Large Icons", "Small Icons", "List", "Details", "Thumbnails"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(browser.action(modes[i]), nullptr) << modes[i];
        browser.action(modes[i])->trigger();
        EXPECT_EQ(browser.explorer().GetViewMode(), (i + 1) % 5);
    }
    for (const char* sort : {"by Name", "by Type", "by Size", "by Date", "Refresh"})
        EXPECT_NE(browser.action(sort), nullptr) << sort;
}
