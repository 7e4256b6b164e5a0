// SPDX-License-Identifier: MIT
#include "ImageWindow.h"
#include "FileDrops.h"
#include "RecentFiles.h"
#include "ScreenFit.h"

#include "EditCommands.h"

#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadScrollBars.h"
#include "platform/base/Win32.h"
#include "platform/services/MessageBox.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include <cstddef>

namespace {

// One menu entry per command; each runs its handler through the window.
void addEntries(ImageWindow* window, QMenu* menu, std::span<const EditCommand> entries)
{
    for (const EditCommand& e : entries) {
        const auto handler = e.handler;
        menu->addAction(
            QString::fromUtf8(editcommands::textOf(e)), window, [window, handler] { window->run(handler); });
    }
}

} // namespace

ImageWindow::ImageWindow(const QString& file, QWidget* parent) : QMainWindow(parent), m_edit(new CKivLeadEditCtrl)
{
    m_bars = new CKivLeadScrollBars(m_edit);
    m_bars->setZoom([this](int steps) { zoom(steps); });
    setCentralWidget(m_bars);
    m_status = new QLabel;
    m_status->setProperty("vandrelData", true); // what the picture is, not words to translate
    statusBar()->addWidget(m_status, 1);
    m_edit->SetCenter(1);
    QMenu* fileMenu = menuBar()->addMenu("&File");
    fileMenu->addAction("&Open...", QKeySequence::Open, this, [this] {
        if (!maySave())
            return;
        const QString name = QFileDialog::getOpenFileName(this, "Open image", QFileInfo(m_file).path());
        if (!name.isEmpty())
            open(name);
    });
    m_recent = new RecentFiles(
        "imageWindow/recentFiles", fileMenu->addMenu("Recen&t Files"),
        [this](const QString& file) {
            if (maySave())
                open(file);
        },
        this);
    fileMenu->addAction("&Save", QKeySequence::Save, this, [this] { saveTo(m_file); });
    fileMenu->addAction("Save &as...", QKeySequence::SaveAs, this, [this] {
        const QString name = QFileDialog::getSaveFileName(this, "Save image", m_file);
        if (!name.isEmpty() && saveTo(name)) {
            m_file = name;
            updateTitle();
        }
    });
    fileMenu->addAction("&Print", QKeySequence::Print, this, [this] { m_edit->PrintBitmap(); });
    fileMenu->addAction("&Close", QKeySequence::Close, this, &QWidget::close);

    QMenu* editMenu = menuBar()->addMenu("&Edit");
    editMenu->addAction("&Undo", QKeySequence::Undo, this, [this] {
        m_edit->OnEditUndo();
        updateTitle();
    });
    editMenu->addAction("&Redo", QKeySequence::Redo, this, [this] {
        m_edit->OnEditRedo();
        updateTitle();
    });
    editMenu->addAction("&Copy", this, [this] { m_edit->OnEditCopy(); });
    editMenu->addAction("&Paste", this, [this] {
        m_edit->OnEditPaste();
        updateTitle();
    });

    QMenu* imageMenu = menuBar()->addMenu("&Image");
    addEntries(this, imageMenu, editcommands::image());
    addEntries(this, imageMenu->addMenu("&Effects"), editcommands::effects());
    addEntries(this, imageMenu->addMenu("&Spatial filters"), editcommands::filters());
    addEntries(this, menuBar()->addMenu("&Color"), editcommands::color());

    QMenu* viewMenu = menuBar()->addMenu("&View");
    viewMenu->addAction("Zoom &in", QKeySequence::ZoomIn, this, [this] { zoom(1); });
    viewMenu->addAction("Zoom &out", QKeySequence::ZoomOut, this, [this] { zoom(-1); });
    viewMenu->addAction("&Fit", this, [this] {
        m_edit->SetFit(1);
        m_edit->Offset(-m_edit->GetViewOffset().x, -m_edit->GetViewOffset().y);
        m_edit->update();
        updateTitle();
    });
    viewMenu->addSeparator();
    viewMenu->addAction("&Pan tool", this, [this] { m_edit->SetToolMode(CKivLeadEditCtrl::kToolPan); });
    viewMenu->addAction("C&rop tool", this, [this] { m_edit->SetToolMode(CKivLeadEditCtrl::kToolCrop); });
    viewMenu->addAction("&No tool", this, [this] { m_edit->SetToolMode(CKivLeadEditCtrl::kToolNone); });
    viewMenu->addAction("&Wipe in", this, [this] {
        m_edit->SetEffect(1, 20);
        m_edit->update();
    });
    viewMenu->addAction("Fa&de in", this, [this] {
        m_edit->SetEffect(3, 20);
        m_edit->update();
    });
    // A picture dropped from a file manager takes this one's place, once the
    // changes to this one are saved or let go.
    FileDrops::accept(this, [this](const QStringList& paths) {
        if (QFileInfo(paths.first()).isFile() && maySave())
            open(paths.first());
    });
    open(file);
    resize(SizeOnScreen(this, QSize(900, 650)));
}

