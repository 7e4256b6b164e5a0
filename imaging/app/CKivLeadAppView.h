// SPDX-License-Identifier: MIT
// The image editor's view of a document: paints the document's image with
// the application's display preferences, zooms (four view modes), scrolls
// with the keys and the wheel, keeps a pan window, and runs the edit and
// selection commands on the document's image. Every command takes the
// document's single undo snapshot; there is no redo. Page commands ask for
// a file or a confirmation and send the frame 0xBD2 (add or insert,
// wParam 1 to add), 0xBD3 (replace) or 0xBD4 (delete) with the file name's
// address in lParam.
#pragma once

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/editor/CKivLeadSelectCtrl.h"
#include "platform/docview/CView.h"

#include <QPointer>

class CCmdUI;
class KivLeadAppContext;
class CKivLeadAppDoc;
class CKivLeadThumbView;
class QWidget;

constexpr UINT KIVLEAD_WM_PAGE_ADD = 0xBD2;
constexpr UINT KIVLEAD_WM_PAGE_REPLACE = 0xBD3;
constexpr UINT KIVLEAD_WM_PAGE_DELETE = 0xBD4;

class KIVLEAD_EXPORT CKivLeadAppView : public CKivLeadSelectCtrl, public CView {
public:
    static constexpr int kModeNormal = KivLeadPageView::kNormal;
    static constexpr int kModeZoom = 1;
    static constexpr int kModeFit = KivLeadPageView::kFit;
    static constexpr int kModeSnap = 3;
    static constexpr int kMinZoom = 20;
    static constexpr int kMaxZoom = 1600;
    static constexpr int kZoomStep = 20;

    explicit CKivLeadAppView(QWidget* parent = nullptr);
    ~CKivLeadAppView() override;

    QWidget* GetViewWidget() override { return this; }
    CKivLeadAppDoc* GetDocument() const;
    KivLeadAppContext* GetApp() const;
    // The page list in the same frame; null outside the two-pane frame.
    void SetThumbView(CKivLeadThumbView* list) { m_pThumbView = list; }
    CKivLeadThumbView* GetThumbView() const { return m_pThumbView; }
    // The view shows a page list beside it and the format holds pages.
    BOOL IsMultiPageView() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;
    // Sets the document's modified flag and updates all its views with kind.
    void OnChanged(unsigned kind) override;
    void OnEditUndo() override;
    void OnUpdateEditUndo(CCmdUI* cmd) const;

    // View modes and zoom.
    int GetViewMode() const { return m_nViewMode; }
    void SetViewMode(int mode);
    void OnViewNormal() { SetViewMode(kModeNormal); }
    void OnViewZoomMode() { SetViewMode(kModeZoom); }
    void OnViewFit() { SetViewMode(kModeFit); }
    void OnViewSnap() { SetViewMode(kModeSnap); }
    void ViewZoomIn();
    void ViewZoomOut();
    void SetViewZoom(int zoom);
    // Keeps the pan window with the part shown.
    void ScrollToPosition(CPoint position) override;

    // A small window showing the whole image and the visible part; moving
    // its rectangle scrolls the view.
    void ViewPanWindow();
    QWidget* GetPanWindow() const { return m_pPan; }
    // The pan window's rectangle moved to rect (image pixels).
    void OnPanMoved(const QRect& rect);

    // Page commands (enabled only in the two-pane page frame).
    void OnPageAdd() { AddPage(1); }
    void OnPageInsert() { AddPage(0); }
    void AddPage(int add);
    void OnPageReplace();
    void OnPageDelete();
    void OnUpdatePageCommand(CCmdUI* cmd) const;
    void OnUpdatePageDelete(CCmdUI* cmd) const;

    // The commands only this view has.
    void OnImageDeskew();
    void OnImageEffectsDespeckle();
    void OnImageMaxFilter();
    void OnImageMinFilter();
    void OnImageBinaryFiltersErosion();
    void OnImageBinaryFiltersDilation();
    void OnUpdateColorWindowLevel(CCmdUI* cmd) const;
    void OnUpdateImageEffectsEdgeEnhance(CCmdUI* cmd) const;
    // Opens one new document per plane instead of changing the image.
    void OnColorSeparation(int cmyk);
    // The other document's image combined onto this one (mode as the edit
    // control's CombineBitmap).
    void CombineBitmap(CKivLeadAppDoc* other, int mode);

    // The tool palette.
    void OnPalDrawPoint() { OnDrawPoint(); }
    void OnPalDrawLine() { OnDrawLine(); }
    void OnPalDrawRect() { OnDrawRectangle(); }
    void OnPalDrawEllipse() { OnDrawEllipse(); }
    void OnPalDrawText() { OnDrawText(); }
    void OnPalSelectRect() { OnSelectRectangle(); }
    void OnPalSelectElli() { OnSelectEllipse(); }
    void OnPalSelectRndrect() { OnSelectRoundRect(); }
    void OnPalSelectFreehand() { OnSelectFreeHand(); }
    void OnPalSelectColor() { OnSelectColor(); }

    // Prints the image; to a PDF file when pdf is set.
    int PrintPage(const char* pdf = nullptr);

protected:
    void BeginProcessing() override;
    void EndProcessing(int status) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void runProcess(int (*operation)(CLeadBitmap*, int, int), int a, int b, unsigned kind);
    void applyZoom(int zoom);
    void clampScroll();
    void syncPan();

    CKivLeadThumbView* m_pThumbView = nullptr;
    int m_nViewMode = kModeNormal;
    QPointer<QWidget> m_pPan;
};
