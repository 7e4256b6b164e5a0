// SPDX-License-Identifier: MIT
// A document of the document/view framework: the data one or more views show,
// with its file's name, a title, the modified flag and the framework's save
// commands. Views register themselves with AddView; UpdateAllViews tells them
// of a change. A document made by a CDocTemplate belongs to it, and
// OnCloseDocument closes its frames and deletes it.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <vector>

class CCmdUI;
class CDocTemplate;
class CFrameWnd;
class CView;

class KIVGUI_EXPORT CDocument {
public:
    CDocument();
    virtual ~CDocument();
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const CString& GetPathName() const { return m_strPathName; }
    // Also sets the title to the file's name.
    virtual void SetPathName(const char* path);
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* title);

    BOOL IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = 1);

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // Every view but sender gets OnUpdate(sender, hint, hintObject).
    void UpdateAllViews(CView* sender, LPARAM hint = 0, void* hintObject = nullptr);
    // The frames that hold this document's views, each once.
    std::vector<CFrameWnd*> GetFrames() const;

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // A new, empty document: no path, not modified.
    virtual BOOL OnNewDocument();
    // Reads path; the default reads nothing and fails.
    virtual BOOL OnOpenDocument(const char* path);
    // Writes path; the default clears the modified flag.
    virtual BOOL OnSaveDocument(const char* path);
    // Closes every frame of the document, then deletes it when a template
    // owns it.
    virtual void OnCloseDocument();

    // The framework's question before a modified document goes: "Save
    // changes to TITLE?" with Yes, No and Cancel. TRUE to go on (saved or
    // not wanted), FALSE on Cancel or a failed save.
    virtual BOOL SaveModified();
    // Asked when frame is to close: the last frame of a document saves first.
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    // Saves under the path, asking for one when there is none.
    BOOL DoFileSave();
    // Saves to path, or asks with the save dialog when path is null; a save
    // under a new name (replace) makes it the document's path.
    virtual BOOL DoSave(const char* path, BOOL replace = 1);

    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(nullptr); }
    void OnFileClose();
    void OnUpdateFileSave(CCmdUI* cmd) const;

    // The file types the save dialog offers, in Win32 filter form.
    virtual CString GetFileFilter() const { return "All Files (*.*)|*.*||"; }

private:
    friend class CDocTemplate;

    CString m_strPathName;
    CString m_strTitle;
    BOOL m_bModified = 0;
    bool m_bClosing = false;
    std::vector<CView*> m_views;
    CDocTemplate* m_pDocTemplate = nullptr;
};
