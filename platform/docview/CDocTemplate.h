// SPDX-License-Identifier: MIT
// Makes documents of one kind with their frames and views, and owns them
// while they are open. The host gives a factory for the document and one
// for the frame; the frame factory builds the frame with its views (each
// joined to the document) and puts it on screen.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <functional>
#include <vector>

class CDocument;
class CFrameWnd;

class KIVGUI_EXPORT CDocTemplate {
public:
    using DocumentFactory = std::function<CDocument*()>;
    using FrameFactory = std::function<CFrameWnd*(CDocument*)>;

    CDocTemplate(DocumentFactory document, FrameFactory frame, const char* filter = nullptr);
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // Opens path in a new document, or a new empty document when path is
    // null. Null when the document would not open (nothing is left open).
    CDocument* OpenDocumentFile(const char* path);
    const std::vector<CDocument*>& GetDocuments() const { return m_documents; }
    const CString& GetFilter() const { return m_filter; }

    // Every modified document asks to be saved; FALSE when one was cancelled.
    BOOL SaveAllModified();
    void CloseAllDocuments();
    void RemoveDocument(CDocument* document);

private:
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    CString m_filter;
    std::vector<CDocument*> m_documents;
};
