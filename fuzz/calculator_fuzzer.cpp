// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the parameter scan, the rewrite and the evaluator.
#include "core/KivCalculator.h"
#include "core/KivParamList.h"
#include "platform/services/MessageBox.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MessageBoxRecorder boxes; // a division by zero must not block or print
    boxes.clear();
    const std::string text(reinterpret_cast<const char*>(data), size);

    KivParamList params;
    KivGetCalcParam(text.c_str(), &params);
    for (int i = 0; KivParamData* p = params.getAt(i); ++i)
        CopyBounded(p->value, sizeof p->value, i % 2 ? "(1+2)" : "0");

    char rewritten[256];
    KivGetCalcTrans(text.c_str(), &params, rewritten);
    double result = 0;
    KivCalculator(rewritten, &result);
    KivCalculator(text.c_str(), &result);
    return 0;
}
