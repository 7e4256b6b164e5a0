// SPDX-License-Identifier: MIT
// What the toolkit's pixel operations share: running a change on a bitmap's
// pixels (inside its region only, undone by a throw) and 8-bit exports.
#pragma once

#include "imaging/toolkit/LeadBitmapData_p.h"

#include <cstring>
#include <vector>

namespace kivlead {

Magick::Image insideRegion(const Magick::Image& before, const Magick::Image& after, const QRegion& region);

// Runs change on the pixels of bitmap, which must have them; marks the
// paint handle stale after it changed them.
template <class F> int process(CLeadBitmap* bitmap, F&& change)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!bitmap->data().allocated)
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    return guarded([&] {
        LeadBitmapData& d = bitmap->data();
        // Work on a copy that shares the pixels: a throw halfway leaves the
        // bitmap as it was, and a copy made for undo is never written. In
        // place, the bitmap lets go of its pixels meanwhile, so the change
        // finds them unshared and makes no copy; they come back whatever
        // happens.
        Magick::Image work = d.image;
        const bool inPlace = d.inPlace && d.region.isEmpty();
        struct GiveBack {
            LeadBitmapData& d;
            Magick::Image& work;
            bool active;
            ~GiveBack()
            {
                if (active)
                    d.image = work;
            }
        } giveBack {d, work, inPlace};
        if (inPlace)
            d.image = Magick::Image();
        const int status = change(work);
        if (status == KIVLEAD_SUCCESS) {
            work.page(Magick::Geometry(0, 0));
            if (!d.region.isEmpty() && work.columns() == d.image.columns() && work.rows() == d.image.rows())
                work = insideRegion(d.image, work, d.region);
            d.image = work;
            d.changed();
        }
        return status;
    });
}

// The pixels at 8 bits, one byte per entry of map ("RGB", "I" …).
std::vector<unsigned char> exportBytes(Magick::Image image, const char* map);
Magick::Image importBytes(size_t width, size_t height, const char* map, const std::vector<unsigned char>& bytes);
COLORREF colorRefOf(const Magick::Color& c);

} // namespace kivlead
