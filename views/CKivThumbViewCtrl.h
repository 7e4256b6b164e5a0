// SPDX-License-Identifier: MIT
// The image of a drawing-file cell: one file drawn on a back colour. A slide
// (a file or library(slide)) is drawn by the slide drawing from its bytes in
// memory, read once when the file is set (from the page's shelf when the
// browser gives one); a DWG drawing shows its preview picture, decoded once
// per file and colour. Other files, and files that cannot be read, show the
// back colour only.
#pragma once

#include "core/KivCtrl_export.h"

#include "cad/KivDwgPreview.h"
#include "cad/KivDxfDraw.h"
#include "cad/KivSlideDraw.h"
#include "cad/KivSlideShelf.h"
#include "controls/CKivStatic.h"

#include <QImage>

#include <memory>

class KIVCTRL_EXPORT CKivThumbViewCtrl : public CKivStatic {
public:
    explicit CKivThumbViewCtrl(QWidget* parent = nullptr);
    ~CKivThumbViewCtrl() override;

    // 1 slide (".sld", or a name ending in ")" for library(slide)), 2 DWG,
    // 3 DXF, 0 anything else.
    static int GetFileType(const char* file);

    // 1 when the file is of a viewable type (1 to 3), else 0.
    int SetFileName(const char* file, int redraw);
    const char* GetFileName() const { return m_strFileName.c_str(); }
    int GetFileType() const { return m_nFileType; }
    const char* GetLibraryName() const { return m_pSlide ? m_pSlide->GetLibraryName() : ""; }
    const char* GetSlideName() const { return m_pSlide ? m_pSlide->GetSlideName() : ""; }
    void SetBackColor(COLORREF colour, int redraw);
    void SetImageBackColor(COLORREF colour, int redraw);
    void SetAutoSize(int autoSize, int redraw);
    // A drawing's preview is read for the new state here, never in a paint.
    void SetInvert(int invert, int redraw) override;
    // Slides are then taken from shelf (not owned), which the browser
    // empties once per page.
    void SetShelf(KivSlideShelf* shelf) { m_pShelf = shelf; }

    // What a paint draws, onto any context whose whole surface is client:
    // the back colour, then the slide from bytes, the decoded preview or
    // the DXF drawing (its embedded preview when it has one), all inverted
    // when invert is 1. The CLI draws its pictures with it.
    static void Paint(CDC& dc, const CRect& client, int fileType, KivSlideDraw* slide, const char* file,
        const std::vector<std::uint8_t>* slideBytes, const QImage& preview, COLORREF back, int autoSize, int invert,
        const KivDxfDraw* drawing = nullptr);
    // The preview of a drawing as Paint wants it (white takes imageBack,
    // inverted when invert is 1); a null image when there is none. Drawings
    // at http addresses are not fetched here.
    static QImage ReadPreview(KivDwgPreview& reader, const char* file, COLORREF imageBack, int invert);

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDblClk(UINT flags, CPoint point) override;

private:
    void repaint(int redraw);
    void postMouse(UINT message, CPoint point);
    void dropPreview();
    void readPreview();

    CString m_strFileName;
    COLORREF m_crBack = 0;
    int m_nFileType = 0;
    std::unique_ptr<KivDwgPreview> m_pDwgPreview;
    COLORREF m_crImageBack = 0;
    int m_bAutoSize = 0;
    std::unique_ptr<KivSlideDraw> m_pSlide;
    std::unique_ptr<KivDxfDraw> m_pDxf; // read when the name is set, never in a paint
    KivSlideShelf* m_pShelf = nullptr;
    KivSlideShelf::Bytes m_slideBytes;
    QImage m_preview[2]; // plain and inverted
    bool m_previewRead[2] = {false, false};
};
