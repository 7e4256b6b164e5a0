// SPDX-License-Identifier: MIT
// GDI's mapping from logical to device coordinates: MM_TEXT (one unit a
// pixel), MM_ISOTROPIC (the viewport extent of the axis with the larger
// scale shrinks so a unit is as long in x as in y) and MM_ANISOTROPIC.
// Device contexts and the pixel rasters that stand in for them share it, so
// a slide lands on the same pixels whichever of them draws it.
#pragma once

#include "platform/KivPlatform_export.h"

#include "platform/base/Geometry.h"

namespace vandrel::win32 {

constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

} // namespace vandrel::win32

class KIVPLATFORM_EXPORT LogicalMapping {
public:
    // MM_TEXT resets the extents; each gives back what it replaced.
    int SetMapMode(int mode);
    // A zero extent is refused, as GDI refuses it.
    CSize SetWindowExt(int x, int y);
    CSize SetViewportExt(int x, int y);
    CPoint SetViewportOrg(int x, int y);

    int GetMapMode() const { return m_mode; }
    CSize GetWindowExt() const { return m_windowExt; }
    CSize GetViewportExt() const { return m_viewportExt; }
    // Device pixels per logical unit along x.
    double ScaleX() const;

    // Rounded to the nearest pixel, halves upward, as GDI rounds.
    CPoint ToDevice(int x, int y) const;

private:
    void fixIsotropic();

    int m_mode = vandrel::win32::MM_TEXT;
    CSize m_windowExt {1, 1};
    CSize m_viewportExt {1, 1};
    CPoint m_viewportOrg;
};
