// SPDX-License-Identifier: MIT
// Scroll bars beside an image view: they show which part of a picture
// larger than the window is in view, and move it. The bars follow whatever
// else moves the picture (keys, the pan tool, a zoom), looked up after the
// view paints; the wheel scrolls, and with Ctrl it zooms through the host's
// zoom.
#pragma once

#include "imaging/KivLead_export.h"

#include <QWidget>

#include <functional>

class CKivLeadViewCtrl;
class QScrollBar;

class KIVLEAD_EXPORT CKivLeadScrollBars : public QWidget {
public:
    // Takes view into this widget, beside the bars.
    explicit CKivLeadScrollBars(CKivLeadViewCtrl* view, QWidget* parent = nullptr);

    QScrollBar* horizontal() const { return m_horizontal; }
    QScrollBar* vertical() const { return m_vertical; }
    // Ctrl and the wheel call zoom with +1 (away from the user) or -1.
    void setZoom(std::function<void(int)> zoom) { m_zoom = std::move(zoom); }
    // Called after each sync: what the view shows may have changed (its
    // zoom, its page, the part in view).
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }
    // The bars from the view's scroll limit and position now.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CKivLeadViewCtrl* m_view;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
    std::function<void(int)> m_zoom;
    std::function<void()> m_changed;
    bool m_syncPending = false;
};
