// SPDX-License-Identifier: MIT
#include "imaging/app/CKivLeadThumbView.h"

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/KivLeadAppContext.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadViewCtrl.h"
#include "platform/docview/CFrameWnd.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <memory>
#include <string>

using namespace vandrel::win32;

// The list box whose items the page list draws.
class ThumbList : public CListBox {
public:
    explicit ThumbList(CKivLeadThumbView* owner) : CListBox(owner), m_owner(owner) { }
    void DrawItem(LPDRAWITEMSTRUCT item) override { m_owner->drawItem(item); }

private:
    CKivLeadThumbView* m_owner;
};

CKivLeadThumbView::CKivLeadThumbView(QWidget* parent) : CWnd(parent)
{
    m_icon = style()->standardIcon(QStyle::SP_ArrowRight);
    // One page per pass of the event loop, so the window stays live while
    // a long file's thumbnails come in.
    m_fill.setInterval(0);
    QObject::connect(&m_fill, &QTimer::timeout, this, [this] {
        if (!makeOneThumb())
            m_fill.stop();
    });
}

CKivLeadThumbView::~CKivLeadThumbView()
{
    Clear();
}

CKivLeadAppDoc* CKivLeadThumbView::GetDocument() const
{
    return dynamic_cast<CKivLeadAppDoc*>(CView::GetDocument());
}

BOOL CKivLeadThumbView::CreateList(unsigned id)
{
    if (m_pList)
        return 1;
    m_pList = new ThumbList(this);
    CRect client;
    GetClientRect(&client);
    const DWORD style
        = WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL;
    if (!m_pList->Create(style, client, this, id))
        return 0;
    m_pList->SetItemHeight(0, kItemHeight);
    m_pList->widget()->setMinimumWidth(kItemWidth + 24);
    return 1;
}

void CKivLeadThumbView::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_pList)
        m_pList->MoveWindow(0, 0, cx, cy);
}

int CKivLeadThumbView::GetCount() const
{
    return m_pList ? m_pList->GetCount() : 0;
}

KivLeadThumbItem* CKivLeadThumbView::GetItem(int index) const
{
    return m_pList ? static_cast<KivLeadThumbItem*>(m_pList->GetItemDataPtr(index)) : nullptr;
}

void CKivLeadThumbView::OnUpdate(CView* sender, LPARAM hint, void* hintObject)
{
    CKivLeadAppDoc* doc = GetDocument();
    switch (hint) {
    case CKivLeadAppDoc::kHintPageSaved:
        if (doc && hintObject)
            RefreshThumb(*static_cast<const int*>(hintObject), doc->GetBitmap());
        return;
    case CKivLeadAppDoc::kHintPagesGone: Clear(); return;
    case CKivLeadAppDoc::kHintPageEdited:
        if (KivLeadThumbItem* item = GetItem(GetCurrentPage()))
            item->changed = 1;
        return;
    case CKivLeadAppDoc::kHintCountPages:
        if (hintObject)
            *static_cast<int*>(hintObject) = GetCount();
        return;
    case CKivLeadAppDoc::kHintClosing:
    case CKivLeadAppDoc::kHintReadPageView:
    case CKivLeadAppDoc::kHintShowPageView: return;
    default: CView::OnUpdate(sender, hint, hintObject);
    }
}

