// SPDX-License-Identifier: MIT
#include "platform/docview/CView.h"

#include "platform/docview/CDocument.h"
#include "platform/docview/CFrameWnd.h"

#include <QWidget>

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::SetDocument(CDocument* document)
{
    if (document)
        document->AddView(this);
    else if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame()
{
    for (QWidget* w = GetViewWidget() ? GetViewWidget()->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CFrameWnd*>(w))
            return frame;
    return nullptr;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, void*)
{
    if (QWidget* w = GetViewWidget())
        w->update();
}
