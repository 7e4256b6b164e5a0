// SPDX-License-Identifier: MIT
// A paged grid of thumbnail cells in one child window: the items (a
// KivThumbList), one screenful of cell windows (a KivIconList), scrolling by
// whole rows with its own scroll bar, keys and the wheel, single or multiple
// selection (click, Shift range, Ctrl toggle, rubber band), and clicks and
// double clicks posted to the parent as WM_COMMAND with the control's
// identifier and the cell's code. Concrete browsers make and fill the cells
// (MakeThumb, ViewThumb).
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivThumbCtrl.h"
#include "controls/KivIconList.h"
#include "controls/KivThumbList.h"
#include "platform/base/CStringArray.h"

class CKivStringArray;
class CScrollBar;

class KIVCTRL_EXPORT CKivThumbListCtrl : public CKivStatic {
public:
    static constexpr UINT kFirstCellId = 1124;
    static constexpr UINT kScrollBarId = 2024;
    static constexpr int kScrollBarWidth = 16;
    // Virtual key codes DoKeyDown acts on.
    static constexpr UINT kKeyPageUp = 0x21, kKeyPageDown = 0x22, kKeyEnd = 0x23, kKeyHome = 0x24, kKeyUp = 0x26,
                          kKeyDown = 0x28;

    explicit CKivThumbListCtrl(QWidget* parent = nullptr);
    ~CKivThumbListCtrl() override;

    // Builds the cells of a cols × rows page (the window size decides in
    // fixed-size mode); gives the number of cells.
    virtual int MakeThumb(int cols, int rows) = 0;
    // Shows items first, first + 1, … in the cells.
    virtual void ViewThumb(int first) = 0;
    // Inverts each cell whose flag differs from its item's.
    virtual void SetInvertAll();
    // Selects the item of cell; the other cells take invert.
    void SetInvertAll(HWND cell, int invert);

    void SetMargin(int margin) { m_nMargin = margin; }
    void SetLabelHeight(int height) { m_nLabelHeight = height; }
    void SetLabelState(int state) { m_nLabelState = state; }
    void SetLabelStyle(int style) { m_nLabelStyle = style; }
    void SetLargeView(int largeView) { m_bLargeView = largeView; }
    void SetFocus(int focus) { m_bSelectOnClick = focus; }
    void SetContextMenu(int contextMenu) { m_bContextMenu = contextMenu; }
    void SetMultiSelect(int multi) { m_bMultiSelect = multi; }
    int GetMultiSelect() const { return m_bMultiSelect; }
    void SetScrollEnable(int enable) { m_bScrollEnable = enable; }
    int GetScrollEnable() const { return m_bScrollEnable; }
    void SetViewer(KivThumbViewer viewer) { m_pViewer = viewer; }
    KivThumbViewer GetViewer() const { return m_pViewer; }
    void SetImageSize(int width, int height)
    {
        m_nImageWidth = width;
        m_nImageHeight = height;
    }
    void SetNavButton(CWnd* prev, CWnd* next)
    {
        m_pPrevButton = prev;
        m_pNextButton = next;
    }
    int GetCols() const { return m_nCols; }
    int GetRows() const { return m_nRows; }
    int GetPages() const { return m_nPages; }
    int GetTopRow() const { return m_nTopRow; }
    int GetTotalRows() const { return m_nTotalRows; }
    int GetCellsPerPage() const { return m_nCellsPerPage; }
    int IsScrollShown() const { return m_bScrollShown; }
    KivThumbList* GetThumbList() const { return m_pThumbList; }
    const KivIconList& GetIconList() const { return m_iconList; }
    CScrollBar* GetScrollBar() const { return m_pScrollBar; }

    void AddItem(const char* file, const char* label, const char* data);
    void AddItems(CStringArray* files, int clear);
    void AddFile(const char* dir, const char* name, const char* label, const char* data);
    void Sort(int key, int descending);
    // The control owns the list from now on.
    void SetThumbList(KivThumbList* list);
    void ClearNameList();
    void ClearThumbList();
    void ClearThumb();
    int RemoveSelected(int unused);

    static void GetFileList(const char* dir, const char* pattern, CStringArray* out);
    static void GetFileList(const char* dir, CKivStringArray* extensions, CStringArray* out);
    static void GetExtensionList(const char* filter, CStringArray* out);

    int GetCurSel() const;
    int SetCurSel(int index);
    void SetSelectAll(int select);
    void SetSelected(int index, int select);
    int GetSelCount() const;
    int GetSelThumbs(int max, long* out) const;
    // Allocated with new[]; the caller deletes it.
    long* GetSelThumbs(int* count) const;
    int SetSelThumbs(int n, const long* indices);
    void SetSelList(const long* indices, int n) { SetSelThumbs(n, indices); }
    int GetSelList(CStringArray* out, int selectedOnly) const;

    void PagePrev();
    void PageNext();
    void DoKeyDown(UINT key);
    int DoMouseWheel(UINT flags, short delta, CPoint point);
    int GetPage() const;
    int IsBOF() const { return GetPage() < 2; }
    int IsEOF() const { return m_nPages <= GetPage(); }

    // The cell rectangle of index in a client of width × height.
    void GetThumbRect(int index, int width, int height, CRect* out) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CalcSize(int* cols, int* rows) const;
    void SetSize(int cols, int rows);
    void MakeScrollBar();
    void ResizeThumb(int width, int height);
    void ScrollThumb(int force);
    void AddThumb(CKivThumbCtrl* cell);
    void SetNavState();
    void DrawDrag(CPoint point, int draw, int erase);
    void SetSelectArea(CPoint a, CPoint b);
    int SetInvertBegin(int index);
    int SetInvertEnd(int index);
    // The client width the cells share: less the scroll bar when it shows.
    int UsableWidth() const;
    void RepaintParent();
    void OnVScroll(UINT code, UINT pos);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    CScrollBar* m_pScrollBar = nullptr;
    CWnd* m_pPrevButton = nullptr;
    CWnd* m_pNextButton = nullptr;
    KivThumbList* m_pThumbList = nullptr;
    KivIconList m_iconList;
    CPoint m_dragStart;
    CPoint m_dragEnd;
    int m_nCellsPerPage = 0;
    int m_nCols = 0;
    int m_nRows = 0;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    int m_nPages = 0;
    int m_nTotalRows = 0;
    int m_nTopRow = 0;
    int m_nLabelStyle = 0;
    int m_nMargin = 3;
    int m_nLabelHeight = 20;
    int m_nLabelState = 1;
    int m_bFixedSize = 0;
    int m_bLargeView = 0;
    int m_bSelectOnClick = 0;
    int m_bScrollEnable = 1;
    int m_bScrollShown = 0;
    int m_bMultiSelect = 0;
    int m_bDragging = 0;
    int m_bContextMenu = 1;
    KivThumbViewer m_pViewer = nullptr;
};
