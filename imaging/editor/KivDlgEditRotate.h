// SPDX-License-Identifier: MIT
// The rotate dialog: a quarter turn either way, a half turn or any angle
// (edit box and slider, in hundredths of a degree on the slider), previewed
// on a copy of the image. KivDlgEditRotate gives the angle in hundredths of
// a degree on OK (1) and leaves it on Cancel (0).
#pragma once

#include "imaging/editor/CKivDlgEditBase.h"

KIVLEAD_EXPORT int KivDlgEditRotate(CLeadBitmap* image, int* angle, QWidget* owner = nullptr);

class KIVLEAD_EXPORT CKivDlgEditRotate : public CKivDlgEditBase {
public:
    CKivDlgEditRotate(CLeadBitmap* image, QWidget* parent);
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Selects a radio button as a click does.
    void Choose(UINT id);
    int GetAngle() const { return m_nAngle; }

    int m_nAngle = 0;

protected:
    void OnPairChanged() override;

private:
    void preview();
};
