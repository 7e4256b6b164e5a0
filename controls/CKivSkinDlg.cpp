// SPDX-License-Identifier: MIT
#include "controls/CKivSkinDlg.h"

CKivSkinDlg::CKivSkinDlg(UINT templateId, QWidget* parent) : CKivDialog(templateId, parent)
{
}

CKivSkinDlg::~CKivSkinDlg() = default;

int CKivSkinDlg::SetBitmap(UINT resourceId, int mode)
{
    m_nDrawMode = mode;
    m_bLoaded = m_skin.LoadResource(resourceId);
    update();
    return m_bLoaded;
}

int CKivSkinDlg::SetBitmap(const char* file, int mode)
{
    m_nDrawMode = mode;
    m_bLoaded = file && m_skin.Load(CString(file));
    if (!m_bLoaded && file)
        m_bLoaded = m_skin.Load(StringFormat("%s/%s", m_strSkinPath.c_str(), file));
    update();
    return m_bLoaded;
}

BOOL CKivSkinDlg::OnEraseBkgnd(CDC* dc)
{
    if (!m_bLoaded || !m_skin.GetPixelPtr() || !dc)
        return CKivDialog::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    const int w = m_skin.GetWidth();
    const int h = std::abs(m_skin.GetHeight());
    if (m_nDrawMode == Stretch) {
        m_skin.DrawDIB(dc, 0, 0, client.Width(), client.Height());
    } else if (m_nDrawMode == Centre) {
        // The platform's erase has filled the window already.
        m_skin.DrawDIB(dc, (client.Width() - w) / 2, (client.Height() - h) / 2);
    } else if (w > 0 && h > 0) {
        for (int y = 0; y < client.Height(); y += h)
            for (int x = 0; x < client.Width(); x += w)
                m_skin.DrawDIB(dc, x, y);
    }
    return TRUE;
}

CKivSkinDlg::ControlColor CKivSkinDlg::ColorFor(bool buttonMessage, const char* windowClass, int id)
{
    if (buttonMessage)
        return ControlColor::HollowTransparentText;
    const CString cls = windowClass ? windowClass : "";
    const bool unnamed = id == -1 || id == 0xFFFF;
    if (CompareNoCase(cls.c_str(), "msctls_trackbar32") == 0)
        return ControlColor::Platform;
    if (CompareNoCase(cls.c_str(), "Button") == 0)
        return ControlColor::Hollow;
    if (CompareNoCase(cls.c_str(), "Static") == 0)
        return unnamed ? ControlColor::HollowTransparentText : ControlColor::Hollow;
    return unnamed ? ControlColor::HollowTransparentText : ControlColor::Platform;
}

BOOL CKivSkinDlg::OnQueryNewPalette()
{
    return FALSE; // no colour of a true-colour display changes
}

void CKivSkinDlg::OnPaletteChanged(QWidget*)
{
}
