// SPDX-License-Identifier: MIT
// The clipboard: images in, images out.
#include "imaging/toolkit/KivLeadToolkit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

int KivLeadClipboardReady()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage() ? 1 : 0;
}

int KivLeadPaste(CLeadBitmap* bitmap)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!KivLeadClipboardReady())
        return KIVLEAD_ERROR_NO_CLIPBOARD_IMAGE;
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return KIVLEAD_ERROR_NO_CLIPBOARD_IMAGE;
    return KivLeadFromImage(bitmap, image);
}

int KivLeadCopyToClipboard(const CLeadBitmap* bitmap)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!bitmap->IsAllocated())
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return KIVLEAD_ERROR_FAILURE;
    QGuiApplication::clipboard()->setImage(bitmap->PaintImage());
    return KIVLEAD_SUCCESS;
}
