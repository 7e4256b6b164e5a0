// SPDX-License-Identifier: MIT
#include "platform/io/PathNoCase.h"
#include "support/SlideWriter.h"
#include "views/CKivSlideViewCtrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

using namespace testsupport;

namespace {

COLORREF at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool columnHas(const QImage& image, int x, COLORREF color)
{
    for (int y = 0; y < image.height(); ++y)
        if (at(image, x, y) == color)
            return true;
    return false;
}

// Draws reference into a w×h black surface as the view does; gives the code.
int render(QImage& image, int w, int h, const std::string& reference, int invert = 0)
{
    image = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    int code;
    {
        CDC dc(&image);
        KivSlideDraw draw;
        if (h == 0 || w == 0) {
            // A client area without height: the window says how big it is.
            CWnd window;
            window.resize(w, h);
            code = draw.Draw(&window, &dc, reference.c_str(), invert);
        } else {
            code = draw.Draw(nullptr, &dc, reference.c_str(), invert);
        }
    }
    return code;
}

// A slide whose whole extent is filled white.
Bytes filledSquare(std::uint16_t side)
{
    return SlideWriter(side, side).fill({{0, 0}, {side, 0}, {side, side}, {0, side}}).end().bytes();
}

class SlideDraw : public testing::Test {
protected:
    TempDir dir;
    std::string write(const std::string& name, const Bytes& bytes)
    {
        writeFile(dir.file(name), bytes);
        return dir.file(name);
    }
};

} // namespace

TEST_F(SlideDraw, AWideClientLeavesTheRightHalfEmpty)
{
    QImage image;
    ASSERT_EQ(render(image, 400, 200, write("SQUARE.SLD", filledSquare(1000))), 0);
    EXPECT_EQ(at(image, 0, 199), RGB(255, 255, 255)) << "origin at the bottom left";
    EXPECT_EQ(at(image, 190, 5), RGB(255, 255, 255));
    EXPECT_FALSE(columnHas(image, 205, RGB(255, 255, 255)));
    EXPECT_FALSE(columnHas(image, 399, RGB(255, 255, 255)));
}

TEST_F(SlideDraw, ATallClientLeavesTheTopEmpty)
{
    QImage image;
    ASSERT_EQ(render(image, 200, 400, write("SQUARE.SLD", filledSquare(1000))), 0);
    EXPECT_EQ(at(image, 100, 399), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 100, 150), RGB(0, 0, 0)) << "the spare room lies above";
}

TEST_F(SlideDraw, ColoursPointsAndLines)
{
    // 100 × 100 slide units on a 101 × 101 client: one unit is one pixel.
    const Bytes bytes = SlideWriter(100, 100)
                            .vector(10, 10, 20, 10)
                            .color(1)
                            .vector(30, 30, 30, 30)
                            .fill({{50, 50}, {60, 50}, {60, 60}, {50, 60}})
                            .color(3)
                            .vector(70, 90, 80, 90)
                            .end()
                            .bytes();
    QImage image;
    ASSERT_EQ(render(image, 101, 101, write("P.SLD", bytes)), 0);
    EXPECT_EQ(at(image, 10, 90), RGB(255, 255, 255)) << "white before any colour record";
    EXPECT_EQ(at(image, 30, 70), RGB(255, 0, 0)) << "a zero-length vector is one pixel";
    EXPECT_EQ(at(image, 31, 70), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 29, 70), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 55, 45), RGB(255, 0, 0)) << "colour 1 fills too";
    EXPECT_EQ(at(image, 75, 10), RGB(0, 255, 0));
}

TEST_F(SlideDraw, InvertCoversTheClientArea)
{
    QImage image;
    ASSERT_EQ(render(image, 50, 40, write("SQUARE.SLD", filledSquare(10)), 1), 0);
    EXPECT_EQ(at(image, 1, 38), RGB(0, 0, 0)) << "the white slide inverts to black";
    EXPECT_EQ(at(image, 49, 0), RGB(255, 255, 255)) << "the black back inverts to white";
}

