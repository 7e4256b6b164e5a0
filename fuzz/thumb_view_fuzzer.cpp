// SPDX-License-Identifier: MIT
// Any bytes as a thumbnail cell draws them: as a slide drawn from memory into
// a small picture, and as the date text that sorting by date parses back.
#include "controls/KivThumbList.h"
#include "views/CKivThumbViewCtrl.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    QImage image(48, 32, QImage::Format_RGB32);
    {
        CDC dc(&image);
        KivSlideDraw slide;
        CKivThumbViewCtrl::Paint(dc, CRect(0, 0, 48, 32), 1, &slide, "fuzz.sld", &bytes, QImage(), 0, 0, size % 2);
    }
    KivThumbItem a, b;
    const std::string text(reinterpret_cast<const char*>(data), size);
    CopyBounded(a.date, sizeof a.date, text.c_str());
    CopyBounded(b.date, sizeof b.date, text.substr(size / 2).c_str());
    return KivThumbList::sortItem(&a, &b, 3, 0) + 2 > 4;
}
