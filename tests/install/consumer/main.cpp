// SPDX-License-Identifier: MIT
#include "core/KivCalculator.h"
#include "core/KivParamList.h"
#include "database/KivFieldList.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <cstdio>

int hostNames();
int win32Names();

int main()
{
    if (hostNames() != 0 || win32Names() != 0)
        return 1;
    // The libraries found only as components of their own link and work.
    if (KivLeadFormatFromName("x.png") != KIVLEAD_FORMAT_PNG || KivFieldList::getType("INTEGER") <= 0)
        return 1;
    KivParamList params;
    KivGetCalcParam("W*3^2", &params);
    if (params.getCount() != 1)
        return 1;
    params.removeData();
    params.addParam("W", "2");
    char expression[256];
    KivGetCalcTrans("W*3^2", &params, expression);
    double result = 0;
    if (!KivCalculator(expression, &result))
        return 1;
    std::printf("%g\n", result);
    return 0;
}
