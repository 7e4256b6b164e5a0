// SPDX-License-Identifier: MIT
#include "platform/docview/CFrameWnd.h"

#include "platform/docview/CDocument.h"
#include "platform/docview/CView.h"

#include <QCloseEvent>

#include <vector>

CFrameWnd::CFrameWnd(QWidget* parent) : CWnd(parent)
{
}

CFrameWnd::~CFrameWnd()
{
    // A frame that goes on its own (its parent deleted it) leaves its
    // document as a closed frame does.
    m_bDestroying = true;
    if (CDocument* document = m_pDocument)
        leaveDocument(document);
}

void CFrameWnd::leaveDocument(CDocument* document)
{
    m_pDocument = nullptr;
    std::vector<CView*> mine;
    for (QWidget* child : findChildren<QWidget*>())
        if (auto* view = dynamic_cast<CView*>(child); view && view->GetDocument() == document)
            mine.push_back(view);
    // The document's last views go with it; otherwise only this frame's do,
    // so the frame left open last closes the document.
    if (mine.size() == document->GetViews().size()) {
        document->OnCloseDocument();
        return;
    }
    for (CView* view : mine)
        document->RemoveView(view);
}

void CFrameWnd::InitialUpdateFrame()
{
    for (QWidget* child : findChildren<QWidget*>())
        if (auto* view = dynamic_cast<CView*>(child)) {
            view->OnInitialUpdate();
            if (!m_pActiveView)
                m_pActiveView = view;
        }
    OnUpdateFrameTitle();
    show();
}

void CFrameWnd::OnUpdateFrameTitle()
{
    if (!m_pDocument)
        return;
    CString title = m_pDocument->GetTitle().empty() ? CString("Untitled") : m_pDocument->GetTitle();
    if (m_pDocument->IsModified())
        title += " *";
    SetWindowText(title.c_str());
    setWindowTitle(QString::fromStdString(title));
}

void CFrameWnd::DetachDocument()
{
    m_pDocument = nullptr;
}

void CFrameWnd::closeEvent(QCloseEvent* event)
{
    CDocument* document = m_pDocument;
    if (document && !document->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    event->accept();
    if (document)
        leaveDocument(document);
}
