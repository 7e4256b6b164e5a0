// SPDX-License-Identifier: MIT
// A child control showing the preview of one drawing (a path or an http(s)
// address) on a back colour; white in the preview takes the image back
// colour. The drawing is opened and its picture decoded when the file or a
// colour changes; a paint only draws the decoded picture. A drawing at an
// http(s) address is fetched in the background, within the download limits,
// and shown when it has arrived.
#pragma once

#include "core/KivCtrl_export.h"

#include "cad/KivDwgPreview.h"
#include "controls/CKivStatic.h"
#include "platform/net/Download.h"

#include <memory>

class KIVCTRL_EXPORT CKivDwgPreviewCtrl : public CKivStatic {
public:
    explicit CKivDwgPreviewCtrl(QWidget* parent = nullptr);
    ~CKivDwgPreviewCtrl() override;

    // Opens the drawing (or starts fetching it) once per call.
    void SetFile(const char* path);
    const char* GetFileName() const { return m_strFile.c_str(); }
    void SetBackColor(COLORREF colour);
    void SetImageBackColor(COLORREF colour);
    void SetAutoSize(int autoSize);
    void SetInvert(int invert);
    void SetInvert(int invert, int redraw) override;
    // Setters repaint while this is 1 (the default).
    void SetRedraw(int redraw) { m_bRedraw = redraw; }
    // True while a drawing at an http(s) address is being fetched.
    bool IsLoading() const { return m_download && m_download->isRunning(); }
    // The decoded picture a paint draws; null when there is none.
    const QImage& GetPreviewImage() const { return m_image; }

    // What a paint draws, onto any context: the back colour over client,
    // then the decoded preview. The back colour is inverted when invert is 1
    // (preview was decoded with the inverted image back colour already).
    static void Paint(CDC& dc, const CRect& client, const QImage& preview, COLORREF back, int autoSize, int invert);
    // The same, reading the preview of path first: for drawing off-screen.
    static void Paint(CDC& dc, CWnd* window, const CRect& client, KivDwgPreview& reader, const char* path,
        COLORREF back, COLORREF imageBack, int autoSize, int invert);

protected:
    void OnPaint() override;

private:
    void changed();
    void decode();
    void dropDownload();

    KivDwgPreview m_reader;
    std::unique_ptr<DownloadJob> m_download;
    CString m_pendingFile; // the download's file until the reader takes it
    QImage m_image;
    CString m_strFile;
    COLORREF m_crBack = 0;
    COLORREF m_crImageBack = 0;
    int m_bAutoSize = 0;
    int m_bRedraw = 1;
};
