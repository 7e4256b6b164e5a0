// SPDX-License-Identifier: MIT
// A resizable viewer dialog: one viewing control fills it above an optional
// centred OK button, with a title, a file, an initial position and size and
// a margin around everything.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivDialog.h"

class KIVCTRL_EXPORT CKivFileViewDlg : public CKivDialog {
public:
    explicit CKivFileViewDlg(UINT templateId = 0, QWidget* parent = nullptr);
    ~CKivFileViewDlg() override;

    void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
    // Without a title, the file in upper case becomes the title.
    void SetFile(const char* file);
    void SetPosition(int x, int y)
    {
        m_nPosX = x;
        m_nPosY = y;
    }
    void SetSize(int width, int height)
    {
        m_nWidth = width;
        m_nHeight = height;
    }
    void SetMargin(int margin) { m_nMargin = margin; }
    void SetHasOk(int hasOk) { m_bHasOk = hasOk; }
    // The viewing control laid out by ChangeSize (not owned).
    void SetViewCtrl(CWnd* view) { m_pViewCtrl = view; }

    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetFile() const { return m_strFile; }

    BOOL OnInitDialog() override;

protected:
    // Moves and sizes the dialog (negative position, 0 size: keep) and lays
    // out the viewing control and the OK button.
    void ChangeSize(int x, int y, int width, int height);
    void OnSize(UINT type, int cx, int cy) override;

    CWnd* m_pViewCtrl = nullptr;
    CString m_strTitle;
    CString m_strFile;
    int m_nPosX = -1;
    int m_nPosY = -1;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nMargin = 5;
    int m_bHasOk = 1;
};
