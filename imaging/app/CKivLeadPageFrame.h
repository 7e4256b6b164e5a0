// SPDX-License-Identifier: MIT
// A ready-made frame for an image document: the image view alone, or, for
// a file of several pages, the page list beside it in a splitter. It
// carries out the view's page messages (0xBD2 add or insert, 0xBD3
// replace, 0xBD4 delete) on the page list and titles itself with the page
// shown when the list tells it of a page change (WM_USER). Hosts may use
// it as it is or build their own frame.
#pragma once

#include "imaging/KivLead_export.h"
#include "platform/docview/CFrameWnd.h"

class CKivLeadAppDoc;
class CKivLeadAppView;
class CKivLeadScrollBars;
class CKivLeadThumbView;
class QSplitter;

class KIVLEAD_EXPORT CKivLeadPageFrame : public CFrameWnd {
public:
    // The views join document; the page list only when it is multi-page.
    explicit CKivLeadPageFrame(CKivLeadAppDoc* document, QWidget* parent = nullptr);
    ~CKivLeadPageFrame() override;

    CKivLeadAppView* GetImageView() const { return m_pView; }
    CKivLeadThumbView* GetPageList() const { return m_pPages; }
    // The image view's scroll bars, which hold the view.
    CKivLeadScrollBars* GetScrollBars() const { return m_pBars; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle() override;

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    QSplitter* m_pSplitter = nullptr;
    CKivLeadAppView* m_pView = nullptr;
    CKivLeadScrollBars* m_pBars = nullptr;
    CKivLeadThumbView* m_pPages = nullptr;
};
