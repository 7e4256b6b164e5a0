// SPDX-License-Identifier: MIT
// A dialog painted on a bitmap: stretched (mode 1), centred (mode 2) or
// tiled (any other mode), with its buttons and labels drawn transparently
// over it. Qt draws in true colour, so the bitmap's palette needs no
// realising: those handlers are kept and change nothing.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivDialog.h"
#include "core/CDIBitmap.h"

class KIVCTRL_EXPORT CKivSkinDlg : public CKivDialog {
public:
    enum DrawMode { Tile = 0, Stretch = 1, Centre = 2 };

    // How a control over the skin is coloured: as the platform does, with
    // the hollow brush, or with the hollow brush and transparent text.
    enum class ControlColor { Platform, Hollow, HollowTransparentText };

    explicit CKivSkinDlg(UINT templateId = 0, QWidget* parent = nullptr);
    ~CKivSkinDlg() override;

    void SetSkinPath(const char* path) { m_strSkinPath = path ? path : ""; }
    int SetBitmap(UINT resourceId, int mode);
    // The file as named, else the same name in the skin path.
    int SetBitmap(const char* file, int mode);
    int IsLoaded() const { return m_bLoaded; }
    CDIBitmap& GetSkin() { return m_skin; }

    // The colour a control asking with WM_CTLCOLORBTN (button) or
    // WM_CTLCOLORSTATIC gets over a loaded skin.
    static ControlColor ColorFor(bool buttonMessage, const char* windowClass, int id);

    BOOL OnQueryNewPalette();
    void OnPaletteChanged(QWidget* changer);

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    CDIBitmap m_skin;
    CString m_strSkinPath;
    int m_nDrawMode = Tile;
    int m_bLoaded = 0;
};
