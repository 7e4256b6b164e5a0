// SPDX-License-Identifier: MIT
#include "views/CKivDwgPreviewCtrl.h"

namespace {

COLORREF inverted(COLORREF colour)
{
    return 0xFFFFFF - (colour & 0xFFFFFF);
}

} // namespace

CKivDwgPreviewCtrl::CKivDwgPreviewCtrl(QWidget* parent) : CKivStatic(parent)
{
}

CKivDwgPreviewCtrl::~CKivDwgPreviewCtrl()
{
    dropDownload();
    m_reader.Close();
}

void CKivDwgPreviewCtrl::changed()
{
    if (m_bRedraw == 1)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivDwgPreviewCtrl::dropDownload()
{
    m_download.reset();
    if (!m_pendingFile.empty()) {
        RemoveTempPath(m_pendingFile);
        m_pendingFile.clear();
    }
}

void CKivDwgPreviewCtrl::decode()
{
    m_image = QImage();
    if (m_reader.IsOpen() && m_reader.HasPreviewVersion())
        m_image = m_reader.ReadImage(m_bInvert == 1 ? inverted(m_crImageBack) : m_crImageBack);
}

void CKivDwgPreviewCtrl::SetFile(const char* path)
{
    m_strFile = path ? path : "";
    dropDownload();
    m_reader.Close();
    m_image = QImage();
    if (!KivDwgPreview::IsAddress(m_strFile.c_str())) {
        if (!m_strFile.empty() && m_reader.Open(m_strFile.c_str()))
            decode();
        changed();
        return;
    }
    m_pendingFile = UniqueTempPath(".dwg");
    if (m_pendingFile.empty()) {
        changed();
        return;
    }
    const CString address = m_strFile;
    m_download
        = std::make_unique<DownloadJob>(address.c_str(), m_pendingFile, [this, address](bool ok, const CString&) {
              const CString file = m_pendingFile;
              m_pendingFile.clear();
              if (ok && m_reader.OpenDownloaded(address.c_str(), file))
                  decode();
              else
                  RemoveTempPath(file);
              RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
          });
    changed();
}

void CKivDwgPreviewCtrl::SetBackColor(COLORREF colour)
{
    m_crBack = colour;
    changed();
}

void CKivDwgPreviewCtrl::SetImageBackColor(COLORREF colour)
{
    m_crImageBack = colour;
    decode();
    changed();
}

void CKivDwgPreviewCtrl::SetAutoSize(int autoSize)
{
    m_bAutoSize = autoSize;
    changed();
}

void CKivDwgPreviewCtrl::SetInvert(int invert)
{
    SetInvert(invert, m_bRedraw);
}

void CKivDwgPreviewCtrl::SetInvert(int invert, int redraw)
{
    m_bInvert = invert;
    decode();
    if (redraw == 1)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivDwgPreviewCtrl::Paint(
    CDC& dc, const CRect& client, const QImage& preview, COLORREF back, int autoSize, int invert)
{
    CRgn clip;
    clip.CreateRectRgnIndirect(client);
    dc.SelectClipRgn(&clip);
    dc.FillSolidRect(client, invert == 1 ? inverted(back) : back);
    KivDwgPreview::DrawImage(&dc, client, preview, autoSize);
    dc.SelectClipRgn(nullptr);
}

void CKivDwgPreviewCtrl::Paint(CDC& dc, CWnd*, const CRect& client, KivDwgPreview& reader, const char* path,
    COLORREF back, COLORREF imageBack, int autoSize, int invert)
{
    QImage preview;
    if (reader.Open(path) && reader.HasPreviewVersion())
        preview = reader.ReadImage(invert == 1 ? inverted(imageBack) : imageBack);
    reader.Close();
    Paint(dc, client, preview, back, autoSize, invert);
}

void CKivDwgPreviewCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    Paint(dc, client, m_image, m_crBack, m_bAutoSize, m_bInvert);
}
