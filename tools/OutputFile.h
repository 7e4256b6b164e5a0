// SPDX-License-Identifier: MIT
// Files the vandrel tool writes: through a temporary file beside the target
// and a rename, so a failed write leaves the old file as it was, and in the
// format the name's extension asks for.
#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace cli {

// The most pixels of a raster image the tool draws (4096 × 4096, 64 MiB).
constexpr long long kMaxRasterPixels = 4096LL * 4096;

// Writes bytes to path; on failure prints "cannot write PATH: REASON" with
// the system's reason and gives false.
bool writeOutputFile(const QString& path, const QByteArray& bytes);
// Prints "cannot write PATH: REASON" for the errno value error.
void printWriteError(const QString& path, int error);

// The rest is in ImageOutput.cpp.

// The format an output name asks for by its extension: "PNG", "JPEG", "BMP"
// or "SVG" (when svg is allowed); PNG without an extension. Prints the error
// and gives an empty array for any other extension.
QByteArray outputFormat(const QString& path, bool svg);

// Prints the error and gives false when width × height passes the cap.
bool checkRasterSize(int width, int height);

// Encodes image in format and writes it as writeOutputFile does.
bool writeImage(const QString& path, const QImage& image, const QByteArray& format);

} // namespace cli
