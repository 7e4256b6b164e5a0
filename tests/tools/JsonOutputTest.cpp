// SPDX-License-Identifier: MIT
// --json on the info and list commands: each document parsed by Qt's own
// JSON reader, data on standard output and nothing else there.
#include "support/DbfWriter.h"
#include "support/DwgWriter.h"
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

// The one JSON document a command printed, ending in a line feed.
QJsonDocument documentOf(const RunResult& r)
{
    EXPECT_FALSE(r.out.empty()) << r.err;
    EXPECT_EQ(r.out.back(), '\n');
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << r.out;
    return doc;
}

QList<QJsonObject> linesOf(const RunResult& r)
{
    QList<QJsonObject> out;
    for (const QByteArray& line : QByteArray::fromStdString(r.out).split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        out << QJsonDocument::fromJson(line, &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    }
    return out;
}

} // namespace

TEST(VandrelJson, SlideInfoAndLibraryList)
{
    TempDir dir;
    writeFile(dir.file("a.sld"), SlideWriter(640, 480, 2, true).color(1).vector(1, 2, 3, 4).end().bytes());
    QJsonObject info = documentOf(runVandrel({"slide", "info", "a.sld", "--json"}, dir.path())).object();
    EXPECT_EQ(info[u"level"].toInt(), 2);
    EXPECT_EQ(info[u"byte_order"].toString(), "big-endian");
    EXPECT_EQ(info[u"width"].toInt(), 640);
    EXPECT_EQ(info[u"vectors"].toInt(), 1);
    EXPECT_TRUE(info[u"end_record"].toBool());
    EXPECT_EQ(info[u"result"].toInt(), 0);

    // A slide cut short keeps its result code as the status.
    writeFile(dir.file("cut.sld"), SlideWriter().vector(1, 2, 3, 4).bytes());
    const auto cut = runVandrel({"slide", "info", "--json", "cut.sld"}, dir.path());
    EXPECT_EQ(cut.status, 2);
    info = documentOf(cut).object();
    EXPECT_FALSE(info[u"end_record"].toBool());
    EXPECT_EQ(info[u"message"].toString(), "Warning--Slide prepared for different display.");

    ASSERT_EQ(runVandrel({"slb", "create", "lib"}, dir.path()).status, 0);
    ASSERT_EQ(runVandrel({"slb", "append", "lib", "a.sld", "cut.sld"}, dir.path()).status, 0);
    const QJsonArray slides = documentOf(runVandrel({"slb", "list", "lib", "--json"}, dir.path())).array();
    ASSERT_EQ(slides.size(), 2);
    EXPECT_EQ(slides.at(0)[u"name"].toString(), "A");
    EXPECT_EQ(slides.at(0)[u"address"].toInt(), 140);
    EXPECT_EQ(slides.at(1)[u"address"].toInt(), 140 + slides.at(0)[u"size"].toInt());
}

