// SPDX-License-Identifier: MIT
// What an update handler says of one menu or toolbar command: whether it is
// enabled and whether it shows a check. The host reads the answer and sets
// its action from it, so the library's handlers stay free of Qt actions.
#pragma once

#include "platform/KivGui_export.h"
#include "platform/base/Win32Types.h"

class KIVGUI_EXPORT CCmdUI {
public:
    explicit CCmdUI(UINT id = 0) : m_nID(id) { }

    void Enable(BOOL on = 1) { m_bEnabled = on != 0; }
    // 0 clear, 1 checked, 2 indeterminate.
    void SetCheck(int check = 1) { m_nCheck = check; }
    void SetRadio(BOOL on = 1) { m_nCheck = on ? 1 : 0; }

    bool IsEnabled() const { return m_bEnabled; }
    int GetCheck() const { return m_nCheck; }

    UINT m_nID;

private:
    bool m_bEnabled = true;
    int m_nCheck = 0;
};
