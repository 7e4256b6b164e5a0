// SPDX-License-Identifier: MIT
#include "imaging/editor/KivDlgEditColor.h"

#include "imaging/widgets/resources.h"

using namespace kivlead;

CKivDlgEditColor::CKivDlgEditColor(CLeadBitmap* image, QWidget* parent) : CKivDlgEditBase(IDD_EDIT_COLOR, image, parent)
{
}

BOOL CKivDlgEditColor::OnInitDialog()
{
    CKivDlgEditBase::OnInitDialog();
    AddPair(IDC_COLOR_HUE, IDC_COLOR_HUE_SLIDER, -1000, 1000, 50, 10, 1, 0);
    AddPair(IDC_COLOR_SATURATION, IDC_COLOR_SATURATION_SLIDER, -1000, 1000, 50, 10, 1, 0);
    AddPair(IDC_COLOR_LIGHTNESS, IDC_COLOR_LIGHTNESS_SLIDER, -1000, 1000, 50, 10, 1, 0);
    return TRUE;
}

void CKivDlgEditColor::OnPairChanged()
{
    // Undo first, so the preview is the unchanged image adjusted once.
    GetPreview()->OnEditUndo();
    GetPreview()->SetColor(PairPosition(0), PairPosition(1), PairPosition(2));
    RedrawPreview();
}

void CKivDlgEditColor::OnOK()
{
    m_nHue = PairValue(0);
    m_nSaturation = PairValue(1);
    m_nLightness = PairValue(2);
    CKivDlgEditBase::OnOK();
}

int KivDlgEditColor(CLeadBitmap* image, int* hue, int* saturation, int* lightness, QWidget* owner)
{
    return CallWithResources(KivLeadResources(), [&] {
        CKivDlgEditColor dialog(image, owner);
        if (dialog.DoModal() != IDOK)
            return 0;
        if (hue)
            *hue = dialog.m_nHue;
        if (saturation)
            *saturation = dialog.m_nSaturation;
        if (lightness)
            *lightness = dialog.m_nLightness;
        return 1;
    });
}