TEST(VandrelJson, DrawingInformation)
{
    TempDir dir;
    writeFile(dir.file("a.dwg"), makeDwg("AC1018", {{1, Bytes(80, 0)}, {2, makeDib8(2, 3, {0xFFFFFF}, Bytes(8, 0))}}));
    QJsonObject dwg = documentOf(runVandrel({"dwg", "info", "a.dwg", "--json"}, dir.path())).object();
    EXPECT_EQ(dwg[u"version"].toString(), "AC1018");
    const QJsonObject preview = dwg[u"preview"].toObject();
    ASSERT_EQ(preview[u"entries"].toArray().size(), 2);
    EXPECT_EQ(preview[u"entries"].toArray().at(1)[u"kind"].toString(), "bitmap");
    EXPECT_EQ(preview[u"width"].toInt(), 2);
    EXPECT_EQ(preview[u"height"].toInt(), 3);
    writeFile(dir.file("old.dwg"), makeDwg("AC1009", {}));
    dwg = documentOf(runVandrel({"dwg", "info", "old.dwg", "--json"}, dir.path())).object();
    EXPECT_TRUE(dwg[u"preview"].isNull());

    const auto r = runVandrel({"dxf", "info", VANDREL_DXF_FIXTURES "/layers.dxf", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject dxf = documentOf(r).object();
    EXPECT_EQ(dxf[u"format"].toString(), "ASCII");
    EXPECT_GE(dxf[u"layers"].toInt(), 2);
    EXPECT_EQ(dxf[u"extents"][u"min"].toArray().size(), 2);
    int counted = 0;
    for (const QJsonValue v : dxf[u"entities_by_type"].toObject())
        counted += v.toInt();
    EXPECT_EQ(counted, dxf[u"entities"].toInt());
    EXPECT_TRUE(dxf[u"cut_short"].isNull());
}

TEST(VandrelJson, TableInformationAndTypedRecords)
{
    TempDir dir;
    DbfTable table;
    table.fields = {{"NAME", 'C', 8}, {"PRICE", 'N', 7, -1, 2}, {"PAID", 'L', 1}, {"COUNT", 'N', 4}};
    table.records = {{"Caf\xe9", "  12.50", "T", "  -3"}, {"x\"\n", "    .5 ", "?", "    "}, {"gone", "1", "F", "1"}};
    table.deleted = {false, false, true};
    writeFile(dir.file("t.dbf"), table.bytes());

    const QJsonObject info = documentOf(runVandrel({"dbf", "info", "t.dbf", "--json", "--raw"}, dir.path())).object();
    EXPECT_EQ(info[u"records_in_header"].toInt(), 3);
    EXPECT_TRUE(info[u"code_page"].isNull()) << "--raw reads no code page";
    const QJsonArray fields = info[u"fields"].toArray();
    ASSERT_EQ(fields.size(), 4);
    EXPECT_EQ(fields.at(1)[u"type"].toString(), "N");
    EXPECT_EQ(fields.at(1)[u"decimals"].toInt(), 2);

    auto r = runVandrel({"dbf", "dump", "t.dbf", "--json", "--raw"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    // A byte that is no UTF-8 is kept as the lone surrogate of its value.
    EXPECT_NE(r.out.find(R"("NAME":"Caf\udce9")"), std::string::npos) << r.out;
    // Numbers keep their digits; blanks are null.
    EXPECT_NE(r.out.find(R"("PRICE":12.50,)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("PRICE":0.5,)"), std::string::npos) << r.out;
    QList<QJsonObject> records = linesOf(r);
    ASSERT_EQ(records.size(), 2) << "deleted records only when asked for";
    EXPECT_EQ(records.at(0)[u"record"].toInt(), 1);
    EXPECT_EQ(records.at(0)[u"fields"][u"COUNT"].toInt(), -3);
    EXPECT_TRUE(records.at(0)[u"fields"][u"PAID"].toBool());
    EXPECT_EQ(records.at(1)[u"fields"][u"NAME"].toString(), "x\"\n");
    EXPECT_TRUE(records.at(1)[u"fields"][u"PAID"].isNull());
    EXPECT_TRUE(records.at(1)[u"fields"][u"COUNT"].isNull());

    records = linesOf(runVandrel({"dbf", "dump", "t.dbf", "--json", "--deleted", "--encoding", "cp1252"}, dir.path()));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records.at(0)[u"fields"][u"NAME"].toString(), QString::fromUtf8("Café"));
    EXPECT_TRUE(records.at(2)[u"deleted"].toBool());
    EXPECT_FALSE(records.at(2)[u"fields"][u"PAID"].toBool());
    EXPECT_EQ(records.at(2)[u"record"].toInt(), 3);

    r = runVandrel({"dbf", "dump", "t.dbf", "--json", "--csv"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
}

TEST(VandrelJson, ImagesPagesAndTheThumbnailCache)
{
    TempDir dir;
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("a.png"))));
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("b.bmp"))));

    auto r = runVandrel({"image", "info", "--json", "a.png", "none.png"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("none.png"), std::string::npos) << "diagnostics go to standard error";
    const QJsonArray images = documentOf(r).array();
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images.at(0)[u"format"].toString(), "PNG");
    EXPECT_EQ(images.at(0)[u"width"].toInt(), 30);
    EXPECT_EQ(images.at(0)[u"pages"].toInt(), 1);
    EXPECT_FALSE(images.at(1)[u"error"].toString().isEmpty());

    const QJsonObject pages = documentOf(runVandrel({"image", "pages", "b.bmp", "--json"}, dir.path())).object();
    ASSERT_EQ(pages[u"pages"].toArray().size(), 1);
    EXPECT_EQ(pages[u"pages"].toArray().at(0)[u"height"].toInt(), 20);

    ASSERT_EQ(runVandrel({"thumbs", "."}, dir.path()).status, 0);
    fs::remove(dir.file("b.bmp"));
    r = runVandrel({"thumbs", ".", "--check", "--json"}, dir.path());
    EXPECT_EQ(r.status, 1);
    const QJsonObject check = documentOf(r).object();
    EXPECT_EQ(check[u"lines"].toInt(), 2);
    ASSERT_EQ(check[u"sources_gone"].toArray().size(), 1);
    EXPECT_TRUE(check[u"sources_gone"].toArray().at(0).toString().endsWith("b.bmp"));
    EXPECT_TRUE(check[u"missing_thumbnails"].toArray().isEmpty());
    EXPECT_TRUE(check[u"note"].isNull());
}

TEST(VandrelJson, AirfoilListAndUsageErrors)
{
    TempDir dir;
    writeText(dir.file("a.dat"), "Alpha \"one\"\n1 0\n");
    writeText(dir.file("B.DAT"), "Bra\x1b[31mvo\r\n1 0\n");
    writeText(dir.file("c.dat"), "Line\xe2\x80\xa8sep\xc2\x85\n1 0\n");
    const auto r = runVandrel({"airfoil", "list", ".", "--json"}, dir.path());
    // Line readers split on these: escaped, a record stays one line.
    EXPECT_NE(r.out.find(R"("Line\u2028sep\u0085")"), std::string::npos) << r.out;
    const QJsonArray list = documentOf(r).array();
    ASSERT_EQ(list.size(), 3);
    QStringList titles;
    for (const QJsonValue v : list)
        titles << v[u"title"].toString();
    titles.sort();
    EXPECT_EQ(titles, QStringList({"Alpha \"one\"", "Bra\x1b[31mvo", QString::fromUtf8("Line\u2028sep\u0085")}))
        << "controls are escaped by JSON itself";

    // A command line that cannot be understood is status 2, with nothing
    // on standard output.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             {"nosuch"}, {"--frob"}, {}, {"dbf", "info"}, {"dwg", "info", "--nosuch", "a"}, {"image", "zoom", "a"}}) {
        const auto misuse = runVandrel(args, dir.path());
        EXPECT_EQ(misuse.status, 2) << (args.empty() ? "" : args.front());
        EXPECT_TRUE(misuse.out.empty());
    }
}
