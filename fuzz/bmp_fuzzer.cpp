// SPDX-License-Identifier: MIT
// Any bytes as a BMP file: load (whole and headers only), draw both ways,
// save in memory.
#include "core/CDIBitmap.h"

#include <QImage>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ByteSource source = ByteSource::fromMemory(data, size);
    CDIBitmap header;
    header.LoadHeader(source);
    CDIBitmap bitmap;
    if (bitmap.Load(source)) {
        QImage image(32, 32, QImage::Format_RGB32);
        CDC dc(&image);
        bitmap.DrawDIB(&dc, 0, 0, 32, 32);
        CRect target(0, 0, 16, 16), from(0, 0, 16, 16);
        bitmap.DrawDIB(&dc, target, from);
        bitmap.SaveBytes();
    }
    return 0;
}
