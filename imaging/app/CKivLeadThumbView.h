// SPDX-License-Identifier: MIT
// The page list beside the image view of a multi-page file: one item per
// page, each with a thumbnail of at most 200 × 140 pixels and the view
// state the page was left in (zoom, scroll position, fit mode, changed
// mark). Choosing another page saves or drops the current page's changes
// (the document's SaveModified) and loads only the new page. Inserting,
// replacing and deleting pages change the file through the toolkit's
// page-aware operations, each one atomic rewrite.
#pragma once

#include "imaging/KivLead_export.h"
#include "imaging/toolkit/CLeadBitmap.h"
#include "platform/docview/CView.h"
#include "platform/widgets/CListBox.h"

#include <QIcon>
#include <QTimer>

class CKivLeadAppDoc;

// One page's item. Its thumbnail is made after the list is shown, a page
// at a time while the program is idle (visible pages first), so a file of
// hundreds of pages opens at once; until then the item shows the page's
// outline from its size.
struct KivLeadThumbItem {
    CLeadBitmap thumb;
    bool ready = false; // thumb holds the page's picture
    int width = 0; // the page's size, from the file's directory
    int height = 0;
    int zoom = 100;
    int vscroll = 0;
    int hscroll = 0;
    int fitMode = 0; // the view mode (2: fitted to the window)
    int changed = 0;
};

class KIVLEAD_EXPORT CKivLeadThumbView : public CWnd, public CView {
public:
    static constexpr int kItemWidth = 200;
    static constexpr int kItemHeight = 140;
    static constexpr UINT kListId = 1;

    explicit CKivLeadThumbView(QWidget* parent = nullptr);
    ~CKivLeadThumbView() override;

    QWidget* GetViewWidget() override { return this; }
    CKivLeadAppDoc* GetDocument() const;
    // The image view the page list drives (the host's other pane).

    // Makes the list box (owner drawn, fixed items, scroll bar always shown).
    BOOL CreateList(unsigned id);
    CListBox* GetList() const { return m_pList; }
    // A thumbnail for every page of the document's file.
    void OnInitialUpdate() override;
    // A page the document saved gets its thumbnail again; pages that left
    // the file leave the list.
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;

    // Every page of file (or, when it has several and the user answers No,
    // its first) inserted before position (0-based; the count appends),
    // then the first inserted page shown. flag 1 asks nothing and takes
    // them all.
    void InsertThumbs(const char* file, int position, int flag);
    // Page 1 of file in place of page index.
    void ReplaceThumb(const char* file, int index);
    void RemoveThumb(int index);
    // The new item's index, or a negative list-box error.
    int AddThumb(const CLeadBitmap* page, int position);
    // The item of page index shows page now (after a save).
    void RefreshThumb(int index, const CLeadBitmap* page);
    void Clear();
    int GetCount() const;
    int GetCurrentPage() const { return m_nCurrentPage; }
    KivLeadThumbItem* GetItem(int index) const;
    // Moves to the list's selected page (see the page change).
    void SelectionChanged();
    // Selects index in the list and changes to it.
    void SelectPage(int index);
    // The list was changed (insert, replace or delete) since it was made.
    int IsListChanged() const { return m_bListChanged; }
    // Thumbnails still to be made; MakePendingThumbs makes them all now.
    int PendingThumbs() const;
    void MakePendingThumbs();

    // thumbnail becomes source scaled to fit 200 × 140, aspect kept.
    static int CreateThumb(const CLeadBitmap* source, CLeadBitmap* thumbnail);
    // rect shrunk to the largest rectangle of width:height's shape, centred.
    static void MatchAspectRatio(CRect* rect, int width, int height);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    friend class ThumbList;
    void drawItem(LPDRAWITEMSTRUCT item);
    void reselect(int index);
    // Makes one missing thumbnail, a visible one first; false when none is missing.
    bool makeOneThumb();
    int newPageMode();
    void setCurrent(int page);
    void listChanged();

    QTimer m_fill;
    int m_nFirstPending = 0; // items before it all have their thumbnails

    CListBox* m_pList = nullptr;
    int m_nCurrentPage = -1;
    int m_bListChanged = 0;
    bool m_bChanging = false;
    bool m_bSwitching = false; // a change of page is under way
    QIcon m_icon;
};