TEST_F(SlideDraw, AClientWithoutHeightDrawsNothing)
{
    QImage image;
    EXPECT_EQ(render(image, 100, 0, write("SQUARE.SLD", filledSquare(10))), 2);
    EXPECT_EQ(KivSlideFile::m_nSldError, 2);
}

TEST_F(SlideDraw, ReferencesAndTheirCodes)
{
    write("DOOR.SLD", filledSquare(10));
    writeFile(dir.file("lib.SLB"), makeLibrary({{"DOOR", filledSquare(10)}}));
    QImage image;
    EXPECT_EQ(render(image, 20, 20, dir.file("door")), 0) << "no extension: .SLD";
    EXPECT_EQ(render(image, 20, 20, dir.file("b.txt")), 3);
    EXPECT_EQ(render(image, 20, 20, dir.file("lib") + "(door)"), 0);
    EXPECT_EQ(render(image, 20, 20, dir.file("lib") + "(window)"), 5);
    EXPECT_STREQ(
        KivSlideFile::GetSlideError(), ("Slide WINDOW not found in library " + dir.file("lib") + ".SLB.").c_str());
    EXPECT_EQ(render(image, 20, 20, dir.file("none")), 1);
    EXPECT_STREQ(KivSlideFile::GetSlideError(),
        ("\"" + MakeUpperName(dir.file("none").c_str()) + ".SLD\": Can't open file").c_str())
        << "only the file name is upper-cased, never its folders";
    EXPECT_EQ(render(image, 20, 20, dir.file("nolib") + "(door)"), 1);
    write("CUT.SLD", SlideWriter(10, 10).vector(1, 1, 5, 5).bytes());
    EXPECT_EQ(render(image, 20, 20, dir.file("cut")), 2) << "no end record";
}

namespace {

struct Parent : CWnd {
    struct Got {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Got> got;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_COMMAND)
            got.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(SlideDraw, ViewPostsClicksToItsParent)
{
    Parent parent;
    parent.resize(300, 200);
    CKivSlideViewCtrl view;
    view.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 90), &parent, 77);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(12, 34));
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(5, 6));
    EXPECT_TRUE(parent.got.empty()) << "posted, so nothing before the loop runs";
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.got.size(), 3u);
    const WPARAM self = reinterpret_cast<WPARAM>(static_cast<QWidget*>(&view));
    EXPECT_EQ(parent.got[0].message, WM_LBUTTONUP);
    EXPECT_EQ(parent.got[0].wParam, self);
    EXPECT_EQ(parent.got[0].lParam, MAKELPARAM(12, 34));
    EXPECT_EQ(parent.got[1].message, WM_RBUTTONDOWN);
    EXPECT_EQ(parent.got[2].message, WM_RBUTTONUP);

    parent.got.clear();
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(7, 8));
    QCoreApplication::processEvents();
    std::vector<UINT> messages;
    for (const auto& g : parent.got)
        messages.push_back(g.message);
    // The double click arrives as itself and as the static control's notification.
    ASSERT_GE(messages.size(), 2u);
    EXPECT_NE(std::find(messages.begin(), messages.end(), WM_LBUTTONDBLCLK), messages.end());
    const auto command
        = std::find_if(parent.got.begin(), parent.got.end(), [](auto& g) { return g.message == WM_COMMAND; });
    ASSERT_NE(command, parent.got.end());
    EXPECT_EQ(LOWORD(command->wParam), 77);
    EXPECT_EQ(HIWORD(command->wParam), CKivStatic::kDoubleClickCode);
    EXPECT_EQ(command->lParam, static_cast<LPARAM>(self));
}

