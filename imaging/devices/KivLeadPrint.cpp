// SPDX-License-Identifier: MIT
// Printing one page, to the default printer or to a PDF file.
#include "imaging/devices/KivLeadDevices.h"

#include "platform/io/AtomicFile.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

void drawFitted(QPainter& painter, const QImage& image, const QRect& area)
{
    QSize size = image.size().scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.topLeft(), size);
    painter.drawImage(target, image);
}

} // namespace

int KivLeadPrint(const CLeadBitmap* bitmap, const char* pdfFile)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!bitmap->IsAllocated())
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    const QImage& image = bitmap->PaintImage();
    if (image.isNull())
        return KIVLEAD_ERROR_NO_MEMORY;
    if (pdfFile && *pdfFile) {
        // The document is made in memory and replaces the file in one rename.
        QByteArray bytes;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setResolution(150);
            QPainter painter(&writer);
            if (!painter.isActive())
                return KIVLEAD_ERROR_FILE_WRITE;
            drawFitted(painter, image, painter.viewport());
        }
        AtomicFile file(pdfFile);
        if (!file.open() || !file.write(bytes.constData(), static_cast<std::size_t>(bytes.size())) || !file.commit())
            return KIVLEAD_ERROR_FILE_WRITE;
        return KIVLEAD_SUCCESS;
    }
    if (QPrinterInfo::defaultPrinter().isNull())
        return KIVLEAD_ERROR_NO_PRINTER;
    QPrinter printer(QPrinterInfo::defaultPrinter());
    QPainter painter(&printer);
    if (!painter.isActive())
        return KIVLEAD_ERROR_NO_PRINTER;
    drawFitted(painter, image, painter.viewport());
    return KIVLEAD_SUCCESS;
}
