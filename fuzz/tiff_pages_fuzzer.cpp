// SPDX-License-Identifier: MIT
// Any bytes as a multi-page file on disk: the page list, the first pages
// loaded, then a page replaced and one deleted, so the directory copier
// that streams untouched pages meets damaged directories too.
#include "imaging/toolkit/KivLeadToolkit.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string file
        = (std::filesystem::temp_directory_path() / ("tiff-pages-fuzz-" + std::to_string(::getpid()) + ".tif"))
              .string();
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    std::vector<KivLeadFileInfo> pages;
    KivLeadGetPagesInfo(file.c_str(), &pages);
    for (int page = 1; page <= 3; ++page) {
        CLeadBitmap bitmap;
        if (KivLeadLoadFile(file.c_str(), &bitmap, 0, page) != KIVLEAD_SUCCESS)
            break;
    }
    CLeadBitmap small;
    if (KivLeadCreateBitmap(&small, 3, 2, 24, 0x00FF00) == KIVLEAD_SUCCESS)
        KivLeadSaveFile(file.c_str(), &small, KIVLEAD_FORMAT_TIFF, 0, 0, 1, KIVLEAD_SAVE_REPLACE);
    KivLeadDeletePage(file.c_str(), 2);
    std::remove(file.c_str());
    return 0;
}
