// SPDX-License-Identifier: MIT
// The window that holds a document's views: its title follows the
// document's, and closing it asks the document first (CanCloseFrame), so a
// modified document is never closed behind the user's back. The host builds
// its panes inside it and may put it in an MDI area; messages sent to the
// frame reach WindowProc.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/CWnd.h"

class CDocument;
class CView;

class KIVGUI_EXPORT CFrameWnd : public CWnd {
    Q_OBJECT

public:
    explicit CFrameWnd(QWidget* parent = nullptr);
    ~CFrameWnd() override;

    CDocument* GetActiveDocument() const { return m_pDocument; }
    void SetActiveDocument(CDocument* document) { m_pDocument = document; }
    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view) { m_pActiveView = view; }

    // Sends every view inside the frame its OnInitialUpdate and shows the frame.
    virtual void InitialUpdateFrame();
    // The document's title, with " *" while it is modified.
    virtual void OnUpdateFrameTitle();

    // The document is closing: the frame goes without asking again.
    void DetachDocument();
    // The frame is being destroyed (its document must not close it again).
    bool IsDestroying() const { return m_bDestroying; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void leaveDocument(CDocument* document);

    CDocument* m_pDocument = nullptr;
    CView* m_pActiveView = nullptr;
    bool m_bDestroying = false;
};
