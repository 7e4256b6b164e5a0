// SPDX-License-Identifier: MIT
#include "platform/docview/CDocTemplate.h"

#include "platform/docview/CDocument.h"
#include "platform/docview/CFrameWnd.h"

#include <algorithm>

CDocTemplate::CDocTemplate(DocumentFactory document, FrameFactory frame, const char* filter)
    : m_makeDocument(std::move(document)), m_makeFrame(std::move(frame)), m_filter(filter ? filter : "")
{
}

CDocTemplate::~CDocTemplate()
{
    CloseAllDocuments();
}

CDocument* CDocTemplate::OpenDocumentFile(const char* path)
{
    if (!m_makeDocument || !m_makeFrame)
        return nullptr;
    CDocument* document = m_makeDocument();
    if (!document)
        return nullptr;
    const bool opened = path ? document->OnOpenDocument(path) : document->OnNewDocument();
    if (!opened) {
        delete document;
        return nullptr;
    }
    if (path) {
        document->SetPathName(path);
        document->SetModifiedFlag(0);
    }
    document->m_pDocTemplate = this;
    m_documents.push_back(document);
    CFrameWnd* frame = m_makeFrame(document);
    if (!frame) {
        document->OnCloseDocument();
        return nullptr;
    }
    frame->SetActiveDocument(document);
    frame->InitialUpdateFrame();
    return document;
}

BOOL CDocTemplate::SaveAllModified()
{
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* document : documents)
        if (!document->SaveModified())
            return 0;
    return 1;
}

void CDocTemplate::CloseAllDocuments()
{
    while (!m_documents.empty())
        m_documents.back()->OnCloseDocument();
}

void CDocTemplate::RemoveDocument(CDocument* document)
{
    m_documents.erase(std::remove(m_documents.begin(), m_documents.end(), document), m_documents.end());
}
