// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "OutputFile.h"
#include "Terminal.h"

#include "core/CDIBitmap.h"
#include "platform/io/PathNoCase.h"

namespace cli {

int runBmp(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription("Loads and writes BMP files as the bitmap class does.\n\n"
                                     "  info FILE      width, height, bits per pixel, colours, palette\n"
                                     "  copy IN OUT    load IN and save it as OUT");
    parser.addPositionalArgument("ACTION", "info or copy");
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "bmp info FILE | bmp copy IN OUT", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (option || !((sub == "info" && pos.size() == 1) || (sub == "copy" && pos.size() == 2)))
        return usageError("bmp takes info FILE or copy IN OUT (see vandrel bmp --help)");
    const std::string path = utf8(pos.at(0)).toStdString();
    const QString shown = QString::fromStdString(escapeControls(path));
    ByteSource source;
    if (!source.openFile(ResolvePathNoCase(path.c_str()))) {
        printError(QString("cannot open %1: %2").arg(shown, QString::fromStdString(source.errorText())));
        return Failed;
    }
    CDIBitmap bitmap;
    // info reads the headers only, whatever the size of the pixels.
    if (!(sub == "copy" ? bitmap.Load(source) : bitmap.LoadHeader(source))) {
        printError(QString("cannot load %1 as a BMP").arg(shown));
        return Failed;
    }
    if (sub == "copy") {
        const std::vector<std::uint8_t> bytes = bitmap.SaveBytes();
        if (bytes.empty()) {
            printError(QString("cannot write %1: the bitmap does not fit a BMP file").arg(pos.at(1)));
            return Failed;
        }
        // An existing file of that name in another case is the one replaced.
        const QString target = QString::fromStdString(ResolvePathNoCase(utf8(pos.at(1)).constData()));
        const QByteArray data = QByteArray::fromRawData(
            reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        return writeOutputFile(target, data) ? Ok : Failed;
    }
    const BITMAPINFOHEADER& h = bitmap.GetHeaderPtr()->bmiHeader;
    std::printf("bitmap:          %s\n", escapeControls(path).c_str());
    std::printf("width:           %d\n", bitmap.GetWidth());
    std::printf("height:          %d%s\n", bitmap.GetHeight(), bitmap.GetHeight() < 0 ? " (top-down)" : "");
    std::printf("bits per pixel:  %u\n", h.biBitCount);
    std::printf("compression:     %s\n",
        h.biCompression == BI_RGB        ? "none"
            : h.biCompression == BI_RLE8 ? "RLE8"
            : h.biCompression == BI_RLE4 ? "RLE4"
                                         : "bit fields");
    std::printf("colours:         %d\n", bitmap.GetPalEntries());
    std::printf("palette:         %s\n", bitmap.GetPalette() ? "yes" : "no");
    return Ok;
}

} // namespace cli
