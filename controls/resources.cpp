// SPDX-License-Identifier: MIT
#include "controls/resources.h"

#include <QPainter>

namespace {

// Icon 1000: a drafting triangle on a blue tile.
QImage dialogIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1E, 0x5A, 0xA8));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(1, 1, 30, 30, 6, 6);
    p.setBrush(Qt::white);
    const QPointF triangle[3] = {{7, 25}, {25, 25}, {7, 7}};
    p.drawPolygon(triangle, 3);
    p.setBrush(QColor(0x1E, 0x5A, 0xA8));
    const QPointF hole[3] = {{11, 21}, {17, 21}, {11, 15}};
    p.drawPolygon(hole, 3);
    return image;
}

// Icons 2016 and 2017: an outlined triangle, pointing up or down, 8 × 16.
QImage sortArrow(bool up)
{
    QImage image(8, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::NoBrush);
    const QPoint upward[3] = {{0, 10}, {7, 10}, {3, 5}};
    const QPoint downward[3] = {{0, 5}, {7, 5}, {3, 10}};
    p.drawPolygon(up ? upward : downward, 3);
    return image;
}

} // namespace

HINSTANCE KivCtrlResources()
{
    static ResourceModule module = [] {
        ResourceModule m("KivCtrl");
        m.addIcon(1000, dialogIcon());
        m.addIcon(2016, sortArrow(true));
        m.addIcon(2017, sortArrow(false));
        return m;
    }();
    return &module;
}
