// SPDX-License-Identifier: MIT
#include "imaging/editor/KivDlgEditFlip.h"

#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/resources.h"
#include "platform/widgets/CButton.h"

#include <QAbstractButton>

using namespace kivlead;

CKivDlgEditFlip::CKivDlgEditFlip(CLeadBitmap* image, QWidget* parent) : CKivDlgEditBase(IDD_EDIT_FLIP, image, parent)
{
}

int CKivDlgEditFlip::GetCheck(UINT id) const
{
    CButton* b = GetButton(id);
    auto* box = b ? qobject_cast<QAbstractButton*>(b->widget()) : nullptr;
    return box && box->isChecked() ? 1 : 0;
}

BOOL CKivDlgEditFlip::OnInitDialog()
{
    CKivDlgEditBase::OnInitDialog();
    for (UINT id : {IDC_FLIP_MIRROR, IDC_FLIP_FLIP}) {
        CButton* b = GetButton(id);
        auto* box = b ? qobject_cast<QAbstractButton*>(b->widget()) : nullptr;
        if (!box)
            continue;
        // Each click turns the preview once more, so it always matches the boxes.
        QObject::connect(box, &QAbstractButton::clicked, this, [this, id] {
            CLeadBitmap* preview = GetPreview()->GetBitmap();
            if (id == IDC_FLIP_MIRROR)
                KivLeadMirror(preview);
            else
                KivLeadFlip(preview);
            RedrawPreview();
        });
    }
    return TRUE;
}

void CKivDlgEditFlip::OnOK()
{
    m_bMirror = GetCheck(IDC_FLIP_MIRROR);
    m_bFlip = GetCheck(IDC_FLIP_FLIP);
    CKivDlgEditBase::OnOK();
}

int KivDlgEditFlip(CLeadBitmap* image, int* mirror, int* flip, QWidget* owner)
{
    return CallWithResources(KivLeadResources(), [&] {
        CKivDlgEditFlip dialog(image, owner);
        if (dialog.DoModal() != IDOK)
            return 0;
        if (mirror)
            *mirror = dialog.m_bMirror;
        if (flip)
            *flip = dialog.m_bFlip;
        return 1;
    });
}
