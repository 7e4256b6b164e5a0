// SPDX-License-Identifier: MIT
#include "platform/docview/CDocument.h"

#include "platform/docview/CCmdUI.h"
#include "platform/docview/CDocTemplate.h"
#include "platform/docview/CFrameWnd.h"
#include "platform/docview/CView.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"

#include <algorithm>
#include <filesystem>

using namespace vandrel::win32;

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Deleted outright rather than closed: nothing may keep pointing here.
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    for (CFrameWnd* frame : GetFrames())
        frame->DetachDocument();
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

void CDocument::SetPathName(const char* path)
{
    m_strPathName = path ? path : "";
    SetTitle(std::filesystem::path(m_strPathName.c_str()).filename().string().c_str());
}

void CDocument::SetTitle(const char* title)
{
    m_strTitle = title ? title : "";
    for (CFrameWnd* frame : GetFrames())
        frame->OnUpdateFrameTitle();
}

void CDocument::SetModifiedFlag(BOOL modified)
{
    const BOOL was = m_bModified;
    m_bModified = modified ? 1 : 0;
    if (was != m_bModified)
        for (CFrameWnd* frame : GetFrames())
            frame->OnUpdateFrameTitle();
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (view->m_pDocument && view->m_pDocument != this)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, void* hintObject)
{
    // A view's update may make or close views; walk a copy.
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
}

std::vector<CFrameWnd*> CDocument::GetFrames() const
{
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame();
            frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    return frames;
}

BOOL CDocument::OnNewDocument()
{
    m_strPathName.clear();
    SetModifiedFlag(0);
    return 1;
}

BOOL CDocument::OnOpenDocument(const char*)
{
    return 0;
}

BOOL CDocument::OnSaveDocument(const char*)
{
    SetModifiedFlag(0);
    return 1;
}

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    for (CFrameWnd* frame : GetFrames()) {
        frame->DetachDocument();
        if (frame->IsDestroying())
            continue;
        frame->close();
        frame->deleteLater();
    }
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        RemoveView(view);
    if (CDocTemplate* owner = m_pDocTemplate) {
        owner->RemoveDocument(this);
        delete this;
        return;
    }
    m_bClosing = false;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return 1;
    const CString name = m_strTitle.empty() ? CString("Untitled") : m_strTitle;
    const CString text = "Save changes to " + name + "?";
    switch (AfxMessageBox(text.c_str(), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return 0;
    case IDYES: return DoFileSave();
    default: return 1;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    for (CFrameWnd* other : GetFrames())
        if (other != frame)
            return 1; // another frame still shows the document
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    return DoSave(m_strPathName.empty() ? nullptr : m_strPathName.c_str(), 1);
}

BOOL CDocument::DoSave(const char* path, BOOL replace)
{
    CString target = path ? path : "";
    if (target.empty()) {
        CFileDialog dialog(0, nullptr, m_strTitle.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
            GetFileFilter().c_str(), AfxGetMainWnd());
        if (dialog.DoModal() != IDOK)
            return 0;
        target = dialog.GetPathName();
    }
    if (!OnSaveDocument(target.c_str()))
        return 0;
    if (replace)
        SetPathName(target.c_str());
    return 1;
}

void CDocument::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}

void CDocument::OnUpdateFileSave(CCmdUI* cmd) const
{
    cmd->Enable(1);
}
