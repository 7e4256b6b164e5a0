// SPDX-License-Identifier: MIT
// DXF drawings made by ezdxf (tests/data/dxf, one per entity kind and
// release) and by hand (hostile ones): extents, sampled pixels, colours,
// code pages, caps.
#include "cad/KivDxfDraw.h"
#include "cad/KivDxfTokenizer.h"
#include "core/KivAciColor.h"
#include "support/BmpWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>

using namespace testsupport;

namespace {

const std::string kFixtures = VANDREL_DXF_FIXTURES;

struct Expected {
    std::string file;
    double min[2], max[2];
    bool exact;
};

std::vector<Expected> fixtures()
{
    std::vector<Expected> out;
    std::ifstream in(kFixtures + "/extents.tsv");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Expected e;
        std::string how;
        fields >> e.file >> e.min[0] >> e.min[1] >> e.max[0] >> e.max[1] >> how;
        e.exact = how == "exact";
        out.push_back(e);
    }
    return out;
}

KivDxfDraw openText(const std::string& text)
{
    KivDxfDraw drawing;
    EXPECT_TRUE(drawing.OpenBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
        << drawing.GetError();
    return drawing;
}

// An ASCII DXF of the given entity groups ("0\nLINE\n10\n0\n…"), with
// blocks when given.
std::string dxf(const std::string& entities, const std::string& blocks = "", const std::string& header = "")
{
    return "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" + blocks
        + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string line(double x0, double y0, double x1, double y1, int colour = 1)
{
    std::ostringstream s;
    s << "0\nLINE\n8\n0\n62\n"
      << colour << "\n10\n"
      << x0 << "\n20\n"
      << y0 << "\n11\n"
      << x1 << "\n21\n"
      << y1 << "\n";
    return s.str();
}

QColor aci(int index)
{
    const COLORREF c = static_cast<COLORREF>(KivAciColor::GetRGB(index));
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Whether a pixel within one of the drawing point (x, y) shows colour over
// back: lines are antialiased, so a pixel may be a blend of the two.
bool colourNear(const KivDxfDraw& drawing, const QImage& image, double x, double y, const QColor& colour,
    const QColor& back = Qt::black)
{
    const QPointF p = drawing.Fit(QRectF(0, 0, image.width(), image.height())).map(QPointF(x, y));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = static_cast<int>(std::floor(p.x())) + dx, py = static_cast<int>(std::floor(p.y())) + dy;
            if (!image.rect().contains(px, py))
                continue;
            const QColor c = image.pixelColor(px, py);
            for (double a = 0.3; a <= 1.0001; a += 0.05) {
                const auto mix = [a](int fore, int behind) { return a * fore + (1 - a) * behind; };
                const double d = std::fabs(c.red() - mix(colour.red(), back.red()))
                    + std::fabs(c.green() - mix(colour.green(), back.green()))
                    + std::fabs(c.blue() - mix(colour.blue(), back.blue()));
                if (d < 40)
                    return true;
            }
        }
    return false;
}

// Whether every pixel within one of the point is the background.
bool backgroundAt(const KivDxfDraw& drawing, const QImage& image, double x, double y, const QColor& back = Qt::black)
{
    const QPointF p = drawing.Fit(QRectF(0, 0, image.width(), image.height())).map(QPointF(x, y));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = static_cast<int>(std::floor(p.x())) + dx, py = static_cast<int>(std::floor(p.y())) + dy;
            if (image.rect().contains(px, py) && image.pixelColor(px, py) != back)
                return false;
        }
    return true;
}

void PrintTo(const Expected& e, std::ostream* os)
{
    *os << e.file;
}

class Fixture : public testing::TestWithParam<Expected> { };

} // namespace

