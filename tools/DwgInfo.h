// SPDX-License-Identifier: MIT
// The dwg command's pieces both programs share: its options, and reading a
// drawing's information through either reader (the file reader of the core
// library for local files, the preview reader, which also fetches
// addresses, in the full program).
#pragma once

#include "Cli.h"
#include "JsonWriter.h"
#include "Terminal.h"

#include "cad/KivDwgFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

struct DwgOptions {
    QCommandLineOption output {{"o", "output"}, "The image file to write.", "OUT"};
    QCommandLineOption size {"size", "Client area in pixels (default 320x240).", "WxH", "320x240"};
    QCommandLineOption autosize {"autosize", "Scale the preview to the client area."};
    QCommandLineOption back {"back", "Back colour (default #000000).", "#RRGGBB", "#000000"};
    QCommandLineOption imageBack {
        "image-back", "Colour that replaces white in the preview (default #000000).", "#RRGGBB", "#000000"};
    QCommandLineOption invert {"invert", "Invert both colours."};
    QCommandLineOption json = jsonOption("With info: the version and the preview's entries as JSON.");
};

// Parses args as the dwg command; false (exit set) on --help or an error.
bool parseDwg(const QStringList& args, QCommandLineParser& parser, const DwgOptions& options, QString& sub,
    QByteArray& path, int& exit);

// Parses args as the dwg command and runs action(parser, options, action
// name, drawing) on them; the exit status.
template <class Action> int withDwgArguments(const QStringList& args, Action&& action)
{
    QCommandLineParser parser;
    const DwgOptions options;
    QString sub;
    QByteArray path;
    int exit = Ok;
    if (!parseDwg(args, parser, options, sub, path, exit))
        return exit;
    return action(parser, options, sub, path);
}

const char* dwgEntryKind(int code);
// A drawing starts with its release: "AC" and four digits ("AC1015"), or
// before release 10 a digit, a point and two digits ("AC2.10").
bool hasDrawingSignature(const char* v);

template <class Reader> bool openDrawing(Reader& reader, const QByteArray& path)
{
    if (!reader.Open(path.constData())) {
        printError(QString("cannot open %1: %2").arg(shownPath(path), QString::fromStdString(reader.GetError())));
        return false;
    }
    if (!hasDrawingSignature(reader.GetVersionString())) {
        printError(
            QString("%1 is no DWG drawing: it does not start with AC and a release number").arg(shownPath(path)));
        return false;
    }
    return true;
}

// The preview's entries as JSON: null when the drawing has none.
template <class Reader> int dwgInfoJson(Reader& reader, const QByteArray& path)
{
    JsonWriter out;
    out.beginObject()
        .member("drawing", path.toStdString())
        .member("version", reader.GetVersionString())
        .member("version_code", reader.GetVersion())
        .key("preview");
    std::uint32_t address = 0;
    std::vector<KivDwgPreviewEntry> entries;
    if (!reader.HasPreviewVersion() || !reader.ReadEntries(&address, &entries)) {
        out.null().endObject().writeLine();
        return Ok;
    }
    out.beginObject().member("address", address).key("entries").beginArray();
    for (const auto& e : entries)
        out.beginObject()
            .member("code", e.code)
            .member("kind", dwgEntryKind(e.code))
            .member("start", e.start)
            .member("size", e.size)
            .endObject();
    out.endArray();
    if (int width = 0, height = 0; reader.ReadImageSize(&width, &height))
        out.member("width", width).member("height", height);
    out.endObject().endObject().writeLine();
    return Ok;
}

template <class Reader> int dwgInfo(Reader& reader, const QByteArray& path, bool json)
{
    if (!openDrawing(reader, path))
        return Failed;
    if (json)
        return dwgInfoJson(reader, path);
    std::printf("drawing:  %s\n", escapeControls(path.toStdString()).c_str());
    std::printf("version:  %s (%d)\n", escapeControls(reader.GetVersionString()).c_str(), reader.GetVersion());
    if (!reader.HasPreviewVersion()) {
        std::printf("preview:  none (drawings before release 13 carry none)\n");
        return Ok;
    }
    std::uint32_t address = 0;
    std::vector<KivDwgPreviewEntry> entries;
    if (!reader.ReadEntries(&address, &entries)) {
        std::printf("preview:  none found (address %u)\n", address);
        return Ok;
    }
    std::printf("preview:  at %u, %zu entries\n", address, entries.size());
    for (const auto& e : entries)
        std::printf("  code %d %-8s at %10u, %8u bytes\n", e.code, dwgEntryKind(e.code), e.start, e.size);
    // The size from the picture's header: nothing is decoded to print it.
    int width = 0, height = 0;
    if (reader.ReadImageSize(&width, &height))
        std::printf("image:    %d x %d\n", width, height);
    return Ok;
}

} // namespace cli
