// An edit control: a line edit with the framework's text and modify calls.
// Losing the focus calls OnKillFocus and notifies the parent (EN_KILLFOCUS);
// a change of text notifies EN_CHANGE.
#pragma once

#include "platform/CWnd.h"

class QLineEdit;

class KIVPLATFORM_EXPORT CEdit : public CWnd {
public:
    explicit CEdit(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    void SetWindowText(const char* text);
    CString GetWindowText() const;
    void SetModify(BOOL modified = true);
    BOOL GetModify() const;
    QLineEdit* widget() const { return m_edit; }

protected:
    virtual void OnKillFocus(QWidget* newFocus);
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
};
