// SPDX-License-Identifier: MIT
// The drawing view of "View Drawing": the DWG preview control scaled to its
// window, a DXF drawing itself fitted to it, and a centred line of text
// where there is nothing to show (a DWG without a preview, a file that
// cannot be read), so that the dialog never shows an empty frame. It takes the two properties of the
// drawing viewer it stands in for: the file and the support folder.
#pragma once

#include "cad/KivDxfDraw.h"
#include "dialogs/KivDlg_export.h"
#include "views/CKivDwgPreviewCtrl.h"

#include <memory>

class KIVDLG_EXPORT CKivDrawingViewCtrl : public CKivDwgPreviewCtrl {
public:
    static constexpr const char* kNoPreview = "No preview image in this drawing";
    static constexpr const char* kLoading = "Loading the drawing…";
    static constexpr const char* kNoDrawing = "This drawing cannot be read";
    static constexpr const char* kEmpty = "Nothing is drawn in this drawing";

    explicit CKivDrawingViewCtrl(QWidget* parent = nullptr);
    ~CKivDrawingViewCtrl() override;

    // A DXF file is read and its scene built here, never in a paint; any
    // other goes to the preview control.
    void SetFile(const char* path);
    bool IsDxf() const { return m_isDxf; }

    // The folder of fonts and support files; kept for the drawing, which
    // the preview does not need.
    void SetSupportPath(const char* path) { m_strSupportPath = path ? path : ""; }
    const char* GetSupportPath() const { return m_strSupportPath.c_str(); }
    // The back colour of the view and the colour white in the preview takes.
    void SetColors(COLORREF back, COLORREF imageBack);
    // What the centred line says now; empty while a preview shows.
    const char* GetNotice() const;

protected:
    void OnPaint() override;

private:
    CString m_strSupportPath;
    bool m_isDxf = false;
    std::unique_ptr<KivDxfDraw> m_dxf; // null when the DXF file could not be read
    COLORREF m_crViewBack = 0;
};