void CKivLeadThumbView::OnInitialUpdate()
{
    CreateList(kListId);
    Clear();
    CKivLeadAppDoc* doc = GetDocument();
    if (!doc || !doc->m_bMultiPage)
        return;
    // Only the directories are read now; the pictures follow when idle.
    std::vector<KivLeadFileInfo> info;
    if (KivLeadGetPagesInfo(doc->GetPathName().c_str(), &info) != KIVLEAD_SUCCESS)
        return;
    m_bChanging = true;
    const int mode = newPageMode();
    for (std::size_t page = 0; page < info.size(); ++page) {
        auto item = std::make_unique<KivLeadThumbItem>();
        item->fitMode = mode;
        item->width = info[page].width;
        item->height = info[page].height;
        if (static_cast<int>(page) == doc->GetCurrentPage())
            item->ready = CreateThumb(doc->GetBitmap(), &item->thumb) == KIVLEAD_SUCCESS;
        const int at = m_pList->InsertString(-1, "");
        m_pList->SetItemDataPtr(at, item.release());
    }
    m_nCurrentPage = doc->GetCurrentPage();
    m_pList->SetCurSel(m_nCurrentPage);
    m_bChanging = false;
    m_bListChanged = 0;
    m_fill.start();
}

void CKivLeadThumbView::listChanged()
{
    m_bListChanged = 1;
    // Items moved: the walk for missing thumbnails starts over (once).
    m_nFirstPending = 0;
}

void CKivLeadThumbView::setCurrent(int page)
{
    // The list and the document always name the same page, so a save
    // goes to the page on screen; -1 while that page is gone.
    m_nCurrentPage = page;
    if (CKivLeadAppDoc* doc = GetDocument())
        doc->SetCurrentPage(page);
}

int CKivLeadThumbView::newPageMode()
{
    // A page shown for the first time is fitted when the view is.
    KivLeadPageView shown;
    if (CKivLeadAppDoc* doc = GetDocument())
        doc->UpdateAllViews(this, CKivLeadAppDoc::kHintReadPageView, &shown);
    return shown.mode == KivLeadPageView::kFit ? KivLeadPageView::kFit : KivLeadPageView::kNormal;
}

int CKivLeadThumbView::PendingThumbs() const
{
    int pending = 0;
    for (int i = 0; i < GetCount(); ++i)
        pending += GetItem(i)->ready ? 0 : 1;
    return pending;
}

void CKivLeadThumbView::MakePendingThumbs()
{
    while (makeOneThumb()) { }
    m_fill.stop();
}

bool CKivLeadThumbView::makeOneThumb()
{
    CKivLeadAppDoc* doc = GetDocument();
    if (!doc || !m_pList)
        return false;
    QListWidget* list = m_pList->widget();
    int chosen = -1;
    // The rows on screen first, then the rest in order.
    const QRect shown = list->viewport()->rect();
    const QModelIndex top = list->indexAt(shown.topLeft());
    if (top.isValid())
        for (int i = top.row(); i < GetCount() && list->visualItemRect(list->item(i)).intersects(shown); ++i)
            if (!GetItem(i)->ready) {
                chosen = i;
                break;
            }
    // Every item before m_nFirstPending is made, so the whole list is
    // walked once in all, not once per thumbnail.
    for (; chosen < 0 && m_nFirstPending < GetCount(); ++m_nFirstPending)
        if (!GetItem(m_nFirstPending)->ready)
            chosen = m_nFirstPending;
    if (chosen < 0)
        return false;
    KivLeadThumbItem* item = GetItem(chosen);
    CLeadBitmap page;
    // A page that will not load keeps its outline; it is not tried again.
    if (KivLeadLoadFile(doc->GetPathName().c_str(), &page, 0, chosen + 1) == KIVLEAD_SUCCESS)
        CreateThumb(&page, &item->thumb);
    item->ready = true;
    m_pList->RedrawItem(chosen);
    return true;
}

int CKivLeadThumbView::AddThumb(const CLeadBitmap* page, int position)
{
    if (!m_pList || !page)
        return LB_ERR;
    auto item = std::make_unique<KivLeadThumbItem>();
    const int status = CreateThumb(page, &item->thumb);
    if (status != KIVLEAD_SUCCESS)
        return status;
    item->ready = true;
    item->width = page->Width();
    item->height = page->Height();
    item->fitMode = newPageMode();
    const int count = m_pList->GetCount();
    const int at = m_pList->InsertString(std::clamp(position, 0, count), "");
    if (at < 0)
        return at;
    m_pList->SetItemDataPtr(at, item.release());
    return at;
}

