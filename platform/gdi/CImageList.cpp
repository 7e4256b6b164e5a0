// SPDX-License-Identifier: MIT
#include "platform/gdi/CImageList.h"

#include <QPixmap>

BOOL CImageList::Create(int cx, int cy, UINT, int, int)
{
    if (cx < 1 || cy < 1)
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    m_images.clear();
    return TRUE;
}

int CImageList::Add(const QImage& image)
{
    if (image.isNull() || m_cx < 1)
        return -1;
    m_images.push_back(image.size() == QSize(m_cx, m_cy)
            ? image
            : image.scaled(m_cx, m_cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return GetImageCount() - 1;
}

QImage CImageList::GetImage(int index) const
{
    return index >= 0 && index < GetImageCount() ? m_images[static_cast<std::size_t>(index)] : QImage();
}

QIcon CImageList::GetIcon(int index) const
{
    const QImage image = GetImage(index);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}
