// SPDX-License-Identifier: MIT
#include "imaging/editor/KivDlgEditLevel.h"

#include "imaging/widgets/resources.h"

#include <algorithm>

using namespace kivlead;

CKivDlgEditLevel::CKivDlgEditLevel(CLeadBitmap* image, QWidget* parent) : CKivDlgEditBase(IDD_EDIT_LEVEL, image, parent)
{
}

BOOL CKivDlgEditLevel::OnInitDialog()
{
    CKivDlgEditBase::OnInitDialog();
    AddPair(IDC_LEVEL_BRIGHTNESS, IDC_LEVEL_BRIGHTNESS_SLIDER, -1000, 1000, 50, 10, 1, 0);
    AddPair(IDC_LEVEL_CONTRAST, IDC_LEVEL_CONTRAST_SLIDER, -1000, 1000, 50, 10, 1, 0);
    AddPair(IDC_LEVEL_GAMMA, IDC_LEVEL_GAMMA_SLIDER, 1, 499, 20, 100, 2, 100);
    return TRUE;
}

void CKivDlgEditLevel::OnPairChanged()
{
    GetPreview()->OnEditUndo();
    GetPreview()->SetLevel(PairPosition(0), PairPosition(1), PairPosition(2));
    RedrawPreview();
}

void CKivDlgEditLevel::OnOK()
{
    m_nBrightness = PairValue(0);
    m_nContrast = PairValue(1);
    // A gamma typed below 0.01 comes back as the least the level command takes.
    m_nGamma = std::max(1, PairValue(2));
    CKivDlgEditBase::OnOK();
}

int KivDlgEditLevel(CLeadBitmap* image, int* brightness, int* contrast, int* gamma, QWidget* owner)
{
    return CallWithResources(KivLeadResources(), [&] {
        CKivDlgEditLevel dialog(image, owner);
        if (dialog.DoModal() != IDOK)
            return 0;
        if (brightness)
            *brightness = dialog.m_nBrightness;
        if (contrast)
            *contrast = dialog.m_nContrast;
        if (gamma)
            *gamma = dialog.m_nGamma;
        return 1;
    });
}
