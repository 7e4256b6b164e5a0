// SPDX-License-Identifier: MIT
#include "imaging/editor/KivDlgEditRotate.h"

#include "imaging/widgets/resources.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CEdit.h"
#include "platform/widgets/CSliderCtrl.h"

#include <QAbstractButton>

using namespace kivlead;

CKivDlgEditRotate::CKivDlgEditRotate(CLeadBitmap* image, QWidget* parent)
    : CKivDlgEditBase(IDD_EDIT_ROTATE, image, parent)
{
}

BOOL CKivDlgEditRotate::OnInitDialog()
{
    CKivDlgEditBase::OnInitDialog();
    AddPair(IDC_ROTATE_ANGLE, IDC_ROTATE_SLIDER, -36000, 36000, 3600, 100, 2, 0);
    for (UINT id : {IDC_ROTATE_90, IDC_ROTATE_180, IDC_ROTATE_270, IDC_ROTATE_ANY}) {
        CButton* b = GetButton(id);
        if (auto* radio = b ? qobject_cast<QAbstractButton*>(b->widget()) : nullptr)
            QObject::connect(radio, &QAbstractButton::clicked, this, [this, id] { Choose(id); });
    }
    if (CButton* any = GetButton(IDC_ROTATE_ANY))
        if (auto* radio = qobject_cast<QAbstractButton*>(any->widget()))
            radio->setChecked(true);
    return TRUE;
}

void CKivDlgEditRotate::Choose(UINT id)
{
    if (CButton* b = GetButton(id))
        if (auto* radio = qobject_cast<QAbstractButton*>(b->widget()))
            radio->setChecked(true);
    const bool any = id == IDC_ROTATE_ANY;
    GetEdit(IDC_ROTATE_ANGLE)->setEnabled(any);
    GetSlider(IDC_ROTATE_SLIDER)->setEnabled(any);
    if (any) {
        m_nAngle = PairPosition(0);
    } else {
        m_nAngle = id == IDC_ROTATE_90 ? 9000 : id == IDC_ROTATE_180 ? 18000 : -9000;
        // The boxes show the chosen angle.
        GetSlider(IDC_ROTATE_SLIDER)->SetPos(m_nAngle);
        GetEdit(IDC_ROTATE_ANGLE)->SetWindowText(QString::number(m_nAngle / 100.0, 'f', 2).toUtf8().constData());
    }
    preview();
}

void CKivDlgEditRotate::OnPairChanged()
{
    m_nAngle = PairValue(0);
    preview();
}

void CKivDlgEditRotate::preview()
{
    GetPreview()->OnEditUndo();
    GetPreview()->SetRotate(m_nAngle, 1);
    RedrawPreview();
}

void CKivDlgEditRotate::OnOK()
{
    CKivDlgEditBase::OnOK();
}

int KivDlgEditRotate(CLeadBitmap* image, int* angle, QWidget* owner)
{
    return CallWithResources(KivLeadResources(), [&] {
        CKivDlgEditRotate dialog(image, owner);
        if (dialog.DoModal() != IDOK)
            return 0;
        if (angle)
            *angle = dialog.GetAngle();
        return 1;
    });
}
