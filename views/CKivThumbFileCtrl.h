// SPDX-License-Identifier: MIT
// The cell for drawing files: its image is a CKivThumbViewCtrl; a double
// click (with large view on) or the context menu's "Large View..." opens
// the file in the viewer callback, with the cell's support folder.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivThumbCtrl.h"

class CKivThumbViewCtrl;
class KivSlideShelf;

class KIVCTRL_EXPORT CKivThumbFileCtrl : public CKivThumbCtrl {
public:
    explicit CKivThumbFileCtrl(int labelState, QWidget* parent = nullptr);
    ~CKivThumbFileCtrl() override;

    void SetSupportPath(const char* path) { m_strSupportPath = path ? path : ""; }
    const char* GetSupportPath() const { return m_strSupportPath.c_str(); }
    // Where the view takes its slides from (not owned); see the view.
    void SetShelf(KivSlideShelf* shelf);
    CKivThumbViewCtrl* GetViewCtrl() const { return m_pViewCtrl; }

    void MakeControl() override;
    int UpdateControl(int labelMode) override;
    using CKivThumbCtrl::SetLabel;
    // Gives the view the item's file, then sets the caption; in mode 0
    // without text the slide's name is the caption.
    virtual void SetLabel(int mode, const char* text, int redraw);
    // Opens the file in the viewer, when there is a view and a viewer.
    void LargeView();
    void DestroyWindow() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnContextMenu(CPoint screen) override;

private:
    CKivThumbViewCtrl* m_pViewCtrl = nullptr; // also m_pImageCtrl
    KivSlideShelf* m_pShelf = nullptr;
    CString m_strSupportPath;
};
