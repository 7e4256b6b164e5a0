// A static control: a window that shows its text.
#pragma once

#include "platform/CWnd.h"

class KIVPLATFORM_EXPORT CStatic : public CWnd {
public:
    explicit CStatic(QWidget* parent = nullptr);
    BOOL Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id = 0xFFFF);
    using CWnd::Create;

protected:
    void OnPaint() override;
};
