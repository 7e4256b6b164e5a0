// SPDX-License-Identifier: MIT
// The picture of the outline over its grid, and the folder listing.
#include "airfoil/ZopAirfoil.h"
#include "airfoil/ZopScanProgress.h"
#include "dialogs/KivDlgProgress.h"

#include "core/KivParamList.h"
#include "platform/gdi/CDC.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CWnd.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

QImage picture(ZopAirfoil airfoil, const char* folder = nullptr, const char* file = nullptr)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::black);
    CDC dc(&image);
    airfoil.Draw(&dc, CRect(0, 0, 400, 300), folder, file);
    return image;
}

int whitePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    return n;
}

struct Recorder : ZopScanProgress {
    std::vector<std::string> calls;
    void start(QWidget*, const char* title) override { calls.push_back(std::string("start ") + title); }
    void show(const char* message) override { calls.push_back(message); }
    void close() override { calls.push_back("close"); }
};

} // namespace

TEST(ZopDraw, OutlineInsideTheWindowOverTheGrid)
{
    const QImage image = picture(ZopAirfoil(1, 2, 40, 12, 180));
    // The axes in the centre (200, 150), the outline white and whole: the
    // leading edge left of the centre, the trailing edge right of it, and
    // nothing white at the borders.
    EXPECT_EQ(image.pixel(10, 150) & 0xFFFFFF, 0xC4C400u);
    EXPECT_GT(whitePixels(image), 200);
    int left = 400, right = -1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR(left, 200 - 125, 2); // 2500 of 3000 logical units
    EXPECT_NEAR(right, 200 + 125, 2);
    // No outline: the grid only.
    EXPECT_EQ(whitePixels(picture(ZopAirfoil(1, 0, 0, 12, 0))), 0);
    EXPECT_EQ(whitePixels(picture(ZopAirfoil(3, 0, 0, 12, 180), "/nonexistent", "x.dat")), 0);
}

TEST(ZopDraw, DrawOnAWindowBecomesItsBackground)
{
    CWnd wnd;
    wnd.resize(240, 180);
    ZopAirfoil().Draw(&wnd, nullptr, nullptr);
    ASSERT_TRUE(wnd.autoFillBackground());
    const QImage shown = wnd.palette().brush(QPalette::Window).textureImage();
    ASSERT_EQ(shown.size(), QSize(240, 180));
    EXPECT_GT(whitePixels(shown), 100);
    ZopAirfoil().Draw(static_cast<CWnd*>(nullptr), nullptr, nullptr);
}

TEST(ZopDraw, FileCoordinatesOfAnySizeDraw)
{
    TempDir dir;
    writeText(dir.file("big.dat"), "Big\n1e300 -1e300\n0 0\n1 0\n");
    const QImage image = picture(ZopAirfoil(3, 0, 0, 12, 180), dir.path().string().c_str(), "big.dat");
    EXPECT_GT(whitePixels(image), 10);
}

TEST(ZopDraw, DisplayAirfoilInfoListsTheCoordinateFiles)
{
    TempDir dir;
    writeText(dir.file("B.DAT"), "Bravo\n1 0\n");
    writeText(dir.file("a.dat"), "Alpha\r\n1 0\n");
    writeText(dir.file("c.Dat"), "Charlie\n1 0\n");
    writeText(dir.file("d.txt"), "Delta\n1 0\n");
    std::filesystem::create_directory(dir.path() / "e.dat");
    const std::string folder = dir.path().string() + "/";
    CComboBox combo;
    KivParamList list;
    Recorder progress;
    ASSERT_EQ(ZopAirfoil::DisplayAirfoilInfo(&combo, folder.c_str(), "c.DAT", &list, &progress), 1);
    ASSERT_EQ(combo.widget()->count(), 3);
    ASSERT_EQ(list.getCount(), 3);
    EXPECT_EQ(combo.GetLBText(0), "B.DAT - Bravo");
    EXPECT_EQ(combo.GetLBText(1), "a.dat - Alpha");
    EXPECT_STREQ(list.getParam(2), "c.Dat");
    EXPECT_STREQ(list.getValue(2), "Charlie");
    EXPECT_EQ(combo.GetCurSel(), 2);
    const std::vector<std::string> expected {
        "start Searching Airfoil Data", "B.DAT - Bravo", "a.dat - Alpha", "c.Dat - Charlie", "close"};
    EXPECT_EQ(progress.calls, expected);

    // Without a progress of its own the listing shows the common progress
    // window, and closes it again.
    EXPECT_EQ(ZopAirfoil::DisplayAirfoilInfo(&combo, folder.c_str(), "zz", &list), 1);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(KivDlgProgressWindow(), nullptr);
    // Another job's window is left as it is: neither written into nor closed.
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Other job", 10), 1);
    CKivProgressDlg* other = KivDlgProgressWindow();
    EXPECT_EQ(ZopAirfoil::DisplayAirfoilInfo(&combo, folder.c_str(), "zz", &list), 1);
    EXPECT_EQ(KivDlgProgressWindow(), other);
    EXPECT_EQ(KivDlgProgressClose(), 1);
    // Failures empty what they reached.
    EXPECT_EQ(ZopAirfoil::DisplayAirfoilInfo(&combo, folder.c_str(), "", nullptr), 0);
    EXPECT_EQ(combo.widget()->count(), 0);
    ZopAirfoil::DisplayAirfoilInfo(&combo, folder.c_str(), "", &list);
    EXPECT_EQ(ZopAirfoil::DisplayAirfoilInfo(&combo, "", "", &list), 0);
    EXPECT_EQ(list.getCount(), 0);
    EXPECT_EQ(ZopAirfoil::DisplayAirfoilInfo(nullptr, folder.c_str(), "", &list), 0);
    EXPECT_EQ(ZopAirfoil::DisplayAirfoilInfo(&combo, (folder + "e.dat/").c_str(), "", &list), 0);
}
