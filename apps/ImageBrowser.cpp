// SPDX-License-Identifier: MIT
#include "ImageBrowser.h"
#include "FileDrops.h"
#include "ImageWindow.h"
#include "OwnedWindows.h"
#include "ScreenFit.h"

#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadExpListCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "imaging/widgets/resources.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

// A double click on a cell opens the picture in the image window.
int ImageBrowser::OpenImage(HWND owner, int, const char* file, const char*)
{
    auto* window = new ImageWindow(QString::fromUtf8(file), owner ? owner->window() : nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::Window);
    window->show();
    return 1;
}

ImageBrowser::ImageBrowser(const QString& folder, const QString& cacheFolder, QWidget* parent)
    : QMainWindow(parent), m_cache(cacheFolder)
{
    m_explorer = new CKivLeadExpListCtrl;
    m_explorer->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 560), this, 1);
    setCentralWidget(m_explorer);
    m_status = new QLabel;
    statusBar()->addWidget(m_status, 1);

    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open folder…", QKeySequence::Open, this, [this] {
        const QString chosen
            = QFileDialog::getExistingDirectory(this, "Open folder", QString::fromUtf8(m_explorer->GetFolder()));
        if (!chosen.isEmpty())
            open(chosen);
    });
    file->addAction("&Close", QKeySequence::Close, this, &QWidget::close);
    // The explorer's own menu, as its context menu shows it.
    QMenu* view = menuBar()->addMenu("&View");
    int count = 0;
    const kivlead::MenuItem* items = kivlead::ExplorerMenu(&count);
    for (int i = 0; i < count; ++i) {
        if (items[i].id == 0) {
            view->addSeparator();
            continue;
        }
        const UINT command = items[i].id;
        view->addAction(
            QString::fromUtf8(items[i].text), this, [this, command] { m_explorer->DoMenuCommand(command); });
    }
    // A folder dropped from a file manager is browsed; a file, its folder.
    FileDrops::accept(this, [this](const QStringList& paths) {
        const QFileInfo first(paths.first());
        open(first.isDir() ? first.absoluteFilePath() : first.absolutePath());
    });
    resize(SizeOnScreen(this, QSize(820, 600)));
    open(folder);
}

void ImageBrowser::open(const QString& folder)
{
    const QString path = QDir(folder).absolutePath();
    m_explorer->MakeControl(nullptr); // the lists, to be set up before filling
    CKivLeadThumbListCtrl* thumbs = m_explorer->GetThumbListCtrl();
    thumbs->SetViewer(&ImageBrowser::OpenImage);
    thumbs->SetThumbPath(m_cache.toUtf8().constData());
    m_explorer->MakeControl(path.toUtf8().constData());
    const int images = thumbs->GetThumbList() ? thumbs->GetThumbList()->getCount() : 0;
    setWindowTitle(QString("Image browser — %1").arg(path));
    m_status->setText(images == 1 ? QString("1 image") : QString("%1 images").arg(images));
}

void ImageBrowser::closeEvent(QCloseEvent* event)
{
    // The image windows opened from here ask about their changes first.
    if (CloseOwnedWindows(this))
        event->accept();
    else
        event->ignore();
}

QAction* ImageBrowser::action(const QString& text) const
{
    for (QAction* a : findChildren<QAction*>())
        if (a->text().remove('&') == text)
            return a;
    return nullptr;
}
