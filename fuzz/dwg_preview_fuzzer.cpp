// SPDX-License-Identifier: MIT
// Any bytes as a DWG drawing: version, preview section, bitmap or PNG.
#include "cad/KivDwgPreview.h"
#include "views/CKivDwgPreviewCtrl.h"

#include <QImage>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivDwgPreview reader;
    reader.OpenBytes(data, size);
    std::vector<KivDwgPreviewEntry> entries;
    reader.ReadEntries(nullptr, &entries);
    int width = 0, height = 0;
    reader.ReadImageSize(&width, &height);
    const QImage preview = reader.ReadImage(0xFF0000);
    QImage image(64, 48, QImage::Format_RGB32);
    {
        CDC dc(&image);
        CKivDwgPreviewCtrl::Paint(dc, CRect(0, 0, 64, 48), preview, 0x00FF00, static_cast<int>(size % 2), 0);
        reader.DrawPreview(nullptr, &dc, 0xFF0000, 0, 1);
    }
    return 0;
}
