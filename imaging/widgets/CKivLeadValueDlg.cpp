// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadValueDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CKivLeadValueDlg::CKivLeadValueDlg(const char* title, std::vector<KivLeadDlgField> fields, QWidget* parent)
    : CKivDialog(0, parent), m_title(title ? title : ""), m_fields(std::move(fields))
{
}

CKivLeadValueDlg::~CKivLeadValueDlg() = default;

BOOL CKivLeadValueDlg::OnInitDialog()
{
    if (m_widgets.empty()) {
        SetWindowText(m_title.c_str());
        auto* column = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        column->addLayout(form);
        for (const auto& f : m_fields) {
            const int start = f.value ? *f.value : f.minimum;
            QWidget* w = nullptr;
            if (f.kind == KivLeadDlgField::Choice) {
                auto* box = new QComboBox(this);
                for (const auto& c : f.choices)
                    box->addItem(QString::fromUtf8(c.text), c.value);
                box->setCurrentIndex(std::max(0, box->findData(start)));
                w = box;
            } else if (f.kind == KivLeadDlgField::Check) {
                auto* box = new QCheckBox(this);
                box->setChecked(start != 0);
                w = box;
            } else {
                auto* box = new QSpinBox(this);
                box->setRange(f.minimum, f.maximum);
                box->setValue(start);
                w = box;
            }
            form->addRow(QString::fromUtf8(f.label), w);
            m_widgets.push_back(w);
        }
        if (m_preview && !m_widgets.empty()) {
            m_previewLabel = new QLabel(this);
            m_previewLabel->setAlignment(Qt::AlignCenter);
            m_previewLabel->setMinimumSize(200, 140);
            column->insertWidget(0, m_previewLabel);
            const auto show = [this](int value) { m_previewLabel->setPixmap(QPixmap::fromImage(m_preview(value))); };
            if (auto* box = qobject_cast<QSpinBox*>(m_widgets.front()))
                QObject::connect(box, &QSpinBox::valueChanged, this, show);
            show(GetFieldValue(0));
        }
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        column->addWidget(buttons);
        QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
        QObject::connect(buttons, &QDialogButtonBox::rejected, this, [this] { OnCancel(); });
    }
    return CKivDialog::OnInitDialog();
}

int CKivLeadValueDlg::GetFieldValue(int i) const
{
    QWidget* w = m_widgets.at(static_cast<std::size_t>(i));
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->currentData().toInt();
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return box->isChecked() ? 1 : 0;
    return static_cast<QSpinBox*>(w)->value();
}

void CKivLeadValueDlg::SetFieldValue(int i, int value)
{
    QWidget* w = m_widgets.at(static_cast<std::size_t>(i));
    if (auto* box = qobject_cast<QComboBox*>(w))
        box->setCurrentIndex(std::max(0, box->findData(value)));
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        box->setChecked(value != 0);
    else
        static_cast<QSpinBox*>(w)->setValue(value);
}

void CKivLeadValueDlg::OnOK()
{
    for (std::size_t i = 0; i < m_fields.size() && i < m_widgets.size(); ++i)
        if (m_fields[i].value)
            *m_fields[i].value = GetFieldValue(static_cast<int>(i));
    CKivDialog::OnOK();
}
