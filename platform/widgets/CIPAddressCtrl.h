// SPDX-License-Identifier: MIT
// The IP-address edit control: four fields of 0–255 that the user types in.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

class QLineEdit;

class KIVGUI_EXPORT CIPAddressCtrl : public WidgetWnd<QWidget> {
public:
    explicit CIPAddressCtrl(QWidget* parent = nullptr);

    // Gives the number of fields that are not blank; blank fields read 0.
    int GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const;

private:
    QLineEdit* m_fields[4];
};
