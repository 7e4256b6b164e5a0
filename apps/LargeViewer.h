// SPDX-License-Identifier: MIT
// The large viewer of the studio's browser: a window showing one slide
// (a file or library(slide)) in a slide view or one drawing's preview,
// filling the window. It deletes itself when closed.
#pragma once

#include "platform/widgets/CWnd.h"

class LargeViewer : public CWnd {
public:
    LargeViewer(int fileType, const CString& file);

    // The viewer callback of thumbnail cells: opens a viewer for slides and
    // drawings, nothing for other types; always 1.
    static int Open(HWND owner, int fileType, const char* file, const char* supportPath);
    // The viewer opened last, while it is open (for tests).
    static LargeViewer* Last();
    QWidget* view() const { return m_view; }

private:
    QWidget* m_view = nullptr;
};
