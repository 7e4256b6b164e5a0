// SPDX-License-Identifier: MIT
#include "ImageEditor.h"
#include "FileDrops.h"
#include "RecentFiles.h"
#include "ScreenFit.h"

#include "EditCommands.h"

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/CKivLeadAppView.h"
#include "imaging/app/CKivLeadPageFrame.h"
#include "imaging/app/CKivLeadThumbView.h"
#include "imaging/widgets/CKivLeadScrollBars.h"
#include "platform/docview/CCmdUI.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

using namespace vandrel::win32;

ImageEditor::ImageEditor(const QString& profilePath, QWidget* parent)
    : QMainWindow(parent), m_app(profilePath.isEmpty() ? new CKivLeadApp : new CKivLeadApp(profilePath.toStdString())),
      m_mdi(new QMdiArea(this))
{
    setWindowTitle("Vandrel Image Editor");
    setCentralWidget(m_mdi);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    m_app->AddImageTemplate([this](CKivLeadAppDoc* doc) -> CFrameWnd* {
        auto* frame = new CKivLeadPageFrame(doc);
        QMdiSubWindow* sub = m_mdi->addSubWindow(frame);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // The frame goes when its document closes; its window with it.
        QObject::connect(frame, &QObject::destroyed, sub, [sub] { sub->close(); });
        // Most of the area, or a usual size while the area is not laid out yet.
        const QSize area = m_mdi->viewport()->size();
        sub->resize(area.width() < 400 || area.height() < 300 ? QSize(800, 600) : area * 0.85);
        // Each new window a step below and right of the last, as cascading does.
        const int step = 28 * static_cast<int>((m_mdi->subWindowList().size() - 1) % 8);
        sub->move(step, step);
        sub->show();
        // The status line follows what the view shows, whatever changed it.
        frame->GetScrollBars()->setChanged([this] { showStatus(); });
        // Scanned pages are large: pages are fitted to the window.
        frame->GetImageView()->SetViewMode(CKivLeadAppView::kModeFit);
        return frame;
    });
    buildMenus();
    // Images dropped from a file manager open, each in its window.
    FileDrops::accept(this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            if (QFileInfo(path).isFile())
                m_app->OpenDocumentFile(path.toUtf8().constData());
    });
    // What the active picture is and how it shows: each view reports its
    // repaints, and another window may become the active one.
    m_status = new QLabel;
    m_status->setProperty("vandrelData", true); // what the picture is, not words to translate
    statusBar()->addWidget(m_status, 1);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { showStatus(); });
    resize(SizeOnScreen(this, QSize(1100, 760)));
}

ImageEditor::~ImageEditor()
{
    // Closing the documents activates other windows: nothing may reach this
    // half-destroyed editor any more.
    disconnect(m_mdi, nullptr, this, nullptr);
    m_app->CloseAllDocuments();
    delete m_app;
}

CKivLeadPageFrame* ImageEditor::activeFrame() const
{
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub && !m_mdi->subWindowList().isEmpty())
        sub = m_mdi->subWindowList().back();
    return sub ? dynamic_cast<CKivLeadPageFrame*>(sub->widget()) : nullptr;
}

CKivLeadAppView* ImageEditor::activeView() const
{
    // A frame whose document has closed waits for its deletion; it has no view to offer.
    CKivLeadPageFrame* frame = activeFrame();
    CKivLeadAppView* view = frame ? frame->GetImageView() : nullptr;
    return view && view->GetDocument() ? view : nullptr;
}

void ImageEditor::showStatus()
{
    if (m_status)
        m_status->setText(statusText());
}

QString ImageEditor::statusText() const
{
    const CKivLeadAppView* view = activeView();
    const CLeadBitmap* bitmap = view ? view->GetBitmap() : nullptr;
    if (!bitmap || !bitmap->IsAllocated())
        return QString();
    QString text = QString("%1 × %2 pixels, %3 %").arg(bitmap->Width()).arg(bitmap->Height()).arg(view->GetZoom());
    const CKivLeadThumbView* pages = activeFrame()->GetPageList();
    if (pages && pages->GetCount() > 1)
        text += QString(", page %1 of %2").arg(pages->GetCurrentPage() + 1).arg(pages->GetCount());
    return text;
}

QAction* ImageEditor::action(const QString& text) const
{
    for (QAction* a : findChildren<QAction*>())
        if (a->text().remove('&') == text)
            return a;
    return nullptr;
}

