// SPDX-License-Identifier: MIT
#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QSize SizeOnScreen(const QWidget* window, QSize wanted)
{
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    return wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
}
