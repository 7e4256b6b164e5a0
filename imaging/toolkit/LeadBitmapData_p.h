// SPDX-License-Identifier: MIT
// What a CLeadBitmap holds, and the one adapter that turns ImageMagick's
// exceptions into toolkit statuses at every entry.
#pragma once

#include "imaging/toolkit/CLeadBitmap.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <Magick++.h>

#include <QImage>
#include <QLoggingCategory>
#include <QRegion>

#include <string>

Q_DECLARE_LOGGING_CATEGORY(lcImaging)

namespace kivlead {
// Sets the resource limits once; every entry calls it first.
void startup();
// The reason KivLeadLastError gives: what was done to which file and what
// the system said. Cleared as a call starts.
void noteFailure(const std::string& reason);
void clearFailure();
} // namespace kivlead

struct LeadBitmapData {
    // Even an empty image reads ImageMagick's policy, whose limits hold from
    // then on: the library's own must be in place before.
    struct Started {
        Started() { kivlead::startup(); }
    } started;
    Magick::Image image;
    bool allocated = false;
    bool inPlace = false; // commands change image itself, with no copy to fall back to
    int bits = 24;
    int perspective = 0;
    QRegion region;
    mutable QImage paint;
    mutable bool paintValid = false;
    mutable int paintBuilds = 0;

    // Every change of the pixels goes through here, so the paint handle is
    // made again on the next paint and never before.
    void changed()
    {
        paint = QImage();
        paintValid = false;
    }
};

namespace kivlead {

using MagickCore::Quantum;

// Status of a Magick++ exception: limits and memory, corrupt data, or failure.
int statusOf(const Magick::Exception& e);

// Runs work on a bitmap that must hold pixels, converting every exception.
template <class F> int guarded(F&& work) noexcept
{
    try {
        startup();
        clearFailure();
        return work();
    } catch (const Magick::Exception& e) {
        qCDebug(lcImaging) << e.what();
        return statusOf(e);
    } catch (const std::bad_alloc&) {
        return KIVLEAD_ERROR_NO_MEMORY;
    } catch (...) {
        return KIVLEAD_ERROR_FAILURE;
    }
}

// The pixels of a bitmap that has them; null otherwise.
inline Magick::Image* pixelsOf(CLeadBitmap* bitmap)
{
    return bitmap && bitmap->data().allocated ? &bitmap->data().image : nullptr;
}
inline const Magick::Image* pixelsOf(const CLeadBitmap* bitmap)
{
    return bitmap && bitmap->data().allocated ? &bitmap->data().image : nullptr;
}

// Stores a new image in a bitmap as its pixels.
void adopt(CLeadBitmap* bitmap, const Magick::Image& image, int bits);

// Bits per pixel the pixels hold, and a change to another count (1, 4, 8,
// 16, 24, 32); false for a count the toolkit lacks.
int bitsOf(const Magick::Image& image);
bool reduceTo(Magick::Image& image, int bits, bool dither = false);

// A COLORREF (0x00BBGGRR) as a Magick colour and back.
Magick::Color colorOf(COLORREF c);

// One value of the 8-bit scale as the library's quantum.
inline double quantumOf(double v8)
{
    return v8 * QuantumRange / 255.0;
}

} // namespace kivlead
