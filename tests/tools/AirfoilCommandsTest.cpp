// SPDX-License-Identifier: MIT
// vandrel airfoil, run as a process.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <QImage>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

struct Dat {
    std::string title;
    std::vector<std::pair<double, double>> points;
};

Dat parseDat(const std::string& text)
{
    Dat dat;
    std::istringstream in(text);
    std::getline(in, dat.title);
    double x = 0, y = 0;
    while (in >> x >> y)
        dat.points.emplace_back(x, y);
    return dat;
}

std::string text(const std::string& path)
{
    const Bytes b = readFile(path);
    return std::string(b.begin(), b.end());
}

} // namespace

TEST(VandrelAirfoil, Naca4DatIsTheFreeLayoutAndReadsBack)
{
    TempDir dir;
    const auto vandrel = [&](std::vector<std::string> args) { return runVandrel(std::move(args), dir.path()); };
    auto r = vandrel({"airfoil", "naca4", "2412", "--nodes", "100", "-o", "a.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Dat dat = parseDat(text(dir.file("a.dat")));
    EXPECT_EQ(dat.title, "NACA 2412");
    ASSERT_EQ(dat.points.size(), 101u) << "50 stations a surface, the nose between";
    // From the trailing edge over the upper surface to the nose, then along
    // the lower surface back to the trailing edge: both its points are there.
    EXPECT_NEAR(dat.points.front().first, 1.0, 1e-3);
    EXPECT_NEAR(dat.points.back().first, 1.0, 1e-3);
    EXPECT_GT(dat.points.front().second, dat.points.back().second);
    std::size_t nose = 0;
    for (std::size_t i = 0; i < dat.points.size(); ++i)
        if (dat.points[i].first < dat.points[nose].first)
            nose = i;
    EXPECT_EQ(dat.points[nose].first, 0.0);
    EXPECT_GT(dat.points[nose / 2].second, 0.0);
    EXPECT_EQ(nose, 50u);
    EXPECT_LT(dat.points[nose + (100 - nose) / 2].second, 0.0);
    std::istringstream lines(text(dir.file("a.dat")));
    std::string line;
    std::getline(lines, line);
    const QRegularExpression sixDecimals("^-?\\d\\.\\d{6} -?\\d\\.\\d{6}$");
    while (std::getline(lines, line))
        ASSERT_TRUE(sixDecimals.match(QString::fromStdString(line)).hasMatch()) << line;

    // Read back through the coordinate-file reader: the same points.
    r = vandrel({"airfoil", "file", "a.dat", "-o", "b.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(text(dir.file("b.dat")), text(dir.file("a.dat")));
    // Standard output without -o.
    r = vandrel({"airfoil", "file", "a.dat"});
    EXPECT_EQ(r.out, text(dir.file("a.dat")));
}

TEST(VandrelAirfoil, FiveDigitJoukowskiAndOtherFormats)
{
    TempDir dir;
    const auto vandrel = [&](std::vector<std::string> args) { return runVandrel(std::move(args), dir.path()); };
    ASSERT_EQ(vandrel({"airfoil", "naca5", "23012", "-o", "c.csv"}).status, 0);
    const std::string csv = text(dir.file("c.csv"));
    EXPECT_EQ(csv.rfind("x,y\n1.000028,0.001260\n", 0), 0u) << csv.substr(0, 40);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 182);
    EXPECT_NE(csv.find("\n0.999972,-0.001260\n"), std::string::npos) << "the lower trailing edge ends it";

    // NACA 0012: the upper trailing-edge point first, the lower one last.
    ASSERT_EQ(vandrel({"airfoil", "naca4", "0012", "-o", "z.dat"}).status, 0);
    const Dat zero = parseDat(text(dir.file("z.dat")));
    ASSERT_EQ(zero.points.size(), 181u);
    EXPECT_EQ(zero.points.front(), std::make_pair(1.0, 0.00126));
    EXPECT_EQ(zero.points.back(), std::make_pair(1.0, -0.00126));

    // A point of NaN is refused with its line, not read as the point before.
    writeText(dir.file("nan.dat"), "Bad\n1 0\n0.5 nan\n0 0\n");
    auto refused = vandrel({"airfoil", "file", "nan.dat"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("line 3"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");

    auto r = vandrel({"airfoil", "joukowski", "--camber", "4", "--thickness", "10", "-o", "j.svg"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string svg = text(dir.file("j.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\""), std::string::npos);
    EXPECT_NE(svg.find("<polygon"), std::string::npos);
    EXPECT_NE(svg.find("<title>Joukowski 4% camber 10% thickness</title>"), std::string::npos);

    ASSERT_EQ(vandrel({"airfoil", "naca4", "0012", "-o", "n.png", "--size", "300x200"}).status, 0);
    const QImage png(QString::fromStdString(dir.file("n.png")));
    ASSERT_EQ(png.size(), QSize(300, 200));
    int white = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            white += (png.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_GT(white, 100);
}

TEST(VandrelAirfoil, BadInputFailsWithAMessage)
{
    TempDir dir;
    const auto vandrel = [&](std::vector<std::string> args) { return runVandrel(std::move(args), dir.path()); };
    const std::vector<std::vector<std::string>> bad {
        {"airfoil", "naca4", "241"},
        {"airfoil", "naca4", "24a2"},
        {"airfoil", "naca5", "23112"},
        {"airfoil", "naca5", "63012"},
        {"airfoil", "naca4", "2412", "--nodes", "0"},
        {"airfoil", "naca4", "2412", "--nodes", "-5"},
        {"airfoil", "naca4", "2412", "--nodes", "2000000"},
        {"airfoil", "naca4", "2412", "--nodes", "many"},
        {"airfoil", "joukowski", "--thickness", "1000"},
        {"airfoil", "joukowski", "--camber", "nan"},
        {"airfoil", "naca4", "2412", "-o", "a.txt"},
        {"airfoil", "file", "missing.dat"},
        {"airfoil", "nothing"},
        {"airfoil"},
    };
    for (const auto& args : bad) {
        const auto r = vandrel(args);
        // No action, or one that does not exist, is a usage error.
        EXPECT_EQ(r.status, args.size() <= 2 && args.back() != "file" ? 2 : 1) << args.back();
        EXPECT_NE(r.err.find("vandrel: "), std::string::npos) << args.back();
    }
    ASSERT_EQ(run({"mkfifo", dir.file("pipe.dat")}).status, 0);
    auto r = vandrel({"airfoil", "file", "pipe.dat"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    writeText(dir.file("title.dat"), "Only a title\n");
    EXPECT_EQ(vandrel({"airfoil", "file", "title.dat"}).status, 1);
    r = vandrel({"airfoil", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("position P*10 percent"), std::string::npos);
    EXPECT_NE(r.out.find("selects the mean-line row"), std::string::npos);
}

TEST(VandrelAirfoil, ListPrintsTitlesEscaped)
{
    TempDir dir;
    writeText(dir.file("a.dat"), "Alpha\n1 0\n");
    writeText(dir.file("B.DAT"), "Bra\x1b[31mvo\r\n1 0\n");
    writeText(dir.file("c.txt"), "Charlie\n1 0\n");
    const auto r = runVandrel({"airfoil", "list", "."}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Alpha"), std::string::npos);
    EXPECT_NE(r.out.find("Bra\\x1b[31mvo"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Charlie"), std::string::npos);
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
}
