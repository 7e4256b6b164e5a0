// The studio's image window on the bundled picture.
#include "ImageWindow.h"

#include <gtest/gtest.h>

#include <QAction>

TEST(ImageWindow, MenusRunTheCommandsWithUndoAndRedo)
{
    ImageWindow window(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg");
    ASSERT_TRUE(window.edit().GetBitmap()->IsAllocated());
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 800);
    for (const char* entry : {"Undo", "Redo", "Rotate 90° clockwise", "Color...", "Level...", "Flip / Reverse...",
             "Rotate...", "Sobel...", "Unique colors", "Crop tool"})
        EXPECT_NE(window.action(entry), nullptr) << entry;
    window.action("Rotate 90° clockwise")->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 533);
    EXPECT_EQ(window.edit().IsModified(), 1);
    EXPECT_TRUE(window.windowTitle().contains('*'));
    window.action("Undo")->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 800);
    window.action("Redo")->trigger();
    EXPECT_EQ(window.edit().GetBitmap()->Width(), 533);
    window.resize(900, 650);
    EXPECT_TRUE(window.grab().save(VANDREL_BINARY_DIR "/image-window.png"));
}
