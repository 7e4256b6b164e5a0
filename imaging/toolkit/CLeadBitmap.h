// SPDX-License-Identifier: MIT
// The image of the imaging library: pixels, their bits per pixel and view
// perspective, an optional region, and one paint handle: a QImage made from
// the pixels the first time it is asked for and kept until they change, so
// painting never converts the whole image again. Bitmaps are not copied by
// assignment; KivLeadCopyBitmap copies one, sharing the pixels until either
// side is changed, so a copy costs no pixel memory of its own.
#pragma once

#include "imaging/KivLeadKit_export.h"

#include <QImage>
#include <QRegion>

#include <memory>

struct LeadBitmapData;

class KIVLEADKIT_EXPORT CLeadBitmap {
public:
    CLeadBitmap();
    ~CLeadBitmap();
    CLeadBitmap(const CLeadBitmap&) = delete;
    CLeadBitmap& operator=(const CLeadBitmap&) = delete;

    // False until pixels were made, loaded or copied in.
    bool IsAllocated() const;
    int Width() const;
    int Height() const;
    int BitsPerPixel() const;
    // 0 top-left (rows run down), 2 bottom-left; 4, 5, 7 and 8 are the rotated
    // perspectives, whose displayed width and height are swapped.
    int ViewPerspective() const;
    void SetViewPerspective(int perspective);
    // Width and height as displayed: swapped for the rotated perspectives.
    int DisplayWidth() const;
    int DisplayHeight() const;

    // The paint handle: the pixels as a 32-bit image, rebuilt only after they
    // changed; a null image when there are no pixels.
    const QImage& PaintImage() const;
    // Times the paint handle was rebuilt; lets callers see that painting
    // reuses it.
    int PaintImageBuilds() const;

    bool HasRegion() const;
    // In image pixels; empty when there is none.
    const QRegion& Region() const;
    void SetRegion(const QRegion& region);
    void FreeRegion();

    // With in place set, a command changes the pixels where they are instead
    // of on a copy it falls back to when it fails: about half the memory, for
    // a caller that keeps no earlier state (the command line). A command that
    // fails halfway then leaves the pixels as they are, and a save leaves
    // them as the file's format keeps them (8 bits for a JPEG, no alpha).
    void SetChangeInPlace(bool inPlace);

    // For the library's own implementation.
    LeadBitmapData& data() { return *m_d; }
    const LeadBitmapData& data() const { return *m_d; }

private:
    std::unique_ptr<LeadBitmapData> m_d;
};
