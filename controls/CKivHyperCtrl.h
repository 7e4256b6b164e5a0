// SPDX-License-Identifier: MIT
// A hyperlink: blue underlined text that opens its address with the
// desktop's handler when clicked, with the address as its tooltip and the
// pointing-hand cursor.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivStatic.h"
#include "platform/widgets/CToolTipCtrl.h"

#include <QCursor>
#include <QFont>

class KIVCTRL_EXPORT CKivHyperCtrl : public CKivStatic {
public:
    static constexpr UINT_PTR kToolId = 1025;

    explicit CKivHyperCtrl(QWidget* parent = nullptr);
    BOOL Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id = 0xFFFF);
    using CWnd::Create;

    void SetURL(const char* url);
    const CString& GetURL() const { return m_strURL; }
    // The shell's "open" of url: above 32 when started, as ShellExecute.
    static LRESULT GotoURL(const char* url, int showCommand);
    // 1 when the link opened; otherwise an exclamation beep and 0.
    int GotoLink();
    void SetUnderline(int underline);
    // Fits the window to its text, keeping the text's alignment in place.
    void ResizeWindow();
    static void SetDefaultCursor();
    CString GetToolTipText() const { return m_toolTip.GetText(const_cast<CKivHyperCtrl*>(this), kToolId); }

protected:
    void PreSubclassWindow();
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    CToolTipCtrl m_toolTip;
    QFont m_linkFont;
    CString m_strURL;
    static QCursor* s_linkCursor;
};
