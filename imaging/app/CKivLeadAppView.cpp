// SPDX-License-Identifier: MIT
#include "imaging/app/CKivLeadAppView.h"

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/KivLeadAppContext.h"
#include "imaging/devices/KivLeadDevices.h"
#include "imaging/widgets/KivLeadDlg.h"
#include "platform/docview/CCmdUI.h"
#include "platform/docview/CFrameWnd.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <string>

using namespace vandrel::win32;

namespace {

constexpr int kLine = 16; // pixels an arrow key scrolls

// The whole image small, with the part the view shows framed; dragging
// the frame scrolls the view.
class PanWindow : public QWidget {
public:
    explicit PanWindow(CKivLeadAppView* view) : QWidget(view, Qt::Tool), m_view(view)
    {
        setObjectName("L_PANWINDOW_32");
        setWindowTitle("Pan Window");
        setAttribute(Qt::WA_DeleteOnClose);
        resize(220, 180);
    }
    void setVisibleRect(const QRect& rect)
    {
        m_visible = rect;
        update();
    }
    QRect visibleRect() const { return m_visible; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        const CLeadBitmap* bitmap = m_view->GetBitmap();
        if (!bitmap || !bitmap->IsAllocated())
            return;
        const QRect shown = picture();
        KivLeadPaint(&painter, bitmap, QRect(0, 0, bitmap->Width(), bitmap->Height()), shown);
        painter.setPen(QPen(Qt::red, 0));
        painter.drawRect(toPan(m_visible));
    }
    void mousePressEvent(QMouseEvent* event) override { moveTo(event->position().toPoint()); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() & Qt::LeftButton)
            moveTo(event->position().toPoint());
    }

private:
    QRect picture() const
    {
        const CLeadBitmap* bitmap = m_view->GetBitmap();
        CRect fit(4, 4, width() - 4, height() - 4);
        CKivLeadViewCtrl::MatchAspectRatio(&fit, bitmap->Width(), bitmap->Height());
        return QRect(fit.left, fit.top, fit.Width(), fit.Height());
    }
    double scale() const
    {
        const CLeadBitmap* bitmap = m_view->GetBitmap();
        return bitmap && bitmap->Width() > 0 ? double(picture().width()) / bitmap->Width() : 1.0;
    }
    QRect toPan(const QRect& r) const
    {
        const double s = scale();
        const QRect p = picture();
        return QRect(p.left() + int(r.left() * s), p.top() + int(r.top() * s), int(r.width() * s), int(r.height() * s));
    }
    void moveTo(QPoint centre)
    {
        const double s = scale();
        if (s <= 0)
            return;
        const QRect p = picture();
        QRect r = m_visible;
        r.moveCenter(QPoint(int((centre.x() - p.left()) / s), int((centre.y() - p.top()) / s)));
        m_view->OnPanMoved(r);
    }

    CKivLeadAppView* m_view;
    QRect m_visible;
};

} // namespace

CKivLeadAppView::CKivLeadAppView(QWidget* parent) : CKivLeadSelectCtrl(parent)
{
    m_bFit = 0;
    m_bCenter = 0;
    setFocusPolicy(Qt::StrongFocus);
}

CKivLeadAppView::~CKivLeadAppView()
{
    delete m_pPan.data();
    // The document's image is the document's to free.
    AttachBitmap(nullptr);
}

CKivLeadAppDoc* CKivLeadAppView::GetDocument() const
{
    return dynamic_cast<CKivLeadAppDoc*>(CView::GetDocument());
}

KivLeadAppContext* CKivLeadAppView::GetApp() const
{
    CKivLeadAppDoc* doc = GetDocument();
    return doc ? doc->m_pApp : nullptr;
}

BOOL CKivLeadAppView::IsMultiPageView() const
{
    // A document saved as one page under another name keeps its frame but
    // has no pages to act on.
    CKivLeadAppDoc* doc = GetDocument();
    return doc && doc->CanActOnPage() && doc->m_bMultiPage && m_pThumbView && doc->CountPages() > 0 ? 1 : 0;
}

