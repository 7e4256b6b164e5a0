// The IP-address edit control: four fields of 0–255.
#pragma once

#include "platform/CWnd.h"

class QLineEdit;

class KIVPLATFORM_EXPORT CIPAddressCtrl : public CWnd {
public:
    explicit CIPAddressCtrl(QWidget* parent = nullptr);

    void SetAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3);
    // Gives the number of fields that are not blank; blank fields read 0.
    int GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const;
    BOOL IsBlank() const;
    void ClearAddress();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_fields[4];
    QWidget* m_row;
};
