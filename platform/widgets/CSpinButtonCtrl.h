// SPDX-License-Identifier: MIT
// An up-down control standing alone: its arrows report a delta
// (UDN_DELTAPOS) that OnDeltaPos receives, reflected, before the parent.
// Its range runs from 100 down to 0, as a Win32 up-down control's does by
// default, so the up arrow lowers the position (a delta of -1).
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

class KIVGUI_EXPORT CSpinButtonCtrl : public WidgetWnd<QWidget> {
public:
    explicit CSpinButtonCtrl(QWidget* parent = nullptr);

protected:
    // The reflected notification: nonzero keeps the position unchanged. The
    // default sends WM_NOTIFY to the parent and gives its answer.
    virtual LRESULT OnDeltaPos(NMUPDOWN* notification);

private:
    void click(bool up);

    int m_pos = 0;
};
