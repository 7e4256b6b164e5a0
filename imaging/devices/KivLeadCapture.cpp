// SPDX-License-Identifier: MIT
// Screen capture through the Qt platform. What is captured is what the
// screen shows, so a window's area is read from the screen rather than
// from the window, as the user sees it with whatever covers it. Windows
// are this application's own: Qt knows no others, and the platforms that
// would tell us (Wayland) do not allow reading them.
#include "imaging/toolkit/KivLeadToolkit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <new>

namespace {

// Platforms that draw nowhere a capture could read, and Wayland, which
// gives no client the pixels of the screen.
bool platformCaptures()
{
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal") && name != QLatin1String("minimalegl")
        && !name.startsWith(QLatin1String("wayland"));
}

// The top-level window holding w.
QWindow* topLevel(QWindow* w)
{
    while (w && w->parent())
        w = w->parent();
    return w;
}

// area (virtual desktop coordinates) from the screen holding most of it.
int grabArea(CLeadBitmap* bitmap, const QRect& area)
{
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return KIVLEAD_ERROR_NO_CAPTURE;
    const QRect part = area & screen->geometry();
    if (part.isEmpty())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (static_cast<long long>(part.width()) * part.height() > KivLeadLimits::kMaxArea)
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    const QPoint origin = part.topLeft() - screen->geometry().topLeft();
    const QPixmap pixmap = screen->grabWindow(0, origin.x(), origin.y(), part.width(), part.height());
    if (pixmap.isNull())
        return KIVLEAD_ERROR_NO_CAPTURE;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB888);
    if (image.isNull())
        return KIVLEAD_ERROR_NO_MEMORY;
    return KivLeadFromImage(bitmap, image);
}

} // namespace

int KivLeadCaptureAvailable()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && platformCaptures() ? 1 : 0;
}

int KivLeadCaptureScreen(CLeadBitmap* bitmap, int kind, const QRect& area)
{
    if (!bitmap || kind < KIVLEAD_CAPTURE_FULLSCREEN || kind > KIVLEAD_CAPTURE_WINDOW_UNDER_CURSOR)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    try {
        auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!app || !platformCaptures())
            return KIVLEAD_ERROR_NO_CAPTURE;
        // The platform's screens are only to be read from the GUI thread.
        if (QThread::currentThread() != app->thread())
            return KIVLEAD_ERROR_FAILURE;
        switch (kind) {
        case KIVLEAD_CAPTURE_FULLSCREEN: {
            QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
            if (!screen)
                screen = QGuiApplication::primaryScreen();
            if (!screen)
                return KIVLEAD_ERROR_NO_CAPTURE;
            return grabArea(bitmap, screen->geometry());
        }
        case KIVLEAD_CAPTURE_AREA:
            if (!area.isValid() || area.isEmpty())
                return KIVLEAD_ERROR_INVALID_ARGUMENT;
            return grabArea(bitmap, area);
        case KIVLEAD_CAPTURE_ACTIVE_WINDOW:
        case KIVLEAD_CAPTURE_ACTIVE_CLIENT: {
            QWindow* window = topLevel(QGuiApplication::focusWindow());
            if (!window || !window->isVisible())
                return KIVLEAD_ERROR_INVALID_ARGUMENT;
            return grabArea(
                bitmap, kind == KIVLEAD_CAPTURE_ACTIVE_WINDOW ? window->frameGeometry() : window->geometry());
        }
        default: {
            QWindow* window = QGuiApplication::topLevelAt(QCursor::pos());
            if (!window || !window->isVisible())
                return KIVLEAD_ERROR_INVALID_ARGUMENT;
            return grabArea(bitmap, window->frameGeometry());
        }
        }
    } catch (const std::bad_alloc&) {
        return KIVLEAD_ERROR_NO_MEMORY;
    } catch (...) {
        return KIVLEAD_ERROR_FAILURE;
    }
}
