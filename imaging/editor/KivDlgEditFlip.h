// SPDX-License-Identifier: MIT
// The flip dialog: "좌우" mirrors and "상하" flips a copy of the image as they
// are ticked or cleared. KivDlgEditFlip gives the two check states on OK (1)
// and leaves them on Cancel (0).
#pragma once

#include "imaging/editor/CKivDlgEditBase.h"

KIVLEAD_EXPORT int KivDlgEditFlip(CLeadBitmap* image, int* mirror, int* flip, QWidget* owner = nullptr);

class KIVLEAD_EXPORT CKivDlgEditFlip : public CKivDlgEditBase {
public:
    CKivDlgEditFlip(CLeadBitmap* image, QWidget* parent);
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The state of check box id (1 ticked).
    int GetCheck(UINT id) const;

    int m_bMirror = 0;
    int m_bFlip = 0;
};