void ImageWindow::open(const QString& file)
{
    m_file = file;
    if (m_recent && QFileInfo(file).isFile())
        m_recent->add(file);
    m_edit->SetFileName(file.toUtf8().constData(), 1, 1);
    KivLeadFileInfo info;
    m_pages = KivLeadGetFileInfo(file.toUtf8().constData(), &info) == KIVLEAD_SUCCESS ? info.pages : 0;
    m_edit->SetModifiedFlag(0);
    m_edit->DeleteUndo();
    m_edit->DeleteRedo();
    updateTitle();
    m_edit->update();
}

void ImageWindow::zoom(int steps)
{
    // Fitted, the picture is shown at the fitting zoom: zooming starts there.
    m_edit->SetFit(0);
    steps > 0 ? m_edit->ZoomIn() : m_edit->ZoomOut();
    m_edit->ScrollToPosition(m_edit->GetScrollPosition());
    updateTitle();
}

bool ImageWindow::maySave()
{
    if (!m_edit->IsModified())
        return true;
    // A file of several pages shows its first here: the question names it.
    const QString name = QFileInfo(m_file).fileName();
    const QString text
        = m_pages > 1 ? QString("Save changes to page 1 of %1?").arg(name) : QString("Save changes to %1?").arg(name);
    switch (AfxMessageBox(text.toUtf8().constData(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return saveTo(m_file);
    case IDNO: return true;
    default: return false;
    }
}

bool ImageWindow::saveTo(const QString& file)
{
    // The control keeps the other pages of its own file and clears the
    // change mark only when the picture reached the file.
    const bool saved = m_edit->DisplayError(m_edit->Save(file.toUtf8().constData())) == KIVLEAD_SUCCESS;
    updateTitle();
    return saved;
}

void ImageWindow::closeEvent(QCloseEvent* event)
{
    if (maySave())
        event->accept();
    else
        event->ignore();
}

void ImageWindow::run(void (CKivLeadEditCtrl::*handler)())
{
    (m_edit->*handler)();
    updateTitle();
}

void ImageWindow::updateTitle()
{
    setWindowTitle(QString("%1%2 - Image").arg(QFileInfo(m_file).fileName(), m_edit->IsModified() ? " *" : ""));
    // Fitted, the zoom follows the window's size: the one it shows now.
    if (m_edit->GetFit() && m_edit->GetBitmap() && m_edit->GetBitmap()->IsAllocated() && m_edit->width() > 0)
        m_edit->ZoomFit();
    m_status->setText(statusText());
}

QString ImageWindow::statusText() const
{
    const CLeadBitmap* bitmap = m_edit->GetBitmap();
    if (!bitmap || !bitmap->IsAllocated())
        return QString();
    QString text = QString("%1 × %2 pixels, %3 %").arg(bitmap->Width()).arg(bitmap->Height()).arg(m_edit->GetZoom());
    if (m_pages > 1)
        text += QString(", page 1 of %1").arg(m_pages);
    return text;
}

QAction* ImageWindow::action(const QString& text) const
{
    for (QAction* a : findChildren<QAction*>())
        if (a->text().remove('&') == text)
            return a;
    return nullptr;
}
