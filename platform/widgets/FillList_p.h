// SPDX-License-Identifier: MIT
// Fills a combo or list box from a string collection, emptying it first
// when clear is 1.
#pragma once

template <class Box, class Strings> void fillList(Box& box, const Strings& strings, int clear)
{
    if (clear == 1)
        box.ResetContent();
    for (const auto& s : strings)
        box.AddString(s.c_str());
}
