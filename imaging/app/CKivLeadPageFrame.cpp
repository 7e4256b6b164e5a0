// SPDX-License-Identifier: MIT
#include "imaging/app/CKivLeadPageFrame.h"

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/CKivLeadAppView.h"
#include "imaging/app/CKivLeadThumbView.h"
#include "imaging/widgets/CKivLeadScrollBars.h"

#include <QSplitter>

#include <string>

CKivLeadPageFrame::CKivLeadPageFrame(CKivLeadAppDoc* document, QWidget* parent) : CFrameWnd(parent)
{
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    if (document && document->m_bMultiPage) {
        m_pPages = new CKivLeadThumbView(m_pSplitter);
        m_pPages->CreateList(CKivLeadThumbView::kListId);
        m_pSplitter->addWidget(m_pPages);
    }
    m_pView = new CKivLeadAppView(m_pSplitter);
    m_pBars = new CKivLeadScrollBars(m_pView, m_pSplitter);
    m_pBars->setZoom([view = m_pView](int steps) { steps > 0 ? view->ViewZoomIn() : view->ViewZoomOut(); });
    m_pSplitter->addWidget(m_pBars);
    if (m_pPages) {
        m_pSplitter->setStretchFactor(0, 0);
        m_pSplitter->setStretchFactor(1, 1);
        m_pSplitter->setSizes({CKivLeadThumbView::kItemWidth + 28, 600});
        m_pView->SetThumbView(m_pPages);
        m_pPages->SetDocument(document);
    }
    m_pView->SetDocument(document);
    SetActiveDocument(document);
    SetActiveView(m_pView);
    resize(800, 600);
}

CKivLeadPageFrame::~CKivLeadPageFrame() = default;

void CKivLeadPageFrame::OnSize(UINT type, int cx, int cy)
{
    CFrameWnd::OnSize(type, cx, cy);
    m_pSplitter->setGeometry(0, 0, cx, cy);
}

LRESULT CKivLeadPageFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* file = reinterpret_cast<const char*>(lParam);
    switch (message) {
    case KIVLEAD_WM_PAGE_ADD:
        // Add goes after the last page, insert before the page shown.
        if (m_pPages && file)
            m_pPages->InsertThumbs(file, wParam ? m_pPages->GetCount() : std::max(0, m_pPages->GetCurrentPage()), 0);
        return 0;
    case KIVLEAD_WM_PAGE_REPLACE:
        if (m_pPages && file)
            m_pPages->ReplaceThumb(file, std::max(0, m_pPages->GetCurrentPage()));
        return 0;
    case KIVLEAD_WM_PAGE_DELETE:
        if (m_pPages)
            m_pPages->RemoveThumb(lParam >= 0 ? static_cast<int>(lParam) : m_pPages->GetCurrentPage());
        return 0;
    case vandrel::win32::WM_USER: OnUpdateFrameTitle(); return 0;
    default: return CFrameWnd::WindowProc(message, wParam, lParam);
    }
}

void CKivLeadPageFrame::OnUpdateFrameTitle()
{
    CFrameWnd::OnUpdateFrameTitle();
    if (!m_pPages || m_pPages->GetCount() < 1 || !GetActiveDocument())
        return;
    const std::string title = GetWindowText() + " - page " + std::to_string(m_pPages->GetCurrentPage() + 1) + " of "
        + std::to_string(m_pPages->GetCount());
    SetWindowText(title.c_str());
    setWindowTitle(QString::fromStdString(title));
}
