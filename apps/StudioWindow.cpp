// SPDX-License-Identifier: MIT
#include "StudioWindow.h"
#include "FileDrops.h"
#include "FolderBrowser.h"
#include "ImageBrowser.h"
#include "OpenFile.h"
#include "OwnedWindows.h"
#include "RecentFiles.h"
#include "ScreenFit.h"

#include "cad/KivSlideDraw.h"
#include "cad/KivSlideSvg.h"
#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadExpListCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "platform/gdi/CDC.h"
#include "platform/io/AtomicFile.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "views/CKivThumbViewCtrl.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImage>
#include <QMenuBar>
#include <QSet>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include <map>

namespace {

constexpr const char* kCaption = "Vandrel Studio";
// Exported pictures: the slide fitted into this many pixels.
constexpr int kExportWidth = 1024;
constexpr int kExportHeight = 768;

// "lib.slb(DOOR)" → lib.slb and DOOR; false for anything else.
bool splitMember(const std::string& file, std::string* library, std::string* name)
{
    const auto open = file.rfind('(');
    if (file.empty() || file.back() != ')' || open == std::string::npos || open == 0)
        return false;
    *library = file.substr(0, open);
    *name = file.substr(open + 1, file.size() - open - 2);
    return true;
}

bool isSlideFile(const std::string& file)
{
    return QFileInfo(QString::fromStdString(file)).suffix().compare("sld", Qt::CaseInsensitive) == 0;
}

// What a library names a slide file's member: its name without the
// extension, in capitals.
std::string memberName(const std::string& file)
{
    return QFileInfo(QString::fromStdString(file)).completeBaseName().toUpper().toStdString();
}

// The most an existing export target may hold: it is read (and locked) before
// it is replaced, and no picture of ours comes near this.
constexpr std::uint64_t kMaxReplacedBytes = std::uint64_t {256} << 20;

} // namespace

StudioWindow::StudioWindow(QWidget* parent)
    : QMainWindow(parent), m_browser(new FolderBrowser), m_preview(nullptr), m_tree(new QTreeView),
      m_folders(new QFileSystemModel(this))
{
    setWindowTitle(kCaption);
    // Drawings and images of the folder side by side in two grids; the
    // images' thumbnails are kept in the user's cache.
    m_tabs = new QTabWidget;
    m_tabs->addTab(m_browser, "Drawings");
    m_images = new CKivLeadExpListCtrl;
    m_images->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), m_tabs, 2);
    m_images->MakeControl(nullptr);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/thumbs";
    QDir().mkpath(cache);
    m_images->GetThumbListCtrl()->SetThumbPath(QFile::encodeName(cache).constData());
    m_images->GetThumbListCtrl()->SetViewer(&ImageBrowser::OpenImage);
    m_tabs->addTab(m_images, "Images");
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { showImages(); });
    setCentralWidget(m_tabs);
    connect(&m_browser->browser(), &CWnd::notified, this, [this] { showCurrent(); });

    // Folders only, from the root; a click browses one.
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath("/");
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    connect(
        m_tree, &QTreeView::activated, this, [this](const QModelIndex& at) { openFolder(m_folders->filePath(at)); });
    connect(m_tree, &QTreeView::clicked, this, [this](const QModelIndex& at) { openFolder(m_folders->filePath(at)); });
    auto* folders = new QDockWidget("Folders", this);
    folders->setObjectName("folders");
    folders->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, folders);

    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    m_preview = new CKivThumbViewCtrl(holder);
    m_preview->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 180), holder, 1);
    m_preview->SetAutoSize(1, 0);
    m_preview->setMinimumSize(160, 120);
    column->addWidget(m_preview, 1);
    auto* preview = new QDockWidget("Preview", this);
    preview->setObjectName("preview");
    preview->setWidget(holder);
    addDockWidget(Qt::RightDockWidgetArea, preview);

    m_file = menuBar()->addMenu("&File");
    m_file->addAction("&Open folder…", QKeySequence::Open, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, "Open folder", m_folder);
        if (!chosen.isEmpty())
            openFolder(chosen);
    });
    m_recent = new RecentFiles(
        "studio/recentFolders", m_file->addMenu("Recen&t Folders"), [this](const QString& f) { openFolder(f); }, this);
    m_file->addSeparator();
    QMenu* library = menuBar()->addMenu("&Library");
    library->addAction("&Add to library…", this, [this] { addToLibrary(); });
    library->addAction("&Delete from library…", QKeySequence::Delete, this, [this] { deleteFromLibrary(); });
    library->addAction("E&xtract into this folder", this, [this] { extractHere(); });
    library->addSeparator();
    library->addAction("Export as &PNG…", this, [this] { exportAs("PNG"); });
    library->addAction("Export as &SVG…", this, [this] { exportAs("SVG"); });
    m_view = menuBar()->addMenu("&View");
    m_view->addAction(folders->toggleViewAction());
    m_view->addAction(preview->toggleViewAction());
    m_view->addSeparator();

    // A folder dropped from a file manager is browsed; slides, libraries and
    // drawings open in their viewers, as when given on the command line.
    FileDrops::accept(this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            open(path);
    });
    resize(SizeOnScreen(this, QSize(1180, 720)));
    resizeDocks({folders, preview}, {240, 300}, Qt::Horizontal);
}

