// A drop-down list of strings with the framework's calls.
#pragma once

#include "platform/CWnd.h"

class QComboBox;

class KIVPLATFORM_EXPORT CComboBox : public CWnd {
public:
    explicit CComboBox(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    int AddString(const char* text);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    CString GetLBText(int index) const;
    QComboBox* widget() const { return m_combo; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* m_combo;
};
