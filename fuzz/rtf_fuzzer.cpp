// SPDX-License-Identifier: MIT
// Any bytes as the rich-text viewer reads them: as an RTF document (with the
// "{\rtf" it needs put in front when missing) and as plain text.
#include "dialogs/KivRtfReader.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivRtfReader reader;
    if (!reader.Read(data, size)) {
        std::string document = "{\\rtf1 ";
        document.append(reinterpret_cast<const char*>(data), size);
        reader.Read(reinterpret_cast<const std::uint8_t*>(document.data()), document.size());
    }
    std::size_t total = 0;
    for (const KivRtfRun& run : reader.GetRuns())
        total += run.text.size();
    // Kept, so the decoding is not optimised away.
    volatile std::size_t sink = total + KivRtfReader::DecodePlainText(data, size).size();
    (void)sink;
    return 0;
}
