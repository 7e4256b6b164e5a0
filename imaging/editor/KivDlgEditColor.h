// SPDX-License-Identifier: MIT
// The colour dialog: hue, saturation and lightness previewed on a copy of
// the image. KivDlgEditColor gives each value × 10 (-1000..1000) on OK (1),
// and leaves them on Cancel (0).
#pragma once

#include "imaging/editor/CKivDlgEditBase.h"

KIVLEAD_EXPORT int KivDlgEditColor(
    CLeadBitmap* image, int* hue, int* saturation, int* lightness, QWidget* owner = nullptr);

class KIVLEAD_EXPORT CKivDlgEditColor : public CKivDlgEditBase {
public:
    CKivDlgEditColor(CLeadBitmap* image, QWidget* parent);
    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nHue = 0;
    int m_nSaturation = 0;
    int m_nLightness = 0;

protected:
    void OnPairChanged() override;
};
