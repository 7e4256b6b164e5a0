// A child control showing the preview of one drawing (a path or an http(s)
// address) on a back colour; white in the preview takes the image back
// colour. The drawing is read anew at every paint.
#pragma once

#include "cad/KivDwgPreview.h"
#include "controls/CKivStatic.h"

class KIVCTRL_EXPORT CKivDwgPreviewCtrl : public CKivStatic {
public:
    explicit CKivDwgPreviewCtrl(QWidget* parent = nullptr);
    ~CKivDwgPreviewCtrl() override;

    void SetFile(const char* path);
    const char* GetFileName() const { return m_strFile.c_str(); }
    void SetBackColor(COLORREF colour);
    void SetImageBackColor(COLORREF colour);
    void SetAutoSize(int autoSize);
    void SetInvert(int invert);
    using CKivStatic::SetInvert;
    // Setters repaint while this is 1 (the default).
    void SetRedraw(int redraw) { m_bRedraw = redraw; }

    // What a paint draws, onto any context: the back colour over client,
    // then the preview of path. Both colours are inverted when invert is 1.
    static void Paint(CDC& dc, CWnd* window, const CRect& client, KivDwgPreview& reader, const char* path,
        COLORREF back, COLORREF imageBack, int autoSize, int invert);

protected:
    void OnPaint() override;

private:
    void changed();

    KivDwgPreview m_reader;
    CString m_strFile;
    COLORREF m_crBack = 0;
    COLORREF m_crImageBack = 0;
    int m_bAutoSize = 0;
    int m_bRedraw = 1;
};
