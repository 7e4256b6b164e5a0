// SPDX-License-Identifier: MIT
// A child control showing one slide (a file or library(slide)) on a back
// colour, optionally inverted, that passes mouse clicks to its parent as
// posted messages: the control in wParam, the client point in lParam.
#pragma once

#include "core/KivCtrl_export.h"

#include "cad/KivSlideDraw.h"
#include "controls/CKivStatic.h"

class KIVCTRL_EXPORT CKivSlideViewCtrl : public CKivStatic {
public:
    explicit CKivSlideViewCtrl(QWidget* parent = nullptr);
    ~CKivSlideViewCtrl() override;

    void SetFile(const char* reference, int redraw);
    const char* GetFileName() const { return m_strFile.c_str(); }
    const char* GetLibraryName() const { return m_slide.GetLibraryName(); }
    const char* GetSlideName() const { return m_slide.GetSlideName(); }
    void SetBackColor(COLORREF colour, int redraw);
    COLORREF GetBackColor() const { return m_crBack; }
    void SetInvert(int invert, int redraw) override;

protected:
    using CKivStatic::PostMessageToParent;
    void PostMessageToParent(UINT message, LPARAM value);
    void PostMessageToParent(UINT message, CPoint point);

    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDblClk(UINT flags, CPoint point) override;

private:
    void repaint(int redraw);

    KivSlideDraw m_slide;
    CString m_strFile;
    COLORREF m_crBack = 0;
};
