// Any bytes as a BMP file: load, draw both ways, save.
#include "core/CDIBitmap.h"

#include <QImage>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/vandrel-bmp-fuzz-" + std::to_string(::getpid()) + ".bmp";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    CDIBitmap bitmap;
    if (bitmap.Load(path)) {
        QImage image(32, 32, QImage::Format_RGB32);
        CDC dc(&image);
        bitmap.DrawDIB(&dc, 0, 0, 32, 32);
        CRect target(0, 0, 16, 16), source(0, 0, 16, 16);
        bitmap.DrawDIB(&dc, target, source);
        bitmap.Save(path);
    }
    std::remove(path.c_str());
    return 0;
}
