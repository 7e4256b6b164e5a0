#include "Cli.h"

#include "core/CDIBitmap.h"

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
    if (option || !((sub == "info" && pos.size() == 1) || (sub == "copy" && pos.size() == 2))) {
        printError("bmp takes info FILE or copy IN OUT (see vandrel bmp --help)");
        return Failed;
    }
    CDIBitmap bitmap;
    if (!bitmap.Load(utf8(pos.at(0)).toStdString())) {
        printError(QString("cannot load %1 as a BMP").arg(pos.at(0)));
        return Failed;
    }
    if (sub == "copy") {
        if (!bitmap.Save(utf8(pos.at(1)).toStdString())) {
            printError(QString("cannot write %1").arg(pos.at(1)));
            return Failed;
        }
        return Ok;
    }
    const BITMAPINFOHEADER& h = bitmap.GetHeaderPtr()->bmiHeader;
    std::printf("bitmap:          %s\n", utf8(pos.at(0)).constData());
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
