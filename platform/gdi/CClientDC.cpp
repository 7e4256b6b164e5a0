// SPDX-License-Identifier: MIT
#include "platform/gdi/CClientDC.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

// The overlay: a child over the whole window that lets the mouse through and
// xors its image onto what is painted below it. Black pixels change nothing.
class CClientDC::Layer : public QWidget {
public:
    explicit Layer(QWidget* window) : QWidget(window)
    {
        setObjectName(QStringLiteral("vandrel-client-dc-overlay"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        fit();
    }

    void fit()
    {
        const QSize size = parentWidget()->size();
        if (image.size() != size) {
            image = QImage(size, QImage::Format_RGB32);
            image.fill(Qt::black);
        }
        setGeometry(QRect(QPoint(0, 0), size));
        raise();
    }

    bool blank() const
    {
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) != 0)
                    return false;
        }
        return true;
    }

    QImage image;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawImage(event->rect(), image, event->rect());
    }
};

namespace {
// Layer has no meta-object of its own, so qobject_cast cannot tell it apart.
template <class T> T* layerOf(const QWidget* window)
{
    if (window)
        for (QObject* child : window->children())
            if (auto* layer = dynamic_cast<T*>(child))
                return layer;
    return nullptr;
}
} // namespace

CClientDC::CClientDC(QWidget* window)
{
    if (!window)
        return;
    m_layer = layerOf<Layer>(window);
    if (!m_layer)
        m_layer = new Layer(window);
    m_layer->fit();
    begin(&m_layer->image);
}

CClientDC::~CClientDC()
{
    end();
    if (!m_layer)
        return;
    m_layer->setVisible(!m_layer->blank());
    m_layer->update();
}

const QImage* CClientDC::Overlay(const QWidget* window)
{
    const Layer* layer = layerOf<Layer>(window);
    return layer ? &layer->image : nullptr;
}