TEST_F(SlideDraw, ViewPaintsTheSlideOnItsBackColour)
{
    CKivSlideViewCtrl view;
    view.resize(100, 50);
    view.SetFile(write("SQUARE.SLD", filledSquare(10)).c_str(), 0);
    view.SetBackColor(RGB(0, 0, 255), 0);
    EXPECT_EQ(view.GetFileName(), dir.file("SQUARE.SLD"));
    EXPECT_STREQ(view.GetSlideName(), dir.file("SQUARE.SLD").c_str());
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(at(shot, 2, 47), RGB(255, 255, 255));
    EXPECT_EQ(at(shot, 90, 10), RGB(0, 0, 255));
    view.SetInvert(1, 0);
    EXPECT_EQ(view.GetInvert(), 1);
    const QImage inverted = view.grab().toImage();
    EXPECT_EQ(at(inverted, 90, 10), RGB(255, 255, 0));

    view.SetFile("lib(slide)", 0);
    EXPECT_STREQ(view.GetLibraryName(), "lib");
    EXPECT_STREQ(view.GetSlideName(), "slide");
}

TEST(CKivStatic, NotifiesWithIdentifierCodeAndWindow)
{
    Parent parent;
    CKivStatic label;
    label.Create("text", WS_CHILD, CRect(0, 0, 10, 10), &parent, 3024);
    label.PostNotifyToParent(9, 1234);
    label.PostMessageToParent(WM_USER + 5, 1, 2);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.got.size(), 2u);
    EXPECT_EQ(parent.got[0].message, WM_COMMAND);
    EXPECT_EQ(LOWORD(parent.got[0].wParam), 3024);
    EXPECT_EQ(HIWORD(parent.got[0].wParam), 9);
    EXPECT_EQ(parent.got[0].lParam, 1234);
    EXPECT_EQ(parent.got[1].message, WM_USER + 5u);

    CKivStatic orphan;
    orphan.PostNotifyToParent(1, 0); // no parent: nothing, no crash
    QCoreApplication::processEvents();
}

TEST_F(SlideDraw, ColourZeroFillsTakeTheBackColour)
{
    const Bytes bytes = SlideWriter(100, 100)
                            .color(1)
                            .fill({{0, 0}, {100, 0}, {100, 100}, {0, 100}})
                            .color(0)
                            .fill({{25, 25}, {75, 25}, {75, 75}, {25, 75}})
                            .end()
                            .bytes();
    const std::string path = write("mask.sld", bytes);
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::blue);
    {
        CDC dc(&image);
        KivSlideDraw draw;
        draw.SetBackColor(RGB(0, 0, 255));
        EXPECT_EQ(draw.Draw(nullptr, &dc, path.c_str(), 0), 0);
    }
    EXPECT_EQ(at(image, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 50, 50), RGB(0, 0, 255)) << "the mask shows the back colour, not white";
}

TEST_F(SlideDraw, AStoredAspectRatioIsKeptWhenTheExtentsDifferFromIt)
{
    // Extents 1000 x 500, but made on a square display: a vertical line over
    // the whole height must span the whole height of a square client.
    auto slide = [](std::uint32_t aspect) {
        SlideWriter writer(1000, 500);
        writer.vector(0, 0, 0, 500).end();
        Bytes bytes = writer.bytes();
        for (int i = 0; i < 4; ++i)
            bytes[23 + i] = static_cast<std::uint8_t>(aspect >> (8 * i));
        return bytes;
    };
    auto topOfLine = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            if (at(image, 0, y) != RGB(0, 0, 0))
                return y;
        return -1;
    };
    QImage image;
    EXPECT_EQ(render(image, 400, 400, write("square.sld", slide(10000000))), 0);
    EXPECT_LE(topOfLine(image), 2);
    // A ratio the extents give, none or an absurd one: drawn as before.
    for (std::uint32_t aspect : {20000000u, 0u, 1000000000u}) {
        EXPECT_EQ(render(image, 400, 400, write("wide.sld", slide(aspect))), 0);
        EXPECT_NEAR(topOfLine(image), 200, 2) << aspect;
    }
}

TEST_F(SlideDraw, ANameThatExistsAsGivenIsOpenedBeforeItsUpperCase)
{
    write("test.sld", filledSquare(10));
    write("TEST.SLD", SlideWriter(10, 10).end().bytes());
    QImage image;
    const std::string lower = dir.file("test.sld");
    EXPECT_EQ(render(image, 20, 20, lower), 0);
    EXPECT_EQ(at(image, 10, 10), RGB(255, 255, 255)) << "test.sld, not TEST.SLD, was drawn";
}