TEST_P(Fixture, ExtentsAreEzdxfsBoundingBox)
{
    const Expected& e = GetParam();
    KivDxfDraw drawing;
    ASSERT_TRUE(drawing.Open((kFixtures + "/" + e.file).c_str())) << drawing.GetError();
    EXPECT_FALSE(drawing.GetFile().IsTruncated()) << drawing.GetError();
    KivDxfPoint lo, hi;
    ASSERT_TRUE(drawing.GetScene().GetExtents(lo, hi));
    const double size = std::max(e.max[0] - e.min[0], e.max[1] - e.min[1]);
    // Flattened curves may fall inside by a little. Texts are measured by
    // different fonts, and ezdxf's box of a multi-line text is narrower than
    // its lines: there the box must reach at least as far.
    const double tolerance = e.exact ? size * 0.005 : size * 0.25;
    EXPECT_NEAR(lo.x, e.min[0], tolerance);
    EXPECT_NEAR(lo.y, e.min[1], tolerance);
    if (e.exact) {
        EXPECT_NEAR(hi.x, e.max[0], tolerance);
        EXPECT_NEAR(hi.y, e.max[1], tolerance);
    } else {
        EXPECT_GE(hi.x, e.max[0] - tolerance);
        EXPECT_GE(hi.y, e.max[1] - tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ezdxf, Fixture, testing::ValuesIn(fixtures()), [](const testing::TestParamInfo<Expected>& info) {
        std::string name = info.param.file.substr(0, info.param.file.find('.'));
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(KivDxf, EveryKindDrawsWhereItIsAndNotWhereItIsNot)
{
    const struct {
        const char* file;
        double x, y;
        QColor colour; // invalid: the background
    } probes[] = {
        {"line.dxf", 50, 25, aci(1)},
        {"line.dxf", 50, 0, QColor()},
        {"point.dxf", 10, 10, aci(2)},
        {"circle.dxf", 75, 50, aci(3)},
        {"circle.dxf", 50, 50, QColor()},
        {"arc.dxf", 28.284, 28.284, aci(4)},
        {"ellipse.dxf", 0, 25, aci(5)},
        {"ellipse.dxf", 0, 10, QColor()},
        {"lwpolyline.dxf", 80, 20, aci(6)}, // the bulge's apex
        {"lwpolyline.dxf", 30, 20, QColor()},
        {"polyline_r12.dxf", 50, 15, aci(1)},
        {"polyline_r12.dxf", 25, -12.5, aci(1)}, // the bulge below
        {"spline.dxf", 0, 0, aci(3)},
        {"solid_trace_face.dxf", 20, 15, aci(1)}, // filled
        {"solid_trace_face.dxf", 70, 5, aci(2)},
        {"solid_trace_face.dxf", 0, 50, aci(3)}, // a face is its outline
        {"solid_trace_face.dxf", 20, 50, QColor()},
        {"hatch.dxf", 10, 10, aci(1)},
        {"hatch.dxf", 50, 30, QColor()}, // the hole
        {"hatch.dxf", 170, 20, aci(5)}, // inside the arc edge
        {"insert.dxf", -10, 0, aci(1)}, // ByBlock from the insertion, scaled
        {"insert.dxf", 4, 0, aci(7)}, // ByLayer on layer 0: the insertion's layer "0"
        {"insert.dxf", 40, -5, aci(5)}, // nested, rotated, on layer BLUE
        {"insert.dxf", 35, 62, aci(3)}, // the array's last cell
        {"insert.dxf", 0, 30, QColor()},
        {"ocs.dxf", -15, 0, aci(1)}, // seen from below: mirrored
        {"layers.dxf", 2, 2, aci(1)},
        {"layers.dxf", 2, 8, QColor(0, 128, 255)}, // true colour
        {"release_r12.dxf", 20, 10, aci(2)},
        {"release_r2000.dxf", 20, 10, aci(2)},
        {"release_r2018.dxf", 20, 10, aci(2)},
        {"binary_r2000.dxf", 15, 15, aci(2)},
        {"binary_r2000.dxf", 7.5, 5, aci(1)},
        {"dimension.dxf", 25, 10, aci(2)}, // the dimension line, from its anonymous block
        {"dimension.dxf", 25, 5, QColor()},
    };
    for (const auto& probe : probes) {
        KivDxfDraw drawing;
        ASSERT_TRUE(drawing.Open((kFixtures + "/" + probe.file).c_str())) << probe.file;
        const QImage image = drawing.Render(200, 150, RGB(0, 0, 0), false);
        if (probe.colour.isValid())
            EXPECT_TRUE(colourNear(drawing, image, probe.x, probe.y, probe.colour))
                << probe.file << " at " << probe.x << "," << probe.y;
        else
            EXPECT_TRUE(backgroundAt(drawing, image, probe.x, probe.y))
                << probe.file << " at " << probe.x << "," << probe.y << " should be background";
    }
}

TEST(KivDxf, ColourSevenTurnsBlackOnALightBackgroundAndTextsShow)
{
    KivDxfDraw drawing = openText(dxf(line(0, 0, 10, 10, 7)));
    EXPECT_TRUE(colourNear(drawing, drawing.Render(100, 100, RGB(255, 255, 255), false), 5, 5, Qt::black, Qt::white));
    EXPECT_TRUE(colourNear(drawing, drawing.Render(100, 100, RGB(0, 0, 0), false), 5, 5, Qt::white));

    KivDxfDraw text;
    ASSERT_TRUE(text.Open((kFixtures + "/text.dxf").c_str()));
    const QImage image = text.Render(300, 120, RGB(255, 255, 255), false);
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() / 3; ++x)
            red += image.pixelColor(x, y) == aci(1);
    EXPECT_GT(red, 20) << "Left is written in red on the left";

    KivDxfDraw mtext;
    ASSERT_TRUE(mtext.Open((kFixtures + "/mtext.dxf").c_str()));
    const QImage lines = mtext.Render(300, 120, RGB(0, 0, 0), false);
    int top = 0, bottom = 0;
    for (int y = 0; y < lines.height(); ++y)
        for (int x = 0; x < lines.width(); ++x)
            (y < lines.height() / 2 ? top : bottom) += lines.pixelColor(x, y) == aci(4);
    EXPECT_GT(top, 50) << "the first line";
    EXPECT_GT(bottom, 50) << "the second, below it";
}

TEST(KivDxf, TextsDecodeCodePagesEscapesAndFormatting)
{
    // "Привет" in windows-1251, a degree escape, and MTEXT codes.
    const std::string cyrillic = "\xcf\xf0\xe8\xe2\xe5\xf2";
    const std::string entities = "0\nTEXT\n10\n0\n20\n0\n40\n2\n1\n" + cyrillic + " 90\\U+00B0 %%c5\n"
        + "0\nMTEXT\n10\n0\n20\n10\n40\n2\n71\n1\n1\n{\\fArial|b1;Bold}\\Pnext \\S1^2;\n";
    const KivDxfDraw drawing = openText(dxf(entities, "", "9\n$ACADVER\n1\nAC1015\n9\n$DWGCODEPAGE\n3\nANSI_1251\n"));
    ASSERT_EQ(drawing.GetFile().GetEntities().size(), 2u);
    EXPECT_EQ(drawing.GetFile().GetCodePage(), "ANSI_1251");
    EXPECT_EQ(drawing.GetFile().GetEntities()[0].text, "Привет 90° ⌀5");
    EXPECT_EQ(drawing.GetFile().GetEntities()[1].text, "Bold\nnext 1/2");

    // Release 2007 on writes UTF-8 whatever the code page says.
    const KivDxfDraw utf8 = openText(dxf(
        "0\nTEXT\n10\n0\n20\n0\n40\n2\n1\nПривет\n", "", "9\n$ACADVER\n1\nAC1021\n9\n$DWGCODEPAGE\n3\nANSI_1252\n"));
    EXPECT_EQ(utf8.GetFile().GetEntities().at(0).text, "Привет");
}

TEST(KivDxf, HostileDrawingsFailCleanlyOrDrawWhatIsValid)
{
    using clock = std::chrono::steady_clock;
    const std::string selfInsert = "0\nBLOCK\n2\nA\n10\n0\n20\n0\n" + line(0, 0, 1, 1)
        + "0\nINSERT\n2\nA\n10\n1\n20\n0\n0\nINSERT\n2\nB\n10\n0\n20\n1\n0\nENDBLK\n"
          "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nINSERT\n2\nA\n10\n0\n20\n0\n0\nENDBLK\n";
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "0\nBLOCK\n2\nD" + std::to_string(i) + "\n10\n0\n20\n0\n" + line(0, 0, 1, 1) + "0\nINSERT\n2\nD"
            + std::to_string(i + 1) + "\n10\n1\n20\n0\n0\nENDBLK\n";
    const struct {
        const char* what;
        std::string bytes;
        bool opens;
        std::size_t shapesAtMost;
    } cases[] = {
        {"nothing", "", false, 0},
        {"no sections", "hello\nworld\n", false, 0},
        {"not a number", dxf("0\nLINE\n10\nabc\n"), true, 0},
        {"NaN and infinite coordinates",
            dxf(line(0, 0, 1, 1) + "0\nLINE\n10\nnan\n20\n0\n11\n1\n21\n1\n0\nLINE\n10\n1e999\n"), true, 1},
        {"a self-inserting pair of blocks", dxf("0\nINSERT\n2\nA\n10\n0\n20\n0\n", selfInsert), true, 10},
        {"blocks nested 40 deep", dxf("0\nINSERT\n2\nD0\n10\n0\n20\n0\n", deep), true, 17},
        {"a 1e300 scale",
            dxf(line(0, 0, 1, 1) + "0\nINSERT\n2\nA\n10\n0\n20\n0\n41\n1e300\n42\n1e300\n",
                "0\nBLOCK\n2\nA\n10\n0\n20\n0\n" + line(0, 0, 1e300, 1) + "0\nENDBLK\n"),
            true, 1},
        {"a huge array of a block",
            dxf("0\nINSERT\n2\nA\n10\n0\n20\n0\n70\n32767\n71\n32767\n44\n1\n45\n1\n",
                "0\nBLOCK\n2\nA\n10\n0\n20\n0\n0\nENDBLK\n"),
            true, 0},
        {"extents past the reals", dxf(line(-1.5e308, -1.5e308, 1.5e308, 1.5e308)), true, 1},
        {"an absurd group code", dxf(line(0, 0, 1, 1) + "99999\nx\n" + line(0, 0, 2, 2)), true, 1},
        {"a hatch that claims a billion edges",
            dxf("0\nHATCH\n70\n1\n91\n1\n92\n0\n93\n1000000000\n72\n1\n10\n0\n20\n0\n11\n1\n21\n0\n"), true, 1},
        {"a text of a megabyte", dxf("0\nTEXT\n10\n0\n20\n0\n40\n1\n1\n" + std::string(1 << 20, 'x') + "\n"), true, 0},
    };
    for (const auto& c : cases) {
        const auto start = clock::now();
        KivDxfDraw drawing;
        const bool opened = drawing.OpenBytes(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
        EXPECT_EQ(opened, c.opens) << c.what << ": " << drawing.GetError();
        EXPECT_LE(drawing.GetScene().GetShapes().size(), c.shapesAtMost) << c.what;
        (void)drawing.Render(64, 48, 0, false);
        EXPECT_LT(clock::now() - start, std::chrono::seconds(20)) << c.what;
        if (!opened) {
            EXPECT_FALSE(drawing.GetError().empty()) << c.what;
        }
    }
    const KivDxfDraw big = openText(dxf("0\nTEXT\n10\n0\n20\n0\n40\n1\n1\n" + std::string(1 << 20, 'x') + "\n"));
    ASSERT_EQ(big.GetFile().GetEntities().size(), 1u);
    EXPECT_EQ(big.GetFile().GetEntities()[0].text.size(), KivDxfFile::kMaxTextBytes);
}

TEST(KivDxf, ACutBinaryFileKeepsWhatCameBefore)
{
    std::ifstream in(kFixtures + "/binary_r2000.dxf", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 100u);
    KivDxfDraw whole;
    ASSERT_TRUE(whole.OpenBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(whole.GetFile().IsBinary());
    EXPECT_EQ(whole.GetFile().GetEntities().size(), 2u);
    // Cut inside the last entity: the line before it stays.
    const std::size_t at = bytes.rfind("ARC");
    ASSERT_NE(at, std::string::npos);
    KivDxfDraw cut;
    ASSERT_TRUE(cut.OpenBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), at + 20));
    EXPECT_TRUE(cut.GetFile().IsTruncated());
    EXPECT_NE(cut.GetError().find("at byte"), std::string::npos) << cut.GetError();
    ASSERT_GE(cut.GetFile().GetEntities().size(), 1u);
    EXPECT_EQ(cut.GetFile().GetEntities()[0].type, "LINE");
}

TEST(KivDxf, AnEmbeddedPreviewIsShownFirstUnlessTheDrawingIsAsked)
{
    const Bytes bmp = makeBmp(8, 8, 24, {}, [](int, int) { return 0xFF0000u; }); // red
    std::string hex;
    for (std::size_t i = 14; i < bmp.size(); ++i) { // without the file header
        char two[3];
        std::snprintf(two, sizeof two, "%02X", bmp[i]);
        hex += two;
    }
    const std::string text = "0\nSECTION\n2\nENTITIES\n" + line(0, 0, 10, 10, 3)
        + "0\nENDSEC\n0\nSECTION\n2\nTHUMBNAILIMAGE\n90\n" + std::to_string(bmp.size() - 14) + "\n310\n" + hex
        + "\n0\nENDSEC\n0\nEOF\n";
    const KivDxfDraw drawing = openText(text);
    ASSERT_TRUE(drawing.HasPreview());
    EXPECT_EQ(drawing.Render(40, 40, 0, true).pixelColor(20, 20), QColor(255, 0, 0));
    EXPECT_TRUE(colourNear(drawing, drawing.Render(40, 40, 0, false), 5, 5, aci(3)));
}

TEST(KivDxfTokenizer, ReadsTypedValuesAndStopsAtDamage)
{
    const std::string text = "  0\r\nSECTION\r\n 70\r\n  -12\r\n 40\r\n2.5\r\n310\r\n0aFF\r\n";
    KivDxfTokenizer tokens(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    KivDxfGroup g;
    ASSERT_TRUE(tokens.Next(g));
    EXPECT_EQ(g.code, 0);
    EXPECT_EQ(g.text, "SECTION");
    ASSERT_TRUE(tokens.Next(g));
    EXPECT_EQ(g.integer, -12);
    ASSERT_TRUE(tokens.Next(g));
    EXPECT_EQ(g.number, 2.5);
    ASSERT_TRUE(tokens.Next(g));
    EXPECT_EQ(g.text, std::string("\x0a\xff", 2));
    EXPECT_FALSE(tokens.Next(g));
    EXPECT_FALSE(tokens.Failed());

    const std::string bad = "0\nSECTION\n70\nseven\n";
    KivDxfTokenizer damaged(reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size());
    EXPECT_TRUE(damaged.Next(g));
    EXPECT_FALSE(damaged.Next(g));
    EXPECT_TRUE(damaged.Failed());
}
