// A scroll bar control: range, position and page, with its scroll codes
// (SB_LINEUP …) reported, reflected, to OnScroll.
#pragma once

#include "platform/CWnd.h"

class QScrollBar;

class KIVPLATFORM_EXPORT CScrollBar : public CWnd {
public:
    explicit CScrollBar(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    void SetScrollRange(int min, int max, BOOL redraw = true);
    void GetScrollRange(int* min, int* max) const;
    int SetScrollPos(int pos, BOOL redraw = true);
    int GetScrollPos() const;
    void SetPageSize(int page);
    int GetPageSize() const;
    QScrollBar* widget() const { return m_bar; }

protected:
    virtual void OnScroll(UINT code, UINT pos);
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollBar* m_bar;
};
