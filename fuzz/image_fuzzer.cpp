// SPDX-License-Identifier: MIT
// Any bytes as an image file: information, then each of the first two pages
// loaded and painted, the way the image view reads what a user opens.
#include "imaging/toolkit/KivLeadToolkit.h"

#include <QImage>
#include <QPainter>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivLeadFileInfo info;
    KivLeadGetMemoryInfo(data, size, &info);
    for (int page = 1; page <= 2; ++page) {
        CLeadBitmap bitmap;
        if (KivLeadLoadMemory(data, size, &bitmap, 0, page) != KIVLEAD_SUCCESS)
            break;
        QImage surface(16, 16, QImage::Format_RGB32);
        QPainter painter(&surface);
        KivLeadPaint(&painter, &bitmap, QRect(0, 0, bitmap.Width(), bitmap.Height()), QRect(0, 0, 16, 16));
    }
    return 0;
}