void CKivLeadAppView::OnInitialUpdate()
{
    if (CKivLeadAppDoc* doc = GetDocument())
        AttachBitmap(doc->GetBitmap());
    SetViewMode(m_nViewMode);
    CView::OnInitialUpdate();
}

void CKivLeadAppView::OnUpdate(CView*, LPARAM hint, void* hintObject)
{
    auto* page = static_cast<KivLeadPageView*>(hintObject);
    switch (hint) {
    case CKivLeadAppDoc::kHintClosing: AttachBitmap(nullptr); return;
    case CKivLeadAppDoc::kHintReadPageView:
        if (page) {
            page->mode = GetViewMode();
            page->zoom = GetZoom();
            const CPoint at = GetScrollPosition();
            page->hscroll = at.x;
            page->vscroll = at.y;
        }
        return;
    case CKivLeadAppDoc::kHintShowPageView:
        if (page) {
            DeleteSelect();
            SetViewMode(page->mode);
            if (page->mode != kModeFit)
                SetViewZoom(page->zoom);
            ScrollToPosition(CPoint(page->hscroll, page->vscroll));
        }
        return;
    case CKivLeadAppDoc::kHintPageSaved:
    case CKivLeadAppDoc::kHintPagesGone:
    case CKivLeadAppDoc::kHintPageEdited:
    case CKivLeadAppDoc::kHintCountPages: return; // the pixels are as they were
    default: break;
    }
    ImageChanged();
    if (hint != 0 && m_nViewMode == kModeFit)
        SetViewMode(kModeFit);
    clampScroll();
    update();
    syncPan();
}

void CKivLeadAppView::OnChanged(unsigned kind)
{
    CKivLeadSelectCtrl::OnChanged(kind);
    if (CKivLeadAppDoc* doc = GetDocument()) {
        doc->SetModifiedFlag(1);
        doc->UpdateAllViews(this, CKivLeadAppDoc::kHintPageEdited);
        doc->UpdateAllViews(nullptr, kind);
    }
}

void CKivLeadAppView::BeginProcessing()
{
    BeginWaitCursor();
    if (CKivLeadAppDoc* doc = GetDocument())
        doc->TakeUndo();
}

void CKivLeadAppView::EndProcessing(int status)
{
    EndWaitCursor();
    if (status != KIVLEAD_SUCCESS) {
        if (KivLeadAppContext* app = GetApp())
            app->DisplayError(status);
        else
            DisplayError(status);
    }
    RedrawWindow();
}

void CKivLeadAppView::OnEditUndo()
{
    CKivLeadAppDoc* doc = GetDocument();
    if (!doc || !doc->GetUndo())
        return;
    BeginWaitCursor();
    DeleteSelect();
    doc->Undo();
    OnChanged(3);
    if (m_nViewMode == kModeFit)
        SetViewMode(kModeFit);
    EndWaitCursor();
    RedrawWindow();
}

void CKivLeadAppView::OnUpdateEditUndo(CCmdUI* cmd) const
{
    CKivLeadAppDoc* doc = GetDocument();
    cmd->Enable(doc && doc->GetUndo() ? 1 : 0);
}

// Zoom and scrolling ---------------------------------------------------------------

void CKivLeadAppView::SetViewMode(int mode)
{
    m_nViewMode = std::clamp(mode, kModeNormal, kModeSnap);
    switch (m_nViewMode) {
    case kModeNormal: applyZoom(100); break;
    case kModeFit: {
        const CLeadBitmap* bitmap = GetBitmap();
        if (!bitmap || bitmap->DisplayWidth() < 1 || bitmap->DisplayHeight() < 1)
            break;
        CRect client;
        GetClientRect(&client);
        const long long zx = static_cast<long long>(client.Width()) * 100 / bitmap->DisplayWidth();
        const long long zy = static_cast<long long>(client.Height()) * 100 / bitmap->DisplayHeight();
        const long long zoom = std::min(zx, zy);
        applyZoom(zoom < 2 ? 1 : static_cast<int>(std::min<long long>(zoom, 100000)));
        break;
    }
    case kModeSnap: {
        // The frame grows or shrinks until the view shows the image whole.
        applyZoom(m_nZoom);
        QWidget* outer = GetParentFrame() ? static_cast<QWidget*>(GetParentFrame()) : nullptr;
        if (outer && outer->parentWidget() && outer->parentWidget()->inherits("QMdiSubWindow"))
            outer = outer->parentWidget();
        if (outer) {
            const CSize shown = GetSize();
            const QSize delta(shown.cx - width(), shown.cy - height());
            outer->resize(outer->size() + delta);
        }
        break;
    }
    default: applyZoom(m_nZoom); break;
    }
}