void StudioWindow::closeEvent(QCloseEvent* event)
{
    // One window that stays (an image whose changes are kept) keeps the studio.
    if (CloseOwnedWindows(this))
        event->accept();
    else
        event->ignore();
}

void StudioWindow::openFolder(const QString& folder)
{
    const QString path = QDir(folder).absolutePath();
    if (path == m_folder)
        return;
    m_folder = path;
    m_recent->add(path);
    m_browser->Open(QFile::encodeName(path).toStdString());
    m_imagesShown.clear();
    showImages();
    setWindowTitle(QString("%1 — %2").arg(QDir::toNativeSeparators(path), kCaption));
    const QModelIndex at = m_folders->index(path);
    m_tree->setCurrentIndex(at);
    m_tree->scrollTo(at);
    showCurrent();
}

void StudioWindow::open(const QString& path)
{
    if (QFileInfo(path).isDir())
        openFolder(path);
    else if (OpenGivenFile(this, path) < 0)
        MessageBox(this, QString("%1 is no slide, slide library, DWG or DXF drawing.").arg(path).toUtf8().constData(),
            kCaption, MB_OK | MB_ICONWARNING);
}

void StudioWindow::showImages()
{
    // Read when the tab shows: a folder of large pictures costs nothing
    // until the user looks at them.
    if (m_tabs->currentWidget() != m_images || m_imagesShown == m_folder || m_folder.isEmpty())
        return;
    m_imagesShown = m_folder;
    m_images->MakeControl(QFile::encodeName(m_folder).constData());
}

QAction* StudioWindow::action(const QString& text) const
{
    for (QAction* a : findChildren<QAction*>())
        if (a->text().remove('&') == text)
            return a;
    return nullptr;
}

std::vector<std::string> StudioWindow::selection() const
{
    std::vector<std::string> files;
    const KivThumbList* items = m_browser->browser().GetThumbList();
    if (!items)
        return files;
    for (int i = 0; i < items->getCount(); ++i)
        if (items->getAt(i)->selected)
            files.emplace_back(items->getAt(i)->file);
    if (files.empty())
        if (const KivThumbItem* current = items->getAt(m_browser->browser().GetCurSel()))
            files.emplace_back(current->file);
    return files;
}

std::map<std::string, std::vector<std::string>> StudioWindow::selectedMembers() const
{
    std::map<std::string, std::vector<std::string>> members;
    std::string library, name;
    for (const std::string& file : selection())
        if (splitMember(file, &library, &name))
            members[library].push_back(name);
    return members;
}

