// SPDX-License-Identifier: MIT
#include "platform/widgets/CIPAddressCtrl.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

CIPAddressCtrl::CIPAddressCtrl(QWidget* parent) : WidgetWnd(parent, new QWidget)
{
    auto* layout = new QHBoxLayout(widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(".", widget()));
        m_fields[i] = new QLineEdit(widget());
        m_fields[i]->setValidator(new QIntValidator(0, 255, m_fields[i]));
        m_fields[i]->setMaxLength(3);
        m_fields[i]->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_fields[i]);
    }
}

int CIPAddressCtrl::GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const
{
    BYTE* out[4] = {&field0, &field1, &field2, &field3};
    int filled = 0;
    for (int i = 0; i < 4; ++i) {
        const QString text = m_fields[i]->text();
        *out[i] = static_cast<BYTE>(std::clamp(text.toInt(), 0, 255));
        if (!text.isEmpty())
            ++filled;
    }
    return filled;
}
