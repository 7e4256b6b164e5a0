// A list of strings with the framework's calls.
#pragma once

#include "platform/CWnd.h"

class QListWidget;

class KIVPLATFORM_EXPORT CListBox : public CWnd {
public:
    explicit CListBox(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    int AddString(const char* text);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    CString GetText(int index) const;
    QListWidget* widget() const { return m_list; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QListWidget* m_list;
};
