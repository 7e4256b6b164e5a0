// SPDX-License-Identifier: MIT
#include "imaging/editor/CKivDlgEditBase.h"

#include "imaging/toolkit/KivLeadToolkit.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CEdit.h"
#include "platform/widgets/CSliderCtrl.h"

#include <cmath>

CKivDlgEditBase::CKivDlgEditBase(UINT templateId, CLeadBitmap* image, QWidget* parent)
    : CKivDialog(templateId, parent), m_image(image)
{
}

CKivDlgEditBase::~CKivDlgEditBase() = default;

CWnd* CKivDlgEditBase::place(UINT id, CWnd* control, DWORD style)
{
    // The template's placeholder gives the place, then goes.
    CRect rect(0, 0, 10, 10);
    if (CWnd* old = GetDlgItem(static_cast<int>(id))) {
        const QRect g = old->geometry();
        rect = CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
        delete old;
    }
    control->Create(style | WS_CHILD | WS_VISIBLE, rect, this, id);
    control->SetDlgCtrlID(id);
    control->show();
    return control;
}

BOOL CKivDlgEditBase::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    if (!m_preview) {
        m_preview = new CKivLeadEditCtrl;
        place(1065, m_preview, 0);
        m_preview->SetCenter(1);
        m_preview->SetFit(1);
        if (m_image && m_image->IsAllocated())
            KivLeadCopyBitmap(m_preview->GetBitmap(), m_image);
    }
    return TRUE;
}

CEdit* CKivDlgEditBase::GetEdit(UINT id) const
{
    return dynamic_cast<CEdit*>(GetDlgItem(static_cast<int>(id)));
}

CSliderCtrl* CKivDlgEditBase::GetSlider(UINT id) const
{
    return dynamic_cast<CSliderCtrl*>(GetDlgItem(static_cast<int>(id)));
}

CButton* CKivDlgEditBase::GetButton(UINT id) const
{
    return dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(id)));
}

void CKivDlgEditBase::AddPair(
    UINT editId, UINT sliderId, int minimum, int maximum, int tick, int scale, int decimals, int start)
{
    auto* edit = static_cast<CEdit*>(place(editId, new CEdit, 0));
    auto* slider = static_cast<CSliderCtrl*>(place(sliderId, new CSliderCtrl, 0));
    slider->SetRange(minimum, maximum);
    slider->SetTicFreq(tick);
    slider->SetPos(start);
    edit->SetWindowText(QString::number(start / double(scale), 'f', decimals).toUtf8().constData());
    const std::size_t index = m_pairs.size();
    m_pairs.push_back({edit, slider, scale, decimals, minimum});
    QObject::connect(slider->widget(), &QSlider::valueChanged, this, [this, index](int position) {
        const Pair& p = m_pairs[index];
        p.edit->SetWindowText(QString::number(position / double(p.scale), 'f', p.decimals).toUtf8().constData());
        OnPairChanged();
    });
    QObject::connect(edit->widget(), &QLineEdit::textEdited, this, [this, index] {
        const Pair& p = m_pairs[index];
        // The box keeps what was typed; the slider follows, never below its
        // least position.
        p.slider->SetPos(std::max(PairValue(static_cast<int>(index)), p.minimum));
        OnPairChanged();
    });
}

int CKivDlgEditBase::PairValue(int i) const
{
    const Pair& p = m_pairs.at(static_cast<std::size_t>(i));
    bool ok = false;
    const double v = QString::fromStdString(p.edit->GetWindowText()).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(v * p.scale), -1e9, 1e9));
}

int CKivDlgEditBase::PairPosition(int i) const
{
    return m_pairs.at(static_cast<std::size_t>(i)).slider->GetPos();
}

void CKivDlgEditBase::RedrawPreview()
{
    if (m_preview)
        m_preview->repaint();
}
