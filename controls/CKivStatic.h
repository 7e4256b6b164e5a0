// SPDX-License-Identifier: MIT
// The static child window most custom controls derive from: an invert flag
// and messages and command notifications posted to the parent. Every
// WM_COMMAND it posts also comes as the notified signal with its code, so a
// Qt host can connect() to the control.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/widgets/CStatic.h"

class KIVCTRL_EXPORT CKivStatic : public CStatic {
public:
    // The notification a double click posts: 5, as the original controls sent.
    static constexpr UINT kDoubleClickCode = 5;

    explicit CKivStatic(QWidget* parent = nullptr);
    ~CKivStatic() override;

    virtual void SetInvert(int invert, int redraw);
    int GetInvert() const { return m_bInvert; }

    // Nothing is posted without a parent; the signal comes all the same.
    void PostMessageToParent(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND with the identifier (low word) and code (high word); lParam,
    // or this window when lParam is 0.
    void PostNotifyToParent(UINT code, LPARAM lParam);

protected:
    void OnLButtonDblClk(UINT flags, CPoint point) override;

    int m_bInvert = 0;
};
