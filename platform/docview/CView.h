// SPDX-License-Identifier: MIT
// A view of a document: the window that shows it. CView is what a view adds
// to the window class it is built on (class MyView : public CWnd, public
// CView), so a view can be any of the library's controls. It keeps its
// document's list of views up to date from construction to destruction.
#pragma once

#include "platform/KivGui_export.h"
#include "platform/base/Win32Types.h"

class CDocument;
class CFrameWnd;
class QWidget;

class KIVGUI_EXPORT CView {
public:
    CView() = default;
    virtual ~CView();
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    // Joins document (null leaves the current one).
    void SetDocument(CDocument* document);
    CDocument* GetDocument() const { return m_pDocument; }

    // The window this view is.
    virtual QWidget* GetViewWidget() = 0;
    // The nearest frame among the window's parents; null when there is none.
    CFrameWnd* GetParentFrame();

    // Once, when the frame is complete: the default calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed; the default repaints the window.
    virtual void OnUpdate(CView* sender, LPARAM hint, void* hintObject);

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
