// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "JsonWriter.h"
#include "OutputFile.h"
#include "Terminal.h"

#include "airfoil/ZopAirfoil.h"
#include "core/KivParamList.h"
#include "platform/base/CString.h"
#include "platform/io/ByteSource.h"
#include "platform/io/PathNoCase.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace cli {

namespace {

constexpr int kDefaultNodes = 180;

const char* const kDescription = "Computes an airfoil outline, or reads a coordinate file, and writes it.\n"
                                 "\n"
                                 "  naca4 CODE        NACA 4-digit section MPTT: M is the camber in percent of\n"
                                 "                    the chord, P the position of the camber in tenths of the\n"
                                 "                    chord (position P*10 percent), TT the thickness in percent.\n"
                                 "                    2412: camber 2, position 40, thickness 12.\n"
                                 "  naca5 CODE        NACA 5-digit section LPQTT of the 2xx mean lines: L must be\n"
                                 "                    2, P (1 to 5) selects the mean-line row, its camber ending\n"
                                 "                    at P*5 percent (position P*5), Q must be 0 (no reflex), TT\n"
                                 "                    is the thickness in percent. 23012: position 15, thickness 12.\n"
                                 "  joukowski         Joukowski section of --camber C and --thickness T percent.\n"
                                 "  file PATH         a coordinate file, free (title, then x y per line) or\n"
                                 "                    counted (title, the two point counts, the two runs).\n"
                                 "  list FOLDER       the names and titles of the *.dat files in FOLDER.\n"
                                 "\n"
                                 "The outline goes to standard output as a .dat file, or with -o to OUT, whose\n"
                                 "extension chooses the format: .dat (title, then x y with six decimals, from the\n"
                                 "trailing edge over the upper surface round the nose to the lower trailing\n"
                                 "edge), .csv (x,y), .svg (the outline in chord units with the chord line) or\n"
                                 "  .png (the outline over its grid, as the airfoil window shows it).";

template <class... Args> QByteArray formatted(const char* format, Args... args)
{
    return QByteArray::fromStdString(StringFormat(format, args...));
}

// The section as it is written: a closed outline in the free ("Selig")
// order, from the trailing edge over the upper surface round the nose to the
// lower trailing edge.
struct Outline {
    std::string title;
    std::vector<ZopPoint2D> points;
};

// A title on one line of the file, whatever the source held.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

QByteArray datText(const Outline& outline)
{
    QByteArray out = QByteArray::fromStdString(oneLine(outline.title)) + '\n';
    for (const ZopPoint2D& p : outline.points)
        out += formatted("%.6f %.6f\n", p.x, p.y);
    return out;
}

QByteArray csvText(const Outline& outline)
{
    QByteArray out = "x,y\n";
    for (const ZopPoint2D& p : outline.points)
        out += formatted("%.6f,%.6f\n", p.x, p.y);
    return out;
}

QByteArray xmlEscaped(const std::string& text)
{
    return QString::fromUtf8(QByteArray::fromStdString(oneLine(text))).toHtmlEscaped().toUtf8();
}

QByteArray svgText(const Outline& outline)
{
    double left = 0, right = 1, low = 0, high = 0;
    for (const ZopPoint2D& p : outline.points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    const double margin = 0.05 * (right - left);
    left -= margin;
    right += margin;
    low -= margin;
    high += margin;
    const double width = right - left;
    const double height = high - low;
    // y grows upward in chord units and downward in SVG: the y values are
    // negated, so the viewBox spans -high to -low.
    QByteArray out = formatted(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"%d\" viewBox=\"%.6f %.6f %.6f %.6f\">\n",
        std::max(1, static_cast<int>(1000 * height / width)), left, -high, width, height);
    out += "<title>" + xmlEscaped(outline.title) + "</title>\n";
    out += formatted(
        "<rect x=\"%.6f\" y=\"%.6f\" width=\"%.6f\" height=\"%.6f\" fill=\"white\"/>\n", left, -high, width, height);
    out += "<line x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\" stroke=\"#888888\" "
           "stroke-width=\"0.001\"/>\n";
    out += "<polygon fill=\"none\" stroke=\"black\" stroke-width=\"0.002\" "
           "points=\"";
    for (const ZopPoint2D& p : outline.points)
        out += formatted("%.6f,%.6f ", p.x, 0.0 - p.y); // no "-0.000000" for y = 0
    out += "\"/>\n</svg>\n";
    return out;
}

bool parseNodes(const QCommandLineParser& parser, int& nodes)
{
    nodes = kDefaultNodes;
    if (!parser.isSet("nodes"))
        return true;
    bool ok = false;
    nodes = parser.value("nodes").toInt(&ok);
    if (!ok || nodes < 1 || nodes > ZopAirfoil::kMaxNodes) {
        printError(QString("--nodes takes a whole number from 1 to %1").arg(ZopAirfoil::kMaxNodes));
        return false;
    }
    return true;
}

bool parsePercent(const QCommandLineParser& parser, const char* name, double fallback, double& out)
{
    out = fallback;
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    out = parser.value(name).toDouble(&ok);
    if (!ok || !std::isfinite(out)) {
        printError(QString("--%1 takes a number (percent of the chord)").arg(name));
        return false;
    }
    return true;
}

// The airfoil a code names: the digits into the five parameters.
bool airfoilOfCode(const QString& kind, const QString& code, int nodes, ZopAirfoil& airfoil)
{
    if (kind == "naca4") {
        static const QRegularExpression re("^(\\d)(\\d)(\\d\\d)$");
        const auto m = re.match(code);
        if (!m.hasMatch()) {
            printError("naca4 takes four digits MPTT, as 2412 (see vandrel airfoil --help)");
            return false;
        }
        airfoil.Set(1, m.captured(1).toInt(), m.captured(2).toInt() * 10, m.captured(3).toInt(), nodes);
        return true;
    }
    static const QRegularExpression re("^2([1-5])0(\\d\\d)$");
    const auto m = re.match(code);
    if (!m.hasMatch()) {
        printError("naca5 takes five digits 2P0TT with P from 1 to 5, as 23012 (the 2xx mean lines, no reflex; "
                   "see vandrel airfoil --help)");
        return false;
    }
    airfoil.Set(2, 0, m.captured(1).toInt() * 5, m.captured(2).toInt(), nodes);
    return true;
}

int listFolder(const QString& folderArg, bool json)
{
    std::string folder = utf8(folderArg).toStdString();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    KivParamList list;
    ZopAirfoil::ListAirfoilFiles(folder.c_str(), &list, nullptr, nullptr);
    if (json) {
        JsonWriter out;
        out.beginArray();
        for (int i = 0; i < list.getCount(); ++i)
            out.beginObject().member("file", list.getParam(i)).member("title", list.getValue(i)).endObject();
        out.endArray().writeLine();
        list.removeData();
        return Ok;
    }
    for (int i = 0; i < list.getCount(); ++i)
        std::printf("%-28s %s\n", escapeControls(list.getParam(i)).c_str(), escapeControls(list.getValue(i)).c_str());
    list.removeData();
    return Ok;
}

int writeOutline(const Outline& outline, const ZopAirfoil& airfoil, const QString& target, const QString& size,
    const std::string& folder, const std::string& file)
{
    if (target.isEmpty()) {
        const QByteArray text = datText(outline);
        // The title came from a file: shown with its controls escaped.
        const qsizetype eol = text.indexOf('\n');
        std::printf("%s%s", escapeControls(text.left(eol).toStdString()).c_str(), text.mid(eol).constData());
        return Ok;
    }
    const QString suffix = QFileInfo(target).suffix().toLower();
    const QString path = QString::fromStdString(ResolvePathNoCase(utf8(target).constData()));
    if (suffix == "dat")
        return writeOutputFile(path, datText(outline)) ? Ok : Failed;
    if (suffix == "csv")
        return writeOutputFile(path, csvText(outline)) ? Ok : Failed;
    if (suffix == "svg")
        return writeOutputFile(path, svgText(outline)) ? Ok : Failed;
    if (suffix != "png") {
        printError("-o takes a name ending in .dat, .csv, .svg or .png");
        return Failed;
    }
    return drawAirfoilPng(airfoil, path, size, folder, file);
}

} // namespace

int runAirfoil(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    parser.addPositionalArgument("ACTION", "naca4, naca5, joukowski, file or list");
    parser.addOption({"nodes",
        "Stations of a computed outline (default 180); the section written has both trailing-edge points, one "
        "more. A file keeps its own points.",
        "N"});
    parser.addOption({{"o", "output"}, "Write to OUT (.dat, .csv, .svg or .png).", "OUT"});
    parser.addOption({"camber", "Joukowski camber in percent of the chord (default 0).", "C"});
    parser.addOption({"thickness", "Joukowski thickness in percent of the chord (default 12).", "T"});
    parser.addOption({"size", "PNG size in pixels (default 800x600).", "WxH"});
    parser.addOption(jsonOption("With list: the files and their titles as JSON."));
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1),
            "airfoil naca4 CODE | naca5 CODE | joukowski | file PATH | list FOLDER [--nodes N] [-o OUT]", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    const bool takesOne = sub == "naca4" || sub == "naca5" || sub == "file" || sub == "list";
    if (option || !((takesOne && pos.size() == 1) || (sub == "joukowski" && pos.isEmpty())))
        return usageError("airfoil takes naca4 CODE, naca5 CODE, joukowski, file PATH or list FOLDER "
                          "(see vandrel airfoil --help)");
    if (sub == "list")
        return listFolder(pos.at(0), parser.isSet("json"));