void CKivLeadAppView::applyZoom(int zoom)
{
    const int before = m_nZoom;
    SetZoom(zoom);
    clampScroll();
    if (before != m_nZoom)
        if (CKivLeadAppDoc* doc = GetDocument())
            doc->UpdateAllViews(nullptr, 0);
    update();
    syncPan();
}

void CKivLeadAppView::ViewZoomIn()
{
    // From any mode: the zoom shown is where zooming starts.
    m_nViewMode = kModeZoom;
    if (m_nZoom < kMaxZoom)
        applyZoom(std::min(kMaxZoom, m_nZoom + kZoomStep));
}

void CKivLeadAppView::ViewZoomOut()
{
    m_nViewMode = kModeZoom;
    if (m_nZoom > kMinZoom)
        applyZoom(std::max(kMinZoom, m_nZoom - kZoomStep));
}

void CKivLeadAppView::SetViewZoom(int zoom)
{
    applyZoom(zoom);
}

void CKivLeadAppView::ScrollToPosition(CPoint position)
{
    m_ptOffset = CPoint(-position.x, -position.y);
    clampScroll();
    update();
    syncPan();
}

void CKivLeadAppView::clampScroll()
{
    // An image smaller than the window sits in its middle; a larger one
    // scrolls no further than its edges.
    const CSize shown = GetSize();
    const CSize limit = GetScrollLimit();
    m_ptOffset.x = limit.cx > 0 ? std::clamp(m_ptOffset.x, -limit.cx, 0) : (width() - shown.cx) / 2;
    m_ptOffset.y = limit.cy > 0 ? std::clamp(m_ptOffset.y, -limit.cy, 0) : (height() - shown.cy) / 2;
}

void CKivLeadAppView::OnSize(UINT type, int cx, int cy)
{
    CKivLeadSelectCtrl::OnSize(type, cx, cy);
    if (m_nViewMode == kModeFit)
        SetViewMode(kModeFit);
    clampScroll();
    syncPan();
}

void CKivLeadAppView::keyPressEvent(QKeyEvent* event)
{
    const CPoint at = GetScrollPosition();
    const CSize limit = GetScrollLimit();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_PageUp: ScrollToPosition(CPoint(at.x, at.y - height())); return;
    case Qt::Key_PageDown: ScrollToPosition(CPoint(at.x, at.y + height())); return;
    case Qt::Key_Home: ScrollToPosition(CPoint(at.x, 0)); return;
    case Qt::Key_End: ScrollToPosition(CPoint(at.x, limit.cy)); return;
    case Qt::Key_Up: ScrollToPosition(CPoint(at.x, at.y - kLine)); return;
    case Qt::Key_Down: ScrollToPosition(CPoint(at.x, at.y + kLine)); return;
    case Qt::Key_Left: ScrollToPosition(CPoint(at.x - kLine, at.y)); return;
    case Qt::Key_Right: ScrollToPosition(CPoint(at.x + kLine, at.y)); return;
    case Qt::Key_Plus:
        if (keypad) {
            ViewZoomIn();
            return;
        }
        break;
    case Qt::Key_Minus:
        if (keypad) {
            ViewZoomOut();
            return;
        }
        break;
    default: break;
    }
    CKivLeadSelectCtrl::keyPressEvent(event);
}

void CKivLeadAppView::wheelEvent(QWheelEvent* event)
{
    // Ctrl and the wheel zoom, as in every viewer of the desktop.
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() > 0)
            ViewZoomIn();
        else if (event->angleDelta().y() < 0)
            ViewZoomOut();
        event->accept();
        return;
    }
    const CPoint at = GetScrollPosition();
    const QPoint step = event->angleDelta() / 120 * (3 * kLine);
    if (event->modifiers() & Qt::ShiftModifier)
        ScrollToPosition(CPoint(at.x - step.y(), at.y));
    else
        ScrollToPosition(CPoint(at.x - step.x(), at.y - step.y()));
    event->accept();
}

