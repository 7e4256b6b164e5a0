// SPDX-License-Identifier: MIT
#include "DwgInfo.h"

#include "cad/KivDwgFile.h"

namespace cli {

const char* dwgEntryKind(int code)
{
    switch (code) {
    case 1: return "header";
    case 2: return "bitmap";
    case 3: return "metafile";
    case 6: return "PNG";
    default: return "unknown";
    }
}

bool hasDrawingSignature(const char* v)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return v[0] == 'A' && v[1] == 'C' && digit(v[2])
        && ((digit(v[3]) && digit(v[4]) && digit(v[5])) || (v[3] == '.' && digit(v[4]) && digit(v[5])));
}

bool parseDwg(const QStringList& args, QCommandLineParser& parser, const DwgOptions& options, QString& sub,
    QByteArray& path, int& exit)
{
    sub = args.size() > 1 ? args.at(1) : QString();
    parser.setApplicationDescription(
        "Reads the preview picture of DWG drawings (release 13 and later).\n\n"
        "  info FILE                      version and the preview's entries\n"
        "  preview FILE -o OUT.png [...]  draw the preview as the preview control does\n\n"
        "OUT may end in .png, .jpg or .bmp; the image holds at most 4096x4096 pixels. A drawing "
        "without a preview picture is an error.\n"
        "FILE may be an http:// or https:// address: it is fetched within 30 s and 256 MiB "
        "(VANDREL_DOWNLOAD_TIMEOUT_MS and VANDREL_DOWNLOAD_MAX_BYTES change the limits).");
    parser.addPositionalArgument("ACTION", "info or preview");
    parser.addPositionalArgument("FILE", "the drawing");
    for (const auto* o : {&options.output, &options.size, &options.autosize, &options.back, &options.imageBack,
             &options.invert, &options.json})
        parser.addOption(*o);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "dwg ACTION FILE [OPTIONS]", exit))
        return false;
    const QStringList pos = parser.positionalArguments();
    if (option || pos.size() != 1 || (sub != "info" && sub != "preview")) {
        exit = usageError("dwg takes info or preview and one drawing (see vandrel dwg --help)");
        return false;
    }
    path = utf8(pos.first());
    return true;
}

// The information of a local drawing needs no picture decoded and no
// network: it is read here. Previews, and drawings at an address, are the
// full program's.
int runDwg(const QStringList& args)
{
    return withDwgArguments(args,
        [&](const QCommandLineParser& parser, const DwgOptions& options, const QString& sub, const QByteArray& path) {
            if (sub == "info" && !KivDwgFile::IsAddress(path.constData())) {
                KivDwgFile reader;
                return dwgInfo(reader, path, parser.isSet(options.json));
            }
            return runDwgDrawing(args);
        });
}

} // namespace cli
