// SPDX-License-Identifier: MIT
// The image editor's document: one image, which may be one page of a
// multi-page file, with the single undo snapshot the view's commands take.
// A multi-page file is never read whole: the document holds its current
// page, and saving a changed page replaces just that page in the file.
#pragma once

#include "imaging/KivLead_export.h"
#include "imaging/toolkit/CLeadBitmap.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "platform/docview/CDocument.h"

#include <QTransform>

#include <memory>

class KivLeadAppContext;

// How the image view shows a page (its view mode, zoom and scroll): the page
// list keeps it per page and hands it back when the page returns.
struct KivLeadPageView {
    static constexpr int kNormal = 0; // the view modes the list tells apart
    static constexpr int kFit = 2;
    int mode = -1; // -1: no image view answered
    int zoom = 100;
    int hscroll = 0;
    int vscroll = 0;
};

class KIVLEAD_EXPORT CKivLeadAppDoc : public CDocument {
public:
    // What the document tells its views through UpdateAllViews, beside the
    // edit kinds the image view sends: a page (its 0-based index the hint
    // object) was saved into the file; the file's other pages are gone (it
    // was written anew with this page alone); the image is about to go.
    static constexpr LPARAM kHintPageSaved = 0x10000;
    static constexpr LPARAM kHintPagesGone = 0x10001;
    static constexpr LPARAM kHintClosing = 0x10002;
    // Between the page list and the image view, which know each other
    // only through the document: the image view fills a KivLeadPageView
    // with how it shows the page, or takes one for the page now shown; the
    // image view changed the page's pixels; the page list gives its count
    // (an int).
    static constexpr LPARAM kHintReadPageView = 0x10003;
    static constexpr LPARAM kHintShowPageView = 0x10004;
    static constexpr LPARAM kHintPageEdited = 0x10005;
    static constexpr LPARAM kHintCountPages = 0x10006;

    CKivLeadAppDoc();
    ~CKivLeadAppDoc() override;

    // A changed page of a multi-page file: asks (see the application's
    // page prompt preference), then replaces that page (0-based) in file
    // with the image. 1 to go on, 0 on Cancel or a failed save.
    int SaveModified(int page, const char* file);
    // The framework's question for a whole document; a multi-page document
    // answers for its current page.
    BOOL SaveModified() override;
    // The format holds pages: TIFF, GIF and ICO here.
    BOOL CanActOnPage() const;

    // Page 1, or the page the application's load options name.
    BOOL OnOpenDocument(const char* path) override;
    // An empty document, or one made from the application's new-document
    // source; FALSE (with the error shown) when the source gave nothing.
    BOOL OnNewDocument() override;
    // Writes the image; a multi-page document replaces its current page.
    BOOL OnSaveDocument(const char* path) override;
    void OnCloseDocument() override;
    CString GetFileFilter() const override;

    // A rectangle or ellipse (image pixels, mapped through transform)
    // combined into the image's region with mode (KIVLEAD_RGN_…).
    int SetRgnRect(const QTransform& transform, const QRect& rect, int mode);
    int SetRgnEllipse(const QTransform& transform, const QRect& rect, int mode);

    // The undo snapshot: a copy of the image before the last command
    // (shares its pixels until the command changes them).
    void TakeUndo();
    void DeleteUndo();
    // Moves the snapshot back into the image; false when there is none.
    bool Undo();
    const CLeadBitmap* GetUndo() const { return m_pUndo.get(); }

    CLeadBitmap* GetBitmap() { return &m_Bitmap; }
    // The current page (0-based) of a multi-page document; -1 after that
    // page left the file and before another one is shown.
    int GetCurrentPage() const { return m_nCurrentPage; }
    // The pages the page list holds; 0 without one.
    int CountPages();
    void SetCurrentPage(int page) { m_nCurrentPage = page < 0 ? -1 : page; }

    KivLeadAppContext* m_pApp = nullptr;
    CLeadBitmap m_Bitmap;
    int m_nFormat = -1;
    int m_bMultiPage = 0;
    int m_bAutoSave = 0;
    KivLeadSaveOptions m_SaveOptions;

protected:
    // Reads the new-document source into the image; the toolkit's status.
    virtual int CreateFromSource(int source);

private:
    int saveImage(const char* path, int page, unsigned flags);
    int saveCopy(const char* path);

    std::unique_ptr<CLeadBitmap> m_pUndo;
    int m_nCurrentPage = 0;
};