void CKivLeadAppView::OnPaint()
{
    const KivLeadAppContext* app = GetApp();
    unsigned before = 0;
    if (app)
        before = KivLeadSetDisplayMode(KivLeadAppContext::kDisplayMask, app->DisplayModeFlags());
    CKivLeadSelectCtrl::OnPaint();
    if (app)
        KivLeadSetDisplayMode(KivLeadAppContext::kDisplayMask, before);
}

// Pan window ------------------------------------------------------------------------

void CKivLeadAppView::ViewPanWindow()
{
    if (!m_pPan) {
        m_pPan = new PanWindow(this);
        m_pPan->move(mapToGlobal(QPoint(width() - 230, 10)));
    }
    syncPan();
    m_pPan->show();
    m_pPan->raise();
}

void CKivLeadAppView::syncPan()
{
    auto* pan = static_cast<PanWindow*>(m_pPan.data());
    if (!pan)
        return;
    const double f = 100.0 / std::max(1, m_nZoom);
    const CPoint at = GetScrollPosition();
    pan->setVisibleRect(QRect(int(at.x * f), int(at.y * f), int(width() * f), int(height() * f)));
}

void CKivLeadAppView::OnPanMoved(const QRect& rect)
{
    ScrollToPosition(CPoint(rect.left() * m_nZoom / 100, rect.top() * m_nZoom / 100));
    RedrawWindow();
}

// Page commands -------------------------------------------------------------------

namespace {
CString askFile(QWidget* owner, const char* title)
{
    CFileDialog dialog(1, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, KivLeadOpenFilter(), owner);
    dialog.SetTitle(title);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}
} // namespace

void CKivLeadAppView::AddPage(int add)
{
    const CString file = askFile(this, add ? "Add a new page" : "Insert a new page");
    if (!file.empty())
        SendMessage(GetParentFrame(), KIVLEAD_WM_PAGE_ADD, add, reinterpret_cast<LPARAM>(file.c_str()));
}

void CKivLeadAppView::OnPageReplace()
{
    const CString file = askFile(this, "Replace page with");
    if (!file.empty())
        SendMessage(GetParentFrame(), KIVLEAD_WM_PAGE_REPLACE, 0, reinterpret_cast<LPARAM>(file.c_str()));
}