QAction* ImageEditor::add(QMenu* menu, const QString& text, std::function<void()> run, Update update)
{
    QAction* a = menu->addAction(text, this, std::move(run));
    if (update)
        m_updates[a] = std::move(update);
    return a;
}

QAction* ImageEditor::addView(QMenu* menu, const QString& text, std::function<void(CKivLeadAppView*)> run,
    std::function<void(CKivLeadAppView*, CCmdUI*)> update)
{
    return add(
        menu, text,
        [this, run] {
            if (CKivLeadAppView* view = activeView())
                run(view);
        },
        [this, update](CCmdUI* cmd) {
            CKivLeadAppView* view = activeView();
            cmd->Enable(view != nullptr);
            if (view && update)
                update(view, cmd);
        });
}

void ImageEditor::updateCommands()
{
    for (auto& [action, update] : m_updates) {
        CCmdUI cmd;
        update(&cmd);
        action->setEnabled(cmd.IsEnabled());
        action->setCheckable(cmd.GetCheck() != 0 || action->isCheckable());
        action->setChecked(cmd.GetCheck() != 0);
    }
}

void ImageEditor::buildMenus()
{
    CKivLeadApp* app = m_app;
    using V = CKivLeadAppView;

    QMenu* file = menuBar()->addMenu("&File");
    add(file, "&New", [app] { app->OnFileNew(); })->setShortcut(QKeySequence::New);
    add(file, "&Open...", [app] { app->OpenFile(nullptr); })->setShortcut(QKeySequence::Open);
    // Whatever opens a document (the dialog, a drop, the command line), its
    // file joins the list when its window becomes the active one.
    m_recent = new RecentFiles(
        "editor/recentFiles", file->addMenu("Recen&t Files"),
        [app](const QString& path) { app->OpenDocumentFile(path.toUtf8().constData()); }, this);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        if (CKivLeadAppView* view = activeView(); view && view->GetDocument()
            && QFileInfo(QString::fromStdString(view->GetDocument()->GetPathName())).isFile())
            m_recent->add(QString::fromStdString(view->GetDocument()->GetPathName()));
    });
    addView(file, "&Save", [](V* v) { v->GetDocument()->DoFileSave(); })->setShortcut(QKeySequence::Save);
    addView(file, "Save &As...", [](V* v) { v->GetDocument()->DoSave(nullptr); })->setShortcut(QKeySequence::SaveAs);
    addView(file, "&Close", [](V* v) { v->GetDocument()->OnFileClose(); })->setShortcut(QKeySequence::Close);
    file->addSeparator();
    QMenu* capture = file->addMenu("Capt&ure");
    const std::pair<const char*, int> kinds[]
        = {{"&Full screen", CKivLeadApp::kCaptureFullScreen}, {"&Active window", CKivLeadApp::kCaptureActiveWindow},
            {"Active &client area", CKivLeadApp::kCaptureActiveClient}, {"A&rea", CKivLeadApp::kCaptureArea},
            {"&Window under cursor", CKivLeadApp::kCaptureWindowUnderCursor},
            {"Selected &object", CKivLeadApp::kCaptureSelectedObject},
            {"&Menu under cursor", CKivLeadApp::kCaptureMenuUnderCursor},
            {"Mouse c&ursor", CKivLeadApp::kCaptureMouseCursor}, {"Wa&llpaper", CKivLeadApp::kCaptureWallpaper}};
    for (const auto& [text, kind] : kinds) {
        const int k = kind;
        add(
            capture, text, [app, k] { app->OnCapture(k); }, [app, k](CCmdUI* cmd) { app->OnUpdateCapture(cmd, k); });
    }
    capture->addSeparator();
    add(capture, "Capture op&tions...", [app] { app->OnOptionsCaptureOptions(); });
    add(capture, "Ar&ea options...", [app] { app->OnOptionsCaptureAreaOptions(); });
    add(capture, "O&bject options...", [app] { app->OnOptionsCaptureObjectOptions(); });
    add(capture, "&Stop capture", [app] { app->OnStopCapture(); });
    add(file, "Select sou&rce...", [app] { app->OnFileSelectSource(); });
    add(file, "Ac&quire...", [app] { app->OnFileAcquire(); });
    add(file, "Color &merge", [app] { app->OnFileColorMerge(); });
    file->addSeparator();
    addView(file, "&Print", [](V* v) { v->PrintPage(); })->setShortcut(QKeySequence::Print);
    addView(file, "Print to P&DF...", [this](V*) { printToPdf(); });
    file->addSeparator();
    add(file, "E&xit", [this] { close(); })->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu("&Edit");
    addView(
        edit, "&Undo", [](V* v) { v->OnEditUndo(); }, [](V* v, CCmdUI* c) { v->OnUpdateEditUndo(c); })
        ->setShortcut(QKeySequence::Undo);
    addView(edit, "&Copy", [](V* v) { v->OnEditCopy(); })->setShortcut(QKeySequence::Copy);
    add(
        edit, "&Paste as new image", [app] { app->OnEditPaste(); }, [app](CCmdUI* c) { app->OnUpdateEditPaste(c); })
        ->setShortcut(QKeySequence::Paste);

    QMenu* page = menuBar()->addMenu("Pa&ge");
    const auto pageUpdate = [](V* v, CCmdUI* c) { v->OnUpdatePageCommand(c); };
    addView(
        page, "&Add page...", [](V* v) { v->OnPageAdd(); }, pageUpdate);
    addView(
        page, "&Insert page...", [](V* v) { v->OnPageInsert(); }, pageUpdate);
    addView(
        page, "&Replace page...", [](V* v) { v->OnPageReplace(); }, pageUpdate);
    addView(
        page, "&Delete page", [](V* v) { v->OnPageDelete(); }, [](V* v, CCmdUI* c) { v->OnUpdatePageDelete(c); });
    page->addSeparator();
    const auto step = [](V* v, int by) {
        if (CKivLeadThumbView* list = v->GetThumbView())
            list->SelectPage(list->GetCurrentPage() + by);
    };
    addView(
        page, "&Previous page", [step](V* v) { step(v, -1); }, pageUpdate)
        ->setShortcut(Qt::CTRL | Qt::Key_PageUp);
    addView(
        page, "&Next page", [step](V* v) { step(v, 1); }, pageUpdate)
        ->setShortcut(Qt::CTRL | Qt::Key_PageDown);

    const auto addCommands = [this](QMenu* menu, std::span<const EditCommand> commands) {
        for (const EditCommand& c : commands) {
            if (!editcommands::inEditor(c))
                continue;
            const auto handler = c.handler;
            std::function<void(V*, CCmdUI*)> update;
            if (handler == &CKivLeadEditCtrl::OnColorWindowlevel)
                update = [](V* v, CCmdUI* cmd) { v->OnUpdateColorWindowLevel(cmd); };
            else if (handler == &CKivLeadEditCtrl::OnImageEffectsEdgeenhance)
                update = [](V* v, CCmdUI* cmd) { v->OnUpdateImageEffectsEdgeEnhance(cmd); };
            addView(
                menu, QString::fromUtf8(editcommands::textOf(c)), [handler](V* v) { (v->*handler)(); }, update);
        }
    };
    QMenu* image = menuBar()->addMenu("&Image");
    addCommands(image, editcommands::image());
    addView(image, "&Deskew", [](V* v) { v->OnImageDeskew(); });
    QMenu* effects = image->addMenu("&Effects");
    addCommands(effects, editcommands::effects());
    addView(effects, "&Despeckle", [](V* v) { v->OnImageEffectsDespeckle(); });
    QMenu* filters = image->addMenu("Fil&ters");
    addCommands(filters, editcommands::filters());
    filters->addSeparator();
    addView(filters, "Ma&x filter...", [](V* v) { v->OnImageMaxFilter(); });
    addView(filters, "Mi&n filter...", [](V* v) { v->OnImageMinFilter(); });
    addView(filters, "Binary &erosion", [](V* v) { v->OnImageBinaryFiltersErosion(); });
    addView(filters, "Binary &dilation", [](V* v) { v->OnImageBinaryFiltersDilation(); });
    QMenu* color = menuBar()->addMenu("&Color");
    addCommands(color, editcommands::color());
    color->addSeparator();
    addView(color, "Separate &RGB", [](V* v) { v->OnColorSeparation(0); });
    addView(color, "Separate &CMYK", [](V* v) { v->OnColorSeparation(1); });

    QMenu* tools = menuBar()->addMenu("&Tools");
    addView(tools, "Draw &point", [](V* v) { v->OnPalDrawPoint(); });
    addView(tools, "Draw &line", [](V* v) { v->OnPalDrawLine(); });
    addView(tools, "Draw &rectangle", [](V* v) { v->OnPalDrawRect(); });
    addView(tools, "Draw &ellipse", [](V* v) { v->OnPalDrawEllipse(); });
    addView(tools, "Draw &text", [](V* v) { v->OnPalDrawText(); });
    tools->addSeparator();
    addView(tools, "Select re&ctangle", [](V* v) { v->OnPalSelectRect(); });
    addView(tools, "Select ell&ipse", [](V* v) { v->OnPalSelectElli(); });
    addView(tools, "Select ro&unded rectangle", [](V* v) { v->OnPalSelectRndrect(); });
    addView(tools, "Select &freehand", [](V* v) { v->OnPalSelectFreehand(); });
    addView(tools, "Select by c&olor", [](V* v) { v->OnPalSelectColor(); });
    tools->addSeparator();
    addView(tools, "Pa&n", [](V* v) { v->SetToolMode(CKivLeadEditCtrl::kToolPan); });

    QMenu* view = menuBar()->addMenu("&View");
    const auto mode = [](int m) { return [m](V* v, CCmdUI* c) { c->SetCheck(v->GetViewMode() == m); }; };
    addView(
        view, "&Normal (100%)", [](V* v) { v->OnViewNormal(); }, mode(V::kModeNormal));
    addView(
        view, "&Zoom", [](V* v) { v->OnViewZoomMode(); }, mode(V::kModeZoom));
    addView(
        view, "&Fit to window", [](V* v) { v->OnViewFit(); }, mode(V::kModeFit));
    addView(
        view, "&Snap window to image", [](V* v) { v->OnViewSnap(); }, mode(V::kModeSnap));
    addView(view, "Zoom &in", [](V* v) { v->ViewZoomIn(); })->setShortcut(QKeySequence::ZoomIn);
    addView(view, "Zoom &out", [](V* v) { v->ViewZoomOut(); })->setShortcut(QKeySequence::ZoomOut);
    addView(view, "&Pan window", [](V* v) { v->ViewPanWindow(); });

    QMenu* prefs = menuBar()->addMenu("&Preferences");