void StudioWindow::showCurrent()
{
    // The current item, else the first: the pane is never blank beside a
    // folder that has something to show.
    const KivThumbList* items = m_browser->browser().GetThumbList();
    const KivThumbItem* current = items ? items->getAt(m_browser->browser().GetCurSel()) : nullptr;
    if (!current && items)
        current = items->getAt(0);
    m_preview->SetFileName(current ? current->file : "", 1);
    // A folder with no drawing shows an empty pane, not a black one.
    m_preview->setVisible(current != nullptr);
}

void StudioWindow::refresh(const QString& said)
{
    const QString folder = m_folder;
    m_folder.clear();
    openFolder(folder);
    statusBar()->showMessage(said);
}

int StudioWindow::addToLibrary()
{
    std::vector<std::string> slides;
    for (const std::string& file : selection())
        if (isSlideFile(file))
            slides.push_back(file);
    if (slides.empty()) {
        statusBar()->showMessage("Select the slide files to add.");
        return 0;
    }
    CFileDialog dialog(TRUE, ".slb", nullptr, OFN_HIDEREADONLY | OFN_CREATEPROMPT,
        "AutoCAD Slide Library Files (*.slb)|*.slb|All Files (*.*)|*.*||", this);
    dialog.SetTitle("Add to Slide Library");
    dialog.SetInitialDir(QFile::encodeName(m_folder).constData());
    if (dialog.DoModal() != IDOK)
        return 0;
    const CString library = dialog.GetPathName();
    if (!QFileInfo::exists(QString::fromStdString(library)) && KivSlideFile::CreateLibrary(library.c_str()) != 0) {
        MessageBox(this, KivSlideFile::GetSlideError(), kCaption, MB_OK | MB_ICONERROR);
        return 0;
    }
    CStringArray stored;
    KivSlideFile::GetSlideList(library.c_str(), &stored);
    QSet<QString> there; // the names stored, in capitals as slide names are kept
    for (int i = 0; i < stored.GetSize(); ++i)
        there.insert(QString::fromStdString(stored.GetAt(i)).toUpper());
    int added = 0;
    for (const std::string& slide : slides) {
        const std::string name = memberName(slide);
        int code = 0;
        if (there.contains(QString::fromStdString(name))) {
            const CString question = "Replace slide " + name + " in library " + library + "?";
            const int answer = MessageBox(this, question.c_str(), kCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDCANCEL)
                break;
            if (answer != IDYES)
                continue;
            code = KivSlideFile::ReplaceLibrary(library.c_str(), slide.c_str());
        } else {
            code = KivSlideFile::AppendLibrary(library.c_str(), slide.c_str());
        }
        if (code != 0) {
            MessageBox(this, KivSlideFile::GetSlideError(), kCaption, MB_OK | MB_ICONERROR);
            break;
        }
        ++added;
    }
    refresh(QString("%1 slides added to %2").arg(added).arg(QString::fromStdString(library)));
    return added;
}

