// SPDX-License-Identifier: MIT
// "View RichText": a file shown read-only in a resizable dialog, an RTF
// file as formatted text and anything else as plain text. At most
// kMaxFileBytes of the file are read; a larger file says so under what is
// shown.
#pragma once

#include "controls/CKivFileViewDlg.h"
#include "dialogs/KivDlg_export.h"
#include "platform/widgets/CRichEditCtrl.h"

#include <cstdint>
#include <vector>

class KIVDLG_EXPORT CKivViewRichDlg : public CKivFileViewDlg {
public:
    static constexpr std::uint64_t kMaxFileBytes = 8u << 20;

    explicit CKivViewRichDlg(QWidget* parent = nullptr);
    ~CKivViewRichDlg() override;

    BOOL OnInitDialog() override;
    CRichEditCtrl* GetView() { return &m_view; }
    // Fills the view from bytes: formatted when they are RTF. fileSize is
    // the size of the whole file the bytes start.
    void ShowBytes(const std::vector<std::uint8_t>& bytes, std::uint64_t fileSize);

private:
    CRichEditCtrl m_view;
};

// The placement arguments are those of KivDlgViewFile; a file that cannot
// be read leaves the view empty. 1 on the button, else 0.
KIVDLG_EXPORT int KivDlgViewRich(
    HWND owner, const char* file, const char* title, int x, int y, int w, int h, int margin, int hasOk);
