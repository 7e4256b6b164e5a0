// SPDX-License-Identifier: MIT
// Small images for the imaging tests, made in memory.
#pragma once

#include "imaging/toolkit/CLeadBitmap.h"
#include "support/TestSupport.h"

#include <QImage>

#include <cstdint>
#include <functional>

namespace imagingtest {

// The image encoded in format ("PNG", "JPEG", "BMP", "TIFF").
testsupport::Bytes encode(const QImage& image, const char* format);
// A PNG whose header declares width × height over one tiny compressed row.
testsupport::Bytes pngDeclaring(std::uint32_t width, std::uint32_t height);
// A BMP header declaring width × height at 24 bits over 16 bytes of pixels.
testsupport::Bytes bmpDeclaring(std::int32_t width, std::int32_t height);
// width × height of colour with the pixel at (x, y) in mark.
QImage marked(int width, int height, QRgb colour, int x, int y, QRgb mark);
// Loads bytes into bitmap; the status.
int load(const testsupport::Bytes& bytes, CLeadBitmap& bitmap);
// The pixel as 0xRRGGBB.
QRgb pixel(const CLeadBitmap& bitmap, int x, int y);
// Runs work while files can grow to at most bytes, as on a disk that fills:
// writes past the limit fail (and raise no signal). False when the limit
// could not be set (work did not run).
bool withFileSizeLimit(std::uint64_t bytes, const std::function<void()>& work);

} // namespace imagingtest
