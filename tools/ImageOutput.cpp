// SPDX-License-Identifier: MIT
#include "OutputFile.h"

#include "Cli.h"
#include "Terminal.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>

// The raster side of the tool's output, apart from OutputFile.cpp so that
// commands writing text link no image code.

namespace cli {

namespace {

// The image with a palette of its own colours, exactly, when it has no
// more than 256 of them (drawings and sheets have a handful); a null image
// otherwise. Such a PNG is a quarter of the bytes to compress.
QImage exactPalette(const QImage& image)
{
    const QImage::Format format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32)
        return {};
    const QRgb opaque = format == QImage::Format_RGB32 ? 0xFF000000u : 0;
    const int width = image.width(), height = image.height();
    QList<QRgb> colours;
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QRgb last = 0;
    int lastIndex = -1;
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb c = in[x] | opaque;
            if (lastIndex < 0 || c != last) {
                lastIndex = static_cast<int>(colours.indexOf(c));
                if (lastIndex < 0) {
                    if (colours.size() == 256)
                        return {};
                    lastIndex = static_cast<int>(colours.size());
                    colours.append(c);
                }
                last = c;
            }
            out[x] = static_cast<uchar>(lastIndex);
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

} // namespace

QByteArray outputFormat(const QString& path, bool svg)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty() || suffix == "png")
        return "PNG";
    if (suffix == "jpg" || suffix == "jpeg")
        return "JPEG";
    if (suffix == "bmp")
        return "BMP";
    if (svg && suffix == "svg")
        return "SVG";
    printError(QString("cannot write .%1 files: name the output .png, .jpg, .bmp%2")
                   .arg(QString::fromStdString(escapeControls(utf8(suffix).toStdString())), svg ? " or .svg" : ""));
    return {};
}

bool checkRasterSize(int width, int height)
{
    if (static_cast<long long>(width) * height <= kMaxRasterPixels)
        return true;
    printError(QString("--size %1x%2 is too big: images hold at most %3 pixels (4096x4096)")
                   .arg(width)
                   .arg(height)
                   .arg(kMaxRasterPixels));
    return false;
}

bool writeImage(const QString& path, const QImage& image, const QByteArray& format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // A picture of a palette is written as one. Qt's default zlib level for
    // PNG takes twice as long as a fast one and saves nothing on drawings
    // (a 1024 x 768 DXF drawing: 273 ms, 958 KiB at the default, 143 ms,
    // 931 KiB at quality 70).
    const QImage palette = format == "PNG" ? exactPalette(image) : QImage();
    if (!(palette.isNull() ? image : palette).save(&buffer, format.constData(), format == "PNG" ? 70 : -1)) {
        printError(QString("cannot encode the image as %1").arg(QString::fromLatin1(format)));
        return false;
    }
    return writeOutputFile(path, bytes);
}

} // namespace cli
