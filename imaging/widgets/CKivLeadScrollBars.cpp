// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadScrollBars.h"

#include "imaging/widgets/CKivLeadViewCtrl.h"

#include <QEvent>
#include <QGridLayout>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

namespace {

// Display pixels one notch of the wheel (or an arrow of a bar) moves.
constexpr int kLine = 16;

} // namespace

CKivLeadScrollBars::CKivLeadScrollBars(CKivLeadViewCtrl* view, QWidget* parent)
    : QWidget(parent), m_view(view), m_horizontal(new QScrollBar(Qt::Horizontal)),
      m_vertical(new QScrollBar(Qt::Vertical))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(view, 0, 0);
    grid->addWidget(m_vertical, 0, 1);
    grid->addWidget(m_horizontal, 1, 0);
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        bar->setSingleStep(kLine);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this,
            [this] { m_view->ScrollToPosition(CPoint(m_horizontal->value(), m_vertical->value())); });
    }
    view->installEventFilter(this);
}

void CKivLeadScrollBars::sync()
{
    m_syncPending = false;
    const CSize limit = m_view->GetScrollLimit();
    const CPoint at = m_view->GetScrollPosition();
    const auto place = [](QScrollBar* bar, int limit, int at, int page) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, limit);
        bar->setPageStep(std::max(1, page));
        bar->setValue(at);
        bar->setVisible(limit > 0);
    };
    place(m_horizontal, limit.cx, at.x, m_view->width());
    place(m_vertical, limit.cy, at.y, m_view->height());
    if (m_changed)
        m_changed();
}

bool CKivLeadScrollBars::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_view)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
    case QEvent::Resize:
        // Read once the paint is over: a bar that shows or hides resizes
        // the view, which must not happen while it paints.
        if (!m_syncPending) {
            m_syncPending = true;
            QTimer::singleShot(0, this, [this] { sync(); });
        }
        break;
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint notches = wheel->angleDelta() / 120;
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (m_zoom && notches.y() != 0)
                m_zoom(notches.y() > 0 ? 1 : -1);
        } else {
            const CPoint at = m_view->GetScrollPosition();
            const QPoint step = notches * (3 * kLine);
            if (wheel->modifiers() & Qt::ShiftModifier)
                m_view->ScrollToPosition(CPoint(at.x - step.y(), at.y));
            else
                m_view->ScrollToPosition(CPoint(at.x - step.x(), at.y - step.y()));
        }
        wheel->accept();
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}
