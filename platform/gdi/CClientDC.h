// SPDX-License-Identifier: MIT
// A device context on a window outside its paint: what it draws lies over the
// window and its children, on an overlay that keeps the drawing until it is
// drawn away again. Drawn in R2_NOT or R2_XORPEN it inverts or xors what the
// window shows, so a line drawn twice vanishes, as a GDI ghost line does; in
// R2_COPYPEN it only marks the overlay, which shows nothing of its own.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/gdi/CDC.h"

class KIVGUI_EXPORT CClientDC : public CDC {
public:
    explicit CClientDC(QWidget* window);
    ~CClientDC() override;

    // The overlay's pixels, black where nothing is drawn: what the contexts
    // drew on window so far. Null when none ever drew on it.
    static const QImage* Overlay(const QWidget* window);

private:
    class Layer;
    Layer* m_layer = nullptr;
};
