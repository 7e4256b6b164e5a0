// An up-down control standing alone: its arrows report a delta
// (UDN_DELTAPOS) that OnDeltaPos receives, reflected, before the parent.
#pragma once

#include "platform/CWnd.h"

struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    int code;
};

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

class KIVPLATFORM_EXPORT CSpinButtonCtrl : public CWnd {
public:
    explicit CSpinButtonCtrl(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    // The default range runs from 100 down to 0, so the up arrow lowers the
    // position (a delta of -1), as with Win32's up-down control.
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    int SetPos32(int pos);
    int GetPos32() const { return m_pos; }
    // What a click of an arrow does; up is the upper arrow.
    void Click(bool up);

protected:
    // The reflected notification: nonzero keeps the position unchanged.
    virtual LRESULT OnDeltaPos(NMUPDOWN* notification);
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_lower = 100;
    int m_upper = 0;
    int m_pos = 0;
    QWidget* m_up;
    QWidget* m_down;
};
