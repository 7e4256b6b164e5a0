// The drawing view of "View Drawing": the DWG preview control scaled to its
// window, and a centred line of text where a drawing has no preview (a DXF
// file, a drawing without one, a file that cannot be read), so that the
// dialog never shows an empty frame. It takes the two properties of the
// drawing viewer it stands in for: the file and the support folder.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "views/CKivDwgPreviewCtrl.h"

class KIVDLG_EXPORT CKivDrawingViewCtrl : public CKivDwgPreviewCtrl {
public:
    static constexpr const char* kNoPreview = "No preview image in this drawing";
    static constexpr const char* kLoading = "Loading the drawing…";

    explicit CKivDrawingViewCtrl(QWidget* parent = nullptr);
    ~CKivDrawingViewCtrl() override;

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
    COLORREF m_crViewBack = 0;
};
