// Any bytes as a DWG drawing: version, preview section, bitmap or PNG.
#include "cad/KivDwgPreview.h"

#include <QImage>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivDwgPreview reader;
    reader.OpenBytes(data, size);
    std::vector<KivDwgPreviewEntry> entries;
    reader.ReadEntries(nullptr, &entries);
    QImage image(64, 48, QImage::Format_RGB32);
    {
        CDC dc(&image);
        reader.DrawPreview(nullptr, &dc, 0xFF0000, 0, size % 2);
    }
    return 0;
}