    int nodes = 0;
    if (!parseNodes(parser, nodes))
        return Failed;
    ZopAirfoil airfoil;
    Outline outline;
    std::string folder;
    std::string file;
    if (sub == "joukowski") {
        double camber = 0;
        double thickness = 0;
        if (!parsePercent(parser, "camber", 0.0, camber) || !parsePercent(parser, "thickness", 12.0, thickness))
            return Failed;
        airfoil.Set(0, camber, 0, thickness, nodes);
        outline.title = QString("Joukowski %1% camber %2% thickness").arg(camber).arg(thickness).toStdString();
    } else if (sub == "file") {
        const std::string path = ResolvePathNoCase(utf8(pos.at(0)).constData());
        const QString shown = QString::fromStdString(escapeControls(utf8(pos.at(0)).toStdString()));
        ByteSource source;
        if (!source.openFile(path)) {
            printError(QString("cannot open %1: %2").arg(shown, QString::fromStdString(source.errorText())));
            return Failed;
        }
        source.close();
        airfoil.Set(3, 0, 0, 12, nodes);
        char title[256];
        ZopAirfoil::GetAirfoilInfo(path.c_str(), title);
        outline.title = title;
        const std::size_t slash = path.rfind('/');
        folder = slash == std::string::npos ? "." : path.substr(0, slash);
        file = slash == std::string::npos ? path : path.substr(slash + 1);
    } else {
        if (!airfoilOfCode(sub, pos.at(0), nodes, airfoil))
            return Failed;
        outline.title = "NACA " + pos.at(0).toStdString();
    }
    int count = 0;
    const std::string path = folder.empty() ? std::string() : folder + "/" + file;
    std::unique_ptr<ZopPoint2D, decltype(&std::free)> points(
        airfoil.MakeSection(path.empty() ? nullptr : path.c_str(), &count), &std::free);
    if (!points) {
        const QString what = sub == "file" ? QString::fromStdString(escapeControls(utf8(pos.at(0)).toStdString()))
                                           : QString("these parameters");
        printError(QString("%1: no airfoil: %2").arg(what, QString::fromUtf8(ZopAirfoil::GetError())));
        return Failed;
    }
    outline.points.assign(points.get(), points.get() + count);
    return writeOutline(outline, airfoil, parser.value("output"), parser.value("size"), folder, file);
}

} // namespace cli
