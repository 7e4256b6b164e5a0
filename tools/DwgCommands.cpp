#include "Cli.h"
#include "OutputFile.h"
#include "Terminal.h"

#include "platform/io/ByteSource.h"
#include "platform/io/PathNoCase.h"
#include "views/CKivDwgPreviewCtrl.h"

#include <QImage>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>

namespace cli {

namespace {

const char* entryKind(int code)
{
    switch (code) {
    case 1: return "header";
    case 2: return "bitmap";
    case 3: return "metafile";
    case 6: return "PNG";
    default: return "unknown";
    }
}

QString shown(const QByteArray& text)
{
    return QString::fromStdString(escapeControls(text.toStdString()));
}

// A drawing starts with its release: "AC" and four digits ("AC1015"), or
// before release 10 a digit, a point and two digits ("AC2.10").
bool hasDrawingSignature(const char* v)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return v[0] == 'A' && v[1] == 'C' && digit(v[2])
        && ((digit(v[3]) && digit(v[4]) && digit(v[5])) || (v[3] == '.' && digit(v[4]) && digit(v[5])));
}

bool openDrawing(KivDwgPreview& reader, const QByteArray& path)
{
    if (!reader.Open(path.constData())) {
        printError(QString("cannot open %1: %2").arg(shown(path), QString::fromStdString(reader.GetError())));
        return false;
    }
    if (!hasDrawingSignature(reader.GetVersionString())) {
        printError(QString("%1 is no DWG drawing: it does not start with AC and a release number").arg(shown(path)));
        return false;
    }
    return true;
}

int dwgInfo(const QByteArray& path)
{
    KivDwgPreview reader;
    if (!openDrawing(reader, path))
        return Failed;
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
        std::printf("  code %d %-8s at %10u, %8u bytes\n", e.code, entryKind(e.code), e.start, e.size);
    // The size from the picture's header: nothing is decoded to print it.
    int width = 0, height = 0;
    if (reader.ReadImageSize(&width, &height))
        std::printf("image:    %d x %d\n", width, height);
    return Ok;
}

int dwgPreview(const QCommandLineParser& parser, const QByteArray& path, const QCommandLineOption& output,
    const QCommandLineOption& size, const QCommandLineOption& autosize, const QCommandLineOption& back,
    const QCommandLineOption& imageBack, const QCommandLineOption& invert)
{
    if (!parser.isSet(output)) {
        printError("dwg preview needs -o OUT.png");
        return Failed;
    }
    int width = 0, height = 0;
    COLORREF backColor = 0, imageColor = 0;
    if (!parseSize(parser.value(size), width, height) || !checkRasterSize(width, height)
        || !parseColor(parser.value(back), "back", backColor)
        || !parseColor(parser.value(imageBack), "image-back", imageColor))
        return Failed;
    const QString out = parser.value(output);
    const QByteArray format = outputFormat(out, false);
    if (format.isEmpty())
        return Failed;
    KivDwgPreview reader;
    if (!openDrawing(reader, path))
        return Failed;
    if (!reader.HasPreviewVersion()) {
        printError(QString("%1 holds no preview picture: drawings before release 13 carry none").arg(shown(path)));
        return Failed;
    }
    const int inverted = parser.isSet(invert) ? 1 : 0;
    const QImage preview = reader.ReadImage(inverted ? 0xFFFFFF - imageColor : imageColor);
    if (preview.isNull()) {
        std::vector<KivDwgPreviewEntry> entries;
        reader.ReadEntries(nullptr, &entries);
        const bool listed
            = std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.code == 2 || e.code == 6; });
        printError(listed ? QString("the preview picture of %1 cannot be read: damaged, or more than %2 pixels")
                                .arg(shown(path))
                                .arg(KivDwgPreview::kMaxPreviewPixels)
                          : QString("%1 holds no preview picture").arg(shown(path)));
        return Failed;
    }
    QImage image(width, height, QImage::Format_RGB32);
    {
        CDC dc(&image);
        CKivDwgPreviewCtrl::Paint(
            dc, CRect(0, 0, width, height), preview, backColor, parser.isSet(autosize) ? 1 : 0, inverted);
    }
    return writeImage(out, image, format) ? Ok : Failed;
}

} // namespace

int runDwg(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
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
    const QCommandLineOption output({"o", "output"}, "The image file to write.", "OUT");
    const QCommandLineOption size("size", "Client area in pixels (default 320x240).", "WxH", "320x240");
    const QCommandLineOption autosize("autosize", "Scale the preview to the client area.");
    const QCommandLineOption back("back", "Back colour (default #000000).", "#RRGGBB", "#000000");
    const QCommandLineOption imageBack(
        "image-back", "Colour that replaces white in the preview (default #000000).", "#RRGGBB", "#000000");
    const QCommandLineOption invert("invert", "Invert both colours.");
    for (const auto* o : {&output, &size, &autosize, &back, &imageBack, &invert})
        parser.addOption(*o);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "dwg ACTION FILE [OPTIONS]", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (option || pos.size() != 1 || (sub != "info" && sub != "preview")) {
        printError("dwg takes info or preview and one drawing (see vandrel dwg --help)");
        return Failed;
    }
    const QByteArray path = utf8(pos.first());
    if (sub == "info")
        return dwgInfo(path);
    return dwgPreview(parser, path, output, size, autosize, back, imageBack, invert);
}

} // namespace cli
