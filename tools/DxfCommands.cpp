// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "JsonWriter.h"
#include "Terminal.h"

#include "cad/KivDxfFile.h"
#include "cad/KivDxfScene.h"

#include <QCommandLineParser>

#include <cstdio>
#include <map>

// dxf info reads and measures the drawing with the core library alone;
// dxf render, which draws text with fonts, is the full program's.

namespace cli {

namespace {

void writeCorners(JsonWriter& out, const char* name, double x0, double y0, double x1, double y1)
{
    out.key(name)
        .beginObject()
        .key("min")
        .beginArray()
        .value(x0)
        .value(y0)
        .endArray()
        .key("max")
        .beginArray()
        .value(x1)
        .value(y1)
        .endArray()
        .endObject();
}

int dxfInfoJson(const QByteArray& path, const KivDxfFile& file, const KivDxfScene& scene)
{
    JsonWriter out;
    out.beginObject()
        .member("drawing", path.toStdString())
        .member("format", file.IsBinary() ? "binary" : "ASCII")
        .member("version", file.GetVersion())
        .member("release", file.GetRelease())
        .key("code_page");
    if (file.GetCodePage().empty())
        out.null();
    else
        out.value(file.GetCodePage());
    KivDxfPoint lo, hi;
    if (scene.GetExtents(lo, hi))
        writeCorners(out, "extents", lo.x, lo.y, hi.x, hi.y);
    else
        out.key("extents").null();
    double min[2], max[2];
    if (file.GetHeaderExtents(min, max) && min[0] <= max[0] && min[1] <= max[1])
        writeCorners(out, "header_extents", min[0], min[1], max[0], max[1]);
    else
        out.key("header_extents").null();
    out.member("layers", file.GetLayers().size()).member("blocks", file.GetBlocks().size());
    out.key("named_blocks").beginArray();
    for (const auto& b : file.GetBlocks())
        if (!b.name.empty() && b.name[0] != '*')
            out.value(b.name);
    out.endArray();
    std::map<std::string, std::size_t> kinds;
    for (const auto& e : file.GetEntities())
        ++kinds[e.type];
    out.member("entities", file.GetEntities().size()).key("entities_by_type").beginObject();
    for (const auto& [type, count] : kinds)
        out.member(type, count);
    out.endObject().member("skipped", file.GetSkipped()).member("preview_bytes", file.GetThumbnail().size());
    out.key("cut_short");
    if (file.IsTruncated())
        out.value(file.GetError());
    else if (scene.IsTruncated())
        out.value("past the drawing's caps");
    else
        out.null();
    out.endObject().writeLine();
    return Ok;
}

int dxfInfo(const QByteArray& path, bool json)
{
    KivDxfFile file;
    if (!file.Open(path.constData())) {
        printError(QString("%1: %2").arg(shownPath(path), QString::fromStdString(file.GetError())));
        return Failed;
    }
    KivDxfScene scene;
    scene.Build(file);
    if (json)
        return dxfInfoJson(path, file, scene);
    std::printf("drawing:    %s\n", escapeControls(path.toStdString()).c_str());
    std::printf("format:     %s\n", file.IsBinary() ? "binary" : "ASCII");
    std::printf(
        "version:    %s (%s)\n", escapeControls(file.GetVersion()).c_str(), escapeControls(file.GetRelease()).c_str());
    std::printf(
        "code page:  %s\n", file.GetCodePage().empty() ? "(not given)" : escapeControls(file.GetCodePage()).c_str());
    KivDxfPoint lo, hi;
    if (scene.GetExtents(lo, hi))
        std::printf("extents:    %g,%g to %g,%g\n", lo.x, lo.y, hi.x, hi.y);
    else
        std::printf("extents:    (nothing drawn)\n");
    double min[2], max[2];
    if (file.GetHeaderExtents(min, max) && min[0] <= max[0] && min[1] <= max[1])
        std::printf("header:     $EXTMIN %g,%g  $EXTMAX %g,%g\n", min[0], min[1], max[0], max[1]);
    std::printf("layers:     %zu\n", file.GetLayers().size());
    std::string blocks;
    for (const auto& b : file.GetBlocks())
        if (!b.name.empty() && b.name[0] != '*') // anonymous and layout blocks are the program's own
            blocks += (blocks.empty() ? "" : ", ") + escapeControls(b.name);
    std::printf("blocks:     %zu%s%s\n", file.GetBlocks().size(), blocks.empty() ? "" : ": ", blocks.c_str());
    std::map<std::string, std::size_t> kinds;
    for (const auto& e : file.GetEntities())
        ++kinds[e.type];
    std::printf("entities:   %zu\n", file.GetEntities().size());
    for (const auto& [type, count] : kinds)
        std::printf("  %-12s %zu\n", escapeControls(type).c_str(), count);
    if (file.GetSkipped())
        std::printf("skipped:    %zu (kinds not drawn, invisible, or without usable coordinates)\n", file.GetSkipped());
    std::printf("preview:    %s", file.GetThumbnail().empty() ? "none\n" : "");
    if (!file.GetThumbnail().empty())
        std::printf("%zu bytes\n", file.GetThumbnail().size());
    if (file.IsTruncated() || scene.IsTruncated())
        std::printf("cut short:  %s\n",
            file.IsTruncated() ? escapeControls(file.GetError()).c_str() : "past the drawing's caps");
    return Ok;
}

} // namespace

bool parseDxf(const QStringList& args, QCommandLineParser& parser, const QList<QCommandLineOption>& options,
    QString& sub, QByteArray& path, int& exit)
{
    sub = args.size() > 1 ? args.at(1) : QString();
    parser.setApplicationDescription(
        "Reads and draws DXF drawings (ASCII and binary, release 12 to current).\n\n"
        "  info FILE                       release, code page, extents, layers, blocks, entities by type\n"
        "  render FILE -o OUT.png|.svg     draw the drawing fitted to the picture, the aspect kept\n\n"
        "OUT may end in .png, .jpg, .bmp or .svg. Files of more than 256 MiB or 2,000,000 entities, "
        "blocks nested deeper than 16 and self-inserting blocks are cut there.");
    parser.addPositionalArgument("ACTION", "info or render");
    parser.addPositionalArgument("FILE", "the drawing");
    for (const auto& o : options)
        parser.addOption(o);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "dxf ACTION FILE [OPTIONS]", exit))
        return false;
    const QStringList pos = parser.positionalArguments();
    if (option || pos.size() != 1 || (sub != "info" && sub != "render")) {
        exit = usageError("dxf takes info or render and one drawing (see vandrel dxf --help)");
        return false;
    }
    path = utf8(pos.first());
    return true;
}

QList<QCommandLineOption> dxfOptions()
{
    return {
        {{"o", "output"}, "The PNG, JPEG, BMP or SVG file to write.", "OUT"},
        {"size", "Picture size in pixels (default 1024x768).", "WxH", "1024x768"},
        {"back", "Back colour (default #000000).", "#RRGGBB", "#000000"},
        {"layers", "Draw only these layers, separated by commas.", "A,B"},
        {"preview", "Draw the preview picture the file carries, when it has one."},
        jsonOption("With info: the drawing's information as JSON."),
    };
}

int runDxf(const QStringList& args)
{
    QCommandLineParser parser;
    QString sub;
    QByteArray path;
    int exit = Ok;
    if (!parseDxf(args, parser, dxfOptions(), sub, path, exit))
        return exit;
    if (sub == "info")
        return dxfInfo(path, parser.isSet("json"));
    return runDxfRender(args);
}

} // namespace cli