int StudioWindow::deleteFromLibrary()
{
    const std::map<std::string, std::vector<std::string>> members = selectedMembers();
    if (members.empty()) {
        statusBar()->showMessage("Select the library members to delete.");
        return 0;
    }
    int deleted = 0;
    for (const auto& [lib, names] : members) {
        const CString question = names.size() == 1
            ? "Delete slide " + names.front() + " from " + lib + "?"
            : StringFormat("Delete %zu slides from %s?", names.size(), lib.c_str());
        if (MessageBox(this, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            continue;
        if (KivSlideFile::DeleteLibrary(lib.c_str(), names) != 0) {
            MessageBox(this, KivSlideFile::GetSlideError(), kCaption, MB_OK | MB_ICONERROR);
            continue;
        }
        deleted += static_cast<int>(names.size());
    }
    refresh(QString("%1 slides deleted").arg(deleted));
    return deleted;
}

int StudioWindow::extractHere()
{
    const std::map<std::string, std::vector<std::string>> members = selectedMembers();
    if (members.empty()) {
        statusBar()->showMessage("Select the library members to extract.");
        return 0;
    }
    const QByteArray folder = QFile::encodeName(m_folder);
    int written = 0;
    for (const auto& [lib, names] : members) {
        const std::vector<CString> existing
            = KivSlideFile::ExtractedFilesThatExist(folder.constData(), lib.c_str(), names);
        if (!existing.empty()) {
            const CString question = existing.size() == 1
                ? "Replace " + existing.front() + "?"
                : StringFormat("Replace %zu slide files in %s?", existing.size(), folder.constData());
            if (MessageBox(this, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
                continue;
        }
        for (const std::string& slide : names) {
            if (KivSlideFile::ExtractLibrary(lib.c_str(), slide.c_str(), folder.constData()) != 0) {
                MessageBox(this, KivSlideFile::GetSlideError(), kCaption, MB_OK | MB_ICONERROR);
                break;
            }
            ++written;
        }
    }
    refresh(QString("%1 slides extracted into %2").arg(written).arg(m_folder));
    return written;
}

int StudioWindow::exportAs(const char* format)
{
    const std::vector<std::string> chosen = selection();
    if (chosen.empty() || CKivThumbViewCtrl::GetFileType(chosen.front().c_str()) != 1) {
        statusBar()->showMessage("Select a slide or a library member to export.");
        return 0;
    }
    const std::string& slide = chosen.front();
    std::string library, name = memberName(slide);
    splitMember(slide, &library, &name);
    const bool svg = std::string(format) == "SVG";
    const CString suggested = name + (svg ? ".svg" : ".png");
    CFileDialog dialog(FALSE, svg ? ".svg" : ".png", suggested.c_str(), OFN_OVERWRITEPROMPT,
        svg ? "SVG Pictures (*.svg)|*.svg||" : "PNG Pictures (*.png)|*.png||", this);
    dialog.SetTitle(svg ? "Export as SVG" : "Export as PNG");
    dialog.SetInitialDir(QFile::encodeName(m_folder).constData());
    if (dialog.DoModal() != IDOK)
        return 0;
    const QString out = QString::fromStdString(dialog.GetPathName());
    // The picture never takes the place of what it is drawn from.
    const QString source = QFileInfo(QString::fromStdString(library.empty() ? slide : library)).canonicalFilePath();
    if (!source.isEmpty() && QFileInfo(out).canonicalFilePath() == source) {
        MessageBox(this, QString("%1 is the file the slide is read from.").arg(out).toUtf8().constData(), kCaption,
            MB_OK | MB_ICONERROR);
        return 0;
    }
    QByteArray bytes;
    int code = 0;
    if (svg) {
        std::string text;
        code = KivSlideSvg::Write(slide.c_str(), kExportWidth, kExportHeight, RGB(0, 0, 0), 0, &text);
        bytes = QByteArray::fromStdString(text);
    } else {
        QImage image(kExportWidth, kExportHeight, QImage::Format_RGB32);
        {
            CDC dc(&image);
            dc.FillSolidRect(CRect(0, 0, kExportWidth, kExportHeight), RGB(0, 0, 0));
            KivSlideDraw draw;
            code = draw.Draw(nullptr, &dc, slide.c_str(), 0);
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (code == 0 || code == 2)
            image.save(&buffer, "PNG");
    }
    if (bytes.isEmpty()) {
        MessageBox(this, KivSlideFile::GetSlideError(), kCaption, MB_OK | MB_ICONERROR);
        return 0;
    }
    // Locked from reading to the rename, through a temporary file: an old
    // picture stays whole when the write fails, and no FIFO or folder is
    // taken for one.
    std::string error;
    if (!AtomicFile::Update(
            QFile::encodeName(out).toStdString(), kMaxReplacedBytes,
            [&bytes](const std::string*) { return std::optional<std::string>(bytes.toStdString()); }, &error)) {
        MessageBox(this,
            QString("%1 could not be written: %2").arg(out, QString::fromStdString(error)).toUtf8().constData(),
            kCaption, MB_OK | MB_ICONERROR);
        return 0;
    }
    statusBar()->showMessage(QString("%1 exported as %2").arg(QString::fromStdString(name), out));
    return 1;
}
