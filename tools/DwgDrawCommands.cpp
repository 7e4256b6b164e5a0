// SPDX-License-Identifier: MIT
#include "DwgInfo.h"
#include "OutputFile.h"

#include "views/CKivDwgPreviewCtrl.h"

#include <QImage>

#include <algorithm>

namespace cli {

namespace {

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
        printError(QString("%1 holds no preview picture: drawings before release 13 carry none").arg(shownPath(path)));
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
                                .arg(shownPath(path))
                                .arg(KivDwgPreview::kMaxPreviewPixels)
                          : QString("%1 holds no preview picture").arg(shownPath(path)));
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

int runDwgDrawing(const QStringList& args)
{
    return withDwgArguments(args,
        [](const QCommandLineParser& parser, const DwgOptions& options, const QString& sub, const QByteArray& path) {
            if (sub == "info") {
                KivDwgPreview reader;
                return dwgInfo(reader, path, parser.isSet(options.json));
            }
            return dwgPreview(parser, path, options.output, options.size, options.autosize, options.back,
                options.imageBack, options.invert);
        });
}

} // namespace cli
