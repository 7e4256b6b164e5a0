// SPDX-License-Identifier: MIT
// The level dialog: brightness, contrast and gamma previewed on a copy of
// the image. KivDlgEditLevel gives brightness and contrast × 10
// (-1000..1000) and gamma × 100 (at least 1) on OK (1), and leaves them on
// Cancel (0).
#pragma once

#include "imaging/editor/CKivDlgEditBase.h"

KIVLEAD_EXPORT int KivDlgEditLevel(
    CLeadBitmap* image, int* brightness, int* contrast, int* gamma, QWidget* owner = nullptr);

class KIVLEAD_EXPORT CKivDlgEditLevel : public CKivDlgEditBase {
public:
    CKivDlgEditLevel(CLeadBitmap* image, QWidget* parent);
    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nBrightness = 0;
    int m_nContrast = 0;
    int m_nGamma = 100;

protected:
    void OnPairChanged() override;
};
