#include "platform/CIPAddressCtrl.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

CIPAddressCtrl::CIPAddressCtrl(QWidget* parent) : CWnd(parent), m_row(new QWidget(this))
{
    auto* layout = new QHBoxLayout(m_row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(".", m_row));
        m_fields[i] = new QLineEdit(m_row);
        m_fields[i]->setValidator(new QIntValidator(0, 255, m_fields[i]));
        m_fields[i]->setMaxLength(3);
        m_fields[i]->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_fields[i]);
    }
}

void CIPAddressCtrl::SetAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3)
{
    const BYTE values[4] = {field0, field1, field2, field3};
    for (int i = 0; i < 4; ++i)
        m_fields[i]->setText(QString::number(values[i]));
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

BOOL CIPAddressCtrl::IsBlank() const
{
    for (const QLineEdit* f : m_fields)
        if (!f->text().isEmpty())
            return FALSE;
    return TRUE;
}

void CIPAddressCtrl::ClearAddress()
{
    for (QLineEdit* f : m_fields)
        f->clear();
}

void CIPAddressCtrl::resizeEvent(QResizeEvent* event)
{
    m_row->setGeometry(rect());
    CWnd::resizeEvent(event);
}
