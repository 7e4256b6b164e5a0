// SPDX-License-Identifier: MIT
// The cell of the image browser: its image is a CKivLeadViewCtrl showing the
// cached thumbnail of the item's file (the file itself when there is no
// cache or no thumbnail can be had). A double click with large view on
// hands the file and its description to the viewer; the context menu's
// commands go to the owner of the list.
#pragma once

#include "controls/CKivThumbCtrl.h"
#include "imaging/KivLead_export.h"

class CKivLeadViewCtrl;
class KivLeadThumbMgr;

class KIVLEAD_EXPORT CKivLeadThumbCtrl : public CKivThumbCtrl {
public:
    explicit CKivLeadThumbCtrl(int labelState, QWidget* parent = nullptr);
    ~CKivLeadThumbCtrl() override;

    // The list's cache (not owned); null loads the files themselves.
    void SetThumbMgr(KivLeadThumbMgr* mgr) { m_pThumbMgr = mgr; }
    CKivLeadViewCtrl* GetViewCtrl() const { return m_pViewCtrl; }

    void MakeControl() override;
    int UpdateControl(int labelMode) override;
    using CKivThumbCtrl::SetLabel;
    // Loads the view with the cached name of the item's file, centred and
    // fitted, redrawn at once when redraw is 1; then sets the caption.
    virtual void SetLabel(int mode, const char* text, int redraw);
    void DestroyWindow() override;
    void OnImageLarge();

protected:
    CString GetCacheName(const char* file);
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnContextMenu(CPoint screen) override;

private:
    KivLeadThumbMgr* m_pThumbMgr = nullptr;
    CKivLeadViewCtrl* m_pViewCtrl = nullptr; // also m_pImageCtrl
};