#define PREFERENCE(menu, text, name)                                                                                   \
    add(                                                                                                               \
        menu, text, [app] { app->OnPreferences##name(); }, [app](CCmdUI* c) { app->OnUpdatePreferences##name(c); })
    QMenu* palette = prefs->addMenu("&Palette");
    PREFERENCE(palette, "&Automatic", PaletteAuto);
    PREFERENCE(palette, "&Fixed", PaletteFixed);
    QMenu* dither = prefs->addMenu("&Dithering");
    PREFERENCE(dither, "&Ordered", DitheringOrdered);
    PREFERENCE(dither, "&Error diffusion", DitheringErrorDiffusion);
    QMenu* bitonal = prefs->addMenu("&Bitonal scaling");
    PREFERENCE(bitonal, "&Normal", BitonalScalingNormal);
    PREFERENCE(bitonal, "&Favor black", BitonalScalingFavorBlack);
    PREFERENCE(bitonal, "&Scale to gray", BitonalScalingScaleToGray);
    QMenu* scaling = prefs->addMenu("Paint &scaling");
    PREFERENCE(scaling, "&Normal", PaintScalingNormal);
    PREFERENCE(scaling, "&Resample", PaintScalingResample);
    PREFERENCE(scaling, "&Bicubic", PaintScalingBicubic);
    PREFERENCE(prefs, "Prompt for saving page c&hanges", Promptforsavingthumbnailchanges);
    PREFERENCE(prefs, "Show p&review when opening", Showpreview);
#undef PREFERENCE

    QMenu* window = menuBar()->addMenu("&Window");
    add(window, "&Tile", [this] { m_mdi->tileSubWindows(); });
    add(window, "&Cascade", [this] { m_mdi->cascadeSubWindows(); });

    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        QObject::connect(menu, &QMenu::aboutToShow, this, [this] { updateCommands(); });
}

void ImageEditor::printToPdf()
{
    CKivLeadAppView* view = activeView();
    if (!view)
        return;
    CFileDialog dialog(0, "pdf", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "PDF (*.pdf)|*.pdf||", this);
    dialog.SetTitle("Print to PDF");
    if (dialog.DoModal() == IDOK)
        view->PrintPage(dialog.GetPathName().c_str());
}

void ImageEditor::closeEvent(QCloseEvent* event)
{
    if (!m_app->SaveAllModified()) {
        event->ignore();
        return;
    }
    // Answered once: the documents go without asking again.
    for (CKivLeadAppDoc* doc : m_app->EnumAllDocuments())
        doc->SetModifiedFlag(0);
    m_app->CloseAllDocuments();
    event->accept();
}