void CKivLeadThumbView::RefreshThumb(int index, const CLeadBitmap* page)
{
    if (KivLeadThumbItem* item = GetItem(index)) {
        item->ready = CreateThumb(page, &item->thumb) == KIVLEAD_SUCCESS;
        m_pList->RedrawItem(index);
    }
}

void CKivLeadThumbView::Clear()
{
    if (!m_pList)
        return;
    for (int i = 0; i < m_pList->GetCount(); ++i)
        delete GetItem(i);
    const bool was = m_bChanging;
    m_bChanging = true;
    m_pList->ResetContent();
    m_bChanging = was;
    m_nCurrentPage = -1;
    m_nFirstPending = 0;
}

BOOL CKivLeadThumbView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == LBN_SELCHANGE && LOWORD(wParam) == (m_pList ? m_pList->GetDlgCtrlID() : -1)) {
        if (!m_bChanging)
            SelectionChanged();
        return 1;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CKivLeadThumbView::reselect(int index)
{
    m_bChanging = true;
    m_pList->SetCurSel(index);
    if (index >= 0)
        m_pList->widget()->scrollToItem(m_pList->widget()->item(index));
    m_bChanging = false;
}

void CKivLeadThumbView::SelectPage(int index)
{
    if (!m_pList || index < 0 || index >= m_pList->GetCount())
        return;
    reselect(index);
    SelectionChanged();
}

void CKivLeadThumbView::SelectionChanged()
{
    CKivLeadAppDoc* doc = GetDocument();
    // One change of page at a time: the question whether to save runs an
    // event loop, in which the list's own notice of the same change (posted
    // when the key or menu moved the selection) arrives. Taken then, it
    // asked a second time, and its Yes saved the next page's pixels over
    // the page being left.
    if (!m_pList || !doc || m_bSwitching)
        return;
    const int selected = m_pList->GetCurSel();
    if (selected < 0 || selected == m_nCurrentPage)
        return;
    m_bSwitching = true;
    const struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done {m_bSwitching};
    KivLeadAppContext* app = doc->m_pApp;
    if (app)
        app->m_LoadOptions = KivLeadLoadOptions();
    const int current = std::max(0, m_nCurrentPage);
    const std::string file = doc->GetPathName();
    if (doc->IsModified() && m_nCurrentPage >= 0 && !doc->SaveModified(current, file.c_str())) {
        reselect(m_nCurrentPage);
        return;
    }
    KivLeadThumbItem* old = m_nCurrentPage >= 0 ? GetItem(m_nCurrentPage) : nullptr;
    if (old)
        old->changed = 0;
    // The new page is read before the old one is let go, so a page that
    // will not load leaves the old one on screen.
    CLeadBitmap next;
    const int status = KivLeadLoadFile(file.c_str(), &next, 0, selected + 1);
    if (status != KIVLEAD_SUCCESS) {
        if (app)
            app->DisplayError(status);
        reselect(m_nCurrentPage);
        return;
    }
    // The page left keeps its view as it was, read while it is still shown.
    if (old) {
        KivLeadPageView left;
        doc->UpdateAllViews(this, CKivLeadAppDoc::kHintReadPageView, &left);
        if (left.mode >= 0) {
            old->fitMode = left.mode;
            old->zoom = left.zoom;
            old->hscroll = left.hscroll;
            old->vscroll = left.vscroll;
        }
    }
    KivLeadFreeBitmap(doc->GetBitmap());
    doc->DeleteUndo();
    KivLeadCopyBitmap(doc->GetBitmap(), &next);
    setCurrent(selected);
    if (KivLeadThumbItem* item = GetItem(selected)) {
        KivLeadPageView shown;
        shown.mode = item->fitMode;
        shown.zoom = item->zoom;
        shown.hscroll = item->hscroll;
        shown.vscroll = item->vscroll;
        doc->UpdateAllViews(this, CKivLeadAppDoc::kHintShowPageView, &shown);
    }
    for (CView* v : doc->GetViews())
        if (CFrameWnd* frame = v->GetParentFrame())
            SendMessage(frame, WM_USER, static_cast<WPARAM>(selected), 0);
    doc->UpdateAllViews(nullptr, 3);
    doc->SetModifiedFlag(0);
}

void CKivLeadThumbView::InsertThumbs(const char* file, int position, int flag)
{
    CKivLeadAppDoc* doc = GetDocument();
    if (!doc || !file || !m_pList)
        return;
    KivLeadAppContext* app = doc->m_pApp;
    const auto fail = [app](int status) {
        if (app)
            app->DisplayError(status);
    };
    KivLeadFileInfo info;
    int status = KivLeadGetFileInfo(file, &info);
    if (status != KIVLEAD_SUCCESS)
        return fail(status);
    int pages = 1;
    if (info.pages > 1) {
        pages = info.pages;
        if (!flag) {
            const std::string text = "File contains " + std::to_string(info.pages)
                + " pages. Press Yes to load them all. Press No to load the first page only";
            if (MessageBox(this, text.c_str(), QCoreApplication::applicationName().toUtf8().constData(),
                    MB_YESNO | MB_ICONINFORMATION)
                == IDNO)
                pages = 1;
        }
    }
    position = std::clamp(position, 0, GetCount());
    const std::string target = doc->GetPathName();
    // All pages of the source go into the file in one rewrite when all are
    // taken; one page goes by itself.
    if (pages == info.pages)
        status = KivLeadInsertPages(target.c_str(), position + 1, file);
    else {
        CLeadBitmap first;
        status = KivLeadLoadFile(file, &first, 0, 1);
        if (status == KIVLEAD_SUCCESS) {
            KivLeadFileInfo own;
            status = KivLeadGetFileInfo(target.c_str(), &own);
            if (status == KIVLEAD_SUCCESS)
                status = KivLeadSaveFile(target.c_str(), &first, own.format, 0, -1, position + 1, KIVLEAD_SAVE_INSERT);
        }
    }
    if (status != KIVLEAD_SUCCESS)
        return fail(status);
    for (int page = 1; page <= pages; ++page) {
        CLeadBitmap bitmap;
        if (KivLeadLoadFile(file, &bitmap, 0, page) != KIVLEAD_SUCCESS)
            KivLeadCreateBitmap(&bitmap, 1, 1, 24, RGB(255, 255, 255));
        AddThumb(&bitmap, position + page - 1);
    }
    if (m_nCurrentPage >= position)
        setCurrent(m_nCurrentPage + pages); // the page shown moved down with the insert
    listChanged();
    SelectPage(position);
}

void CKivLeadThumbView::ReplaceThumb(const char* file, int index)
{
    CKivLeadAppDoc* doc = GetDocument();
    if (!doc || !file || !m_pList || index < 0 || index >= GetCount())
        return;
    KivLeadAppContext* app = doc->m_pApp;
    CLeadBitmap bitmap;
    int status = KivLeadLoadFile(file, &bitmap, 0, 1);
    const std::string target = doc->GetPathName();
    KivLeadFileInfo own;
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadGetFileInfo(target.c_str(), &own);
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadSaveFile(target.c_str(), &bitmap, own.format, 0, -1, index + 1, KIVLEAD_SAVE_REPLACE);
    if (status != KIVLEAD_SUCCESS) {
        if (app)
            app->DisplayError(status);
        return;
    }
    const int added = AddThumb(&bitmap, index);
    if (added >= 0) {
        delete GetItem(index + 1);
        m_bChanging = true;
        m_pList->DeleteString(index + 1);
        m_bChanging = false;
    }
    listChanged();
    if (index == m_nCurrentPage) {
        // The page on screen is gone from the file: show the new one.
        doc->SetModifiedFlag(0);
        setCurrent(-1);
    }
    SelectPage(index);
}

void CKivLeadThumbView::RemoveThumb(int index)
{
    CKivLeadAppDoc* doc = GetDocument();
    if (!doc || !m_pList || index < 0 || index >= GetCount() || GetCount() < 2)
        return;
    const int status = KivLeadDeletePage(doc->GetPathName().c_str(), index + 1);
    if (status != KIVLEAD_SUCCESS) {
        if (doc->m_pApp)
            doc->m_pApp->DisplayError(status);
        return;
    }
    delete GetItem(index);
    m_bChanging = true;
    m_pList->DeleteString(index);
    m_bChanging = false;
    if (index == m_nCurrentPage) {
        doc->SetModifiedFlag(0); // its changes went with it
        setCurrent(-1);
    } else if (index < m_nCurrentPage) {
        setCurrent(m_nCurrentPage - 1);
    }
    listChanged();
    SelectPage(0);
    for (CFrameWnd* frame : doc->GetFrames())
        frame->OnUpdateFrameTitle();
}

int CKivLeadThumbView::CreateThumb(const CLeadBitmap* source, CLeadBitmap* thumbnail)
{
    if (!source || !thumbnail || !source->IsAllocated())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    CRect fit(0, 0, kItemWidth, kItemHeight);
    MatchAspectRatio(&fit, source->Width(), source->Height());
    const int w = std::max(1, fit.Width()), h = std::max(1, fit.Height());
    const bool favorBlack = source->BitsPerPixel() == 1 && (KivLeadGetDisplayMode() & KIVLEAD_DISPLAY_FAVORBLACK) != 0;
    if (!favorBlack && source->ViewPerspective() == 0) {
        // Filtered scaling of the paint handle, which the page's first
        // paint needs anyway, is several times faster than a resample of
        // the pixels.
        const QImage& shown = source->PaintImage();
        if (!shown.isNull())
            return KivLeadFromImage(thumbnail, shown.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    int status = KivLeadCopyBitmap(thumbnail, source);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return KivLeadResize(thumbnail, w, h, favorBlack ? KIVLEAD_RESIZE_FAVORBLACK : KIVLEAD_RESIZE_RESAMPLE);
}

void CKivLeadThumbView::MatchAspectRatio(CRect* rect, int width, int height)
{
    CKivLeadViewCtrl::MatchAspectRatio(rect, width, height);
}

void CKivLeadThumbView::drawItem(LPDRAWITEMSTRUCT item)
{
    QPainter& painter = *item->painter;
    const CRect& r = item->rcItem;
    const QRect box(r.left, r.top, r.Width(), r.Height());
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    painter.fillRect(box, selected ? palette().highlight() : palette().base());
    if (const auto* thumb = static_cast<const KivLeadThumbItem*>(item->itemData); thumb && thumb->thumb.IsAllocated()) {
        CRect fit(r.left + 4, r.top + 4, r.right - 4, r.bottom - 18);
        MatchAspectRatio(&fit, thumb->thumb.Width(), thumb->thumb.Height());
        KivLeadPaint(&painter, &thumb->thumb, QRect(0, 0, thumb->thumb.Width(), thumb->thumb.Height()),
            QRect(fit.left, fit.top, fit.Width(), fit.Height()));
        painter.setPen(palette().mid().color());
        painter.drawRect(QRect(fit.left, fit.top, fit.Width(), fit.Height()).adjusted(-1, -1, 0, 0));
    }
    painter.setPen(selected ? palette().highlightedText().color() : palette().text().color());
    const QRect label(r.left, r.bottom - 17, r.Width(), 16);
    painter.drawText(label, Qt::AlignCenter, QString::asprintf("%d", static_cast<int>(item->itemID) + 1));
    if (selected)
        m_icon.paint(&painter, QRect(r.left + 4, r.bottom - 18, 16, 16));
}
