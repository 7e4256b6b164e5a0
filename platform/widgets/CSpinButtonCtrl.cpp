// SPDX-License-Identifier: MIT
#include "platform/widgets/CSpinButtonCtrl.h"

#include <QSizePolicy>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kMaxPos = 100;
} // namespace

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent) : WidgetWnd(parent, new QWidget)
{
    auto* arrows = new QVBoxLayout(widget());
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (const bool up : {true, false}) {
        auto* arrow = new QToolButton(widget());
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        // The two halves share the height however small the control is.
        arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        QObject::connect(arrow, &QToolButton::clicked, this, [this, up] { click(up); });
        arrows->addWidget(arrow);
    }
}

void CSpinButtonCtrl::click(bool up)
{
    // The range runs from kMaxPos down to 0: the up arrow lowers the position.
    NMUPDOWN n {{this, static_cast<UINT_PTR>(GetDlgCtrlID()), UDN_DELTAPOS}, m_pos, up ? -1 : 1};
    if (OnDeltaPos(&n) == 0)
        m_pos = std::clamp(m_pos + n.iDelta, 0, kMaxPos);
}

LRESULT CSpinButtonCtrl::OnDeltaPos(NMUPDOWN* n)
{
    if (QWidget* parent = GetParent())
        return ::SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(n));
    return 0;
}
