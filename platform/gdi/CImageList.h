// SPDX-License-Identifier: MIT
// A list of equally sized images, added as pictures and handed out as icons.
#pragma once

#include "platform/KivGui_export.h"
#include "platform/base/Win32Types.h"

#include <QIcon>
#include <QImage>

#include <vector>

namespace vandrel::win32 {
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR32 = 0x0020;
} // namespace vandrel::win32

class KIVGUI_EXPORT CImageList {
public:
    // Images of cx × cy pixels; the flags and growth are taken as Win32's
    // and change nothing here. FALSE for a size below 1.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Index of the image, scaled to the list's size; -1 for a null image or
    // before Create.
    int Add(const QImage& image);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    // A null icon for an index out of range.
    QIcon GetIcon(int index) const;
    QImage GetImage(int index) const;

private:
    int m_cx = 0, m_cy = 0;
    std::vector<QImage> m_images;
};
