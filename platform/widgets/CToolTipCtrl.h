// SPDX-License-Identifier: MIT
// Tooltips: one text per tool, shown over the tool's window.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/CWnd.h"

#include <map>

class KIVGUI_EXPORT CToolTipCtrl {
public:
    BOOL Create(QWidget* owner);
    BOOL AddTool(QWidget* window, const char* text, const CRect* rect = nullptr, UINT_PTR id = 0);
    void UpdateTipText(const char* text, QWidget* window, UINT_PTR id = 0);
    CString GetText(QWidget* window, UINT_PTR id = 0) const;

private:
    QWidget* m_owner = nullptr;
    std::map<std::pair<QWidget*, UINT_PTR>, CString> m_tools;
};
