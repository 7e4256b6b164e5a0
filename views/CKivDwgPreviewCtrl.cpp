#include "views/CKivDwgPreviewCtrl.h"

CKivDwgPreviewCtrl::CKivDwgPreviewCtrl(QWidget* parent) : CKivStatic(parent)
{
}

CKivDwgPreviewCtrl::~CKivDwgPreviewCtrl()
{
    m_reader.Close();
}

void CKivDwgPreviewCtrl::changed()
{
    if (m_bRedraw == 1)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivDwgPreviewCtrl::SetFile(const char* path)
{
    m_strFile = path ? path : "";
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
    changed();
}

void CKivDwgPreviewCtrl::SetAutoSize(int autoSize)
{
    m_bAutoSize = autoSize;
    changed();
}

void CKivDwgPreviewCtrl::SetInvert(int invert)
{
    m_bInvert = invert;
    changed();
}

void CKivDwgPreviewCtrl::Paint(CDC& dc, CWnd* window, const CRect& client, KivDwgPreview& reader, const char* path,
    COLORREF back, COLORREF imageBack, int autoSize, int invert)
{
    CRgn clip;
    clip.CreateRectRgnIndirect(client);
    dc.SelectClipRgn(&clip);
    if (invert == 1) {
        back = 0xFFFFFF - (back & 0xFFFFFF);
        imageBack = 0xFFFFFF - (imageBack & 0xFFFFFF);
    }
    dc.FillSolidRect(client, back);
    if (reader.Open(path) && reader.HasPreviewVersion())
        reader.DrawPreview(window, &dc, imageBack, invert, autoSize);
    reader.Close();
    dc.SelectClipRgn(nullptr);
}

void CKivDwgPreviewCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    Paint(dc, this, client, m_reader, m_strFile.c_str(), m_crBack, m_crImageBack, m_bAutoSize, m_bInvert);
}
