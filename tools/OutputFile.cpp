#include "OutputFile.h"

#include "Cli.h"
#include "Terminal.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace cli {

namespace {

void printWriteError(const QString& path, int error)
{
    printError(QString("cannot write %1: %2")
                   .arg(QString::fromStdString(escapeControls(utf8(path).toStdString())),
                       QString::fromLocal8Bit(std::strerror(error ? error : EIO))));
}

} // namespace

bool writeOutputFile(const QString& path, const QByteArray& bytes)
{
    AtomicFile out(utf8(path).toStdString());
    errno = 0;
    if (!out.open() || !out.write(bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        const int error = errno;
        out.discard();
        printWriteError(path, error);
        return false;
    }
    if (!out.commit()) {
        printWriteError(path, errno);
        return false;
    }
    return true;
}

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
    if (!image.save(&buffer, format.constData())) {
        printError(QString("cannot encode the image as %1").arg(QString::fromLatin1(format)));
        return false;
    }
    return writeOutputFile(path, bytes);
}

} // namespace cli