void CKivLeadAppView::OnPageDelete()
{
    if (MessageBox(this, "Are you sure you want to delete this page?",
            QCoreApplication::applicationName().toUtf8().constData(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        == IDYES)
        SendMessage(GetParentFrame(), KIVLEAD_WM_PAGE_DELETE, 0, -1);
}

void CKivLeadAppView::OnUpdatePageCommand(CCmdUI* cmd) const
{
    cmd->Enable(IsMultiPageView());
}

void CKivLeadAppView::OnUpdatePageDelete(CCmdUI* cmd) const
{
    cmd->Enable(IsMultiPageView() && GetDocument()->CountPages() > 1);
}

// Commands of this view ----------------------------------------------------------

void CKivLeadAppView::runProcess(int (*operation)(CLeadBitmap*, int, int), int a, int b, unsigned kind)
{
    CLeadBitmap* bitmap = GetBitmap();
    if (!bitmap || !GetDocument())
        return;
    BeginProcessing();
    const int status = operation(bitmap, a, b);
    if (status == KIVLEAD_SUCCESS)
        OnChanged(kind);
    EndProcessing(status);
}

void CKivLeadAppView::OnImageDeskew()
{
    runProcess([](CLeadBitmap* b, int fill, int) { return KivLeadDeskew(b, static_cast<COLORREF>(fill)); },
        static_cast<int>(GetFillColor()), 0, 2);
}

void CKivLeadAppView::OnImageEffectsDespeckle()
{
    runProcess([](CLeadBitmap* b, int, int) { return KivLeadDespeckle(b); }, 0, 0, 1);
}

void CKivLeadAppView::OnImageMaxFilter()
{
    int size = 3;
    if (KivLeadDlgGetValue(this, "Max Filter", "&Size", 1, 31, &size) == KIVLEAD_SUCCESS)
        runProcess([](CLeadBitmap* b, int s, int) { return KivLeadMinMaxFilter(b, s, 1); }, size, 0, 1);
}

void CKivLeadAppView::OnImageMinFilter()
{
    int size = 3;
    if (KivLeadDlgGetValue(this, "Min Filter", "&Size", 1, 31, &size) == KIVLEAD_SUCCESS)
        runProcess([](CLeadBitmap* b, int s, int) { return KivLeadMinMaxFilter(b, s, 0); }, size, 0, 1);
}

void CKivLeadAppView::OnImageBinaryFiltersErosion()
{
    runProcess([](CLeadBitmap* b, int, int) { return KivLeadBinaryFilter(b, 0); }, 0, 0, 1);
}

void CKivLeadAppView::OnImageBinaryFiltersDilation()
{
    runProcess([](CLeadBitmap* b, int, int) { return KivLeadBinaryFilter(b, 1); }, 0, 0, 1);
}

void CKivLeadAppView::OnUpdateColorWindowLevel(CCmdUI* cmd) const
{
    const CLeadBitmap* b = GetBitmap();
    cmd->Enable(b && (b->BitsPerPixel() == 12 || b->BitsPerPixel() == 16));
}

void CKivLeadAppView::OnUpdateImageEffectsEdgeEnhance(CCmdUI* cmd) const
{
    const CLeadBitmap* b = GetBitmap();
    cmd->Enable(b && b->BitsPerPixel() > 8);
}

void CKivLeadAppView::OnColorSeparation(int cmyk)
{
    KivLeadAppContext* app = GetApp();
    CLeadBitmap* bitmap = GetBitmap();
    if (!app || !bitmap)
        return;
    const int count = cmyk ? 4 : 3;
    CLeadBitmap planes[4];
    CLeadBitmap* out[4] = {&planes[0], &planes[1], &planes[2], &planes[3]};
    const int status = KivLeadSeparate(bitmap, out, cmyk);
    if (status != KIVLEAD_SUCCESS) {
        app->DisplayError(status);
        return;
    }
    static const char* const rgb[] = {"Red", "Green", "Blue"};
    static const char* const cmykNames[] = {"Cyan", "Magenta", "Yellow", "Black"};
    const std::string base = GetDocument() ? GetDocument()->GetTitle() : std::string();
    for (int i = 0; i < count; ++i) {
        app->m_pPendingPlane = &planes[i];
        CDocument* plane = app->OpenDocument(KivLeadAppContext::kSourceSeparation);
        app->m_pPendingPlane = nullptr;
        if (!plane)
            break;
        plane->SetTitle((base + " - " + (cmyk ? cmykNames[i] : rgb[i])).c_str());
    }
}

void CKivLeadAppView::CombineBitmap(CKivLeadAppDoc* other, int mode)
{
    CLeadBitmap* bitmap = GetBitmap();
    if (!other || !bitmap || other == GetDocument())
        return;
    const CLeadBitmap* source = other->GetBitmap();
    const int w = std::min(source->Width(), bitmap->Width());
    const int h = std::min(source->Height(), bitmap->Height());
    if (w < 1 || h < 1)
        return;
    BeginProcessing();
    const int status
        = KivLeadCombine(bitmap, 0, 0, w, h, source, 0, 0, mode == 0 ? KIVLEAD_COMBINE_COPY : KIVLEAD_COMBINE_AVERAGE);
    if (status == KIVLEAD_SUCCESS)
        OnChanged(0);
    EndProcessing(status);
}

int CKivLeadAppView::PrintPage(const char* pdf)
{
    CLeadBitmap* bitmap = GetBitmap();
    if (!bitmap || !bitmap->IsAllocated())
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    const int status = KivLeadPrint(bitmap, pdf);
    if (status != KIVLEAD_SUCCESS) {
        if (KivLeadAppContext* app = GetApp())
            app->DisplayError(status);
    }
    return status;
}
