// vandrel-studio: the desktop host of the libraries. A menu opens what
// exists so far: the gallery of small controls, the report list and
// directory tree, a simulated long job in the progress window, the airfoil
// dialog, the about box, a thumbnail browser of folders, an album database,
// an image editor, and every viewer and picker of the common dialogs on the
// samples, their results in the log pane.
#include "ControlGallery.h"
#include "ControlsPage.h"
#include "FolderBrowser.h"
#include "DatabasePage.h"
#include "DialogsMenu.h"
#include "ImageBrowser.h"
#include "ImageWindow.h"

#include "appdialogs/KivDlgAppAirfoil.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgProgress.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDockWidget>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>
#include <cstring>

namespace {

// The sample slides: the folder given, else the first that exists of the
// source tree beside a build, the installed data folder and the folders
// of the desktop's data directories, wherever the studio is started from.
QString findSamples(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--browse") != 0)
        return QFile::decodeName(argv[1]);
    const QDir exe(QCoreApplication::applicationDirPath());
    QStringList candidates = {exe.filePath("../../samples/slides"), exe.filePath("../share/vandrel/samples/slides"),
        QStringLiteral(VANDREL_DATA_DIR "/samples/slides")};
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << data + "/vandrel/samples/slides";
    for (const QString& c : candidates)
        if (QFileInfo(c).isDir())
            return c;
    return candidates.first();
}

// A job of 100 steps on the interface thread, as the libraries' long
// operations run: it updates the window itself after each step.
void simulatedJob(QWidget* owner)
{
    if (!KivDlgProgressStart(owner, "Simulated job", 100))
        return;
    for (int step = 1; step <= 100; ++step) {
        QThread::msleep(20);
        const CString message = StringFormat("Working on step %d of 100", step);
        KivDlgProgressShow(message.c_str(), step);
    }
    KivDlgProgressClose();
}

// The airfoil dialog on the bundled coordinate files; the choice is kept for
// the next time and shown after OK.
void chooseAirfoil(QWidget* owner, const QString& samples)
{
    static int type = 1;
    static double camber = 2, position = 40, thickness = 12;
    static int nodes = 180;
    static char folder[260] = "", file[260] = "NACA2412.DAT";
    if (!*folder) {
        const QString foils = QDir(QDir(samples).filePath("../airfoil")).absolutePath() + "/";
        std::snprintf(folder, sizeof folder, "%s", foils.toStdString().c_str());
    }
    if (!KivDlgAppAirfoil(owner, &type, &camber, &position, &thickness, &nodes, folder, file))
        return;
    static const char* const kinds[] = {"Joukowski", "NACA 4-digit", "NACA 5-digit", "Data file"};
    const CString text = StringFormat("Kind: %s\nCamber %.2f %%, camber position %.2f %%, thickness %.2f %%\n"
                                      "Nodes: %d\nFolder: %s\nFile: %s",
        type >= 0 && type < 4 ? kinds[type] : "Joukowski", camber, position, thickness, nodes, folder, file);
    MessageBox(owner, text.c_str(), "Airfoil", MB_OK | MB_ICONINFORMATION);
}

// A browser window of its own for folder; it goes when closed.
void browseFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    auto* browser = new FolderBrowser;
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->Open(QFile::encodeName(folder).toStdString());
    browser->show();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vandrel Studio");
    const QString samples = findSamples(argc, argv);

    QMainWindow window;
    window.setWindowTitle("Vandrel Studio");
    AfxSetMainWnd(&window);
    auto* gallery = new ControlGallery(QDir(samples).absolutePath().toStdString());
    window.setCentralWidget(gallery);
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("&Browse folder…", &window, [&window, samples] {
        browseFolder(QFileDialog::getExistingDirectory(&window, "Browse folder", samples));
    });
    file->addSeparator();
    file->addAction("E&xit", &app, &QApplication::quit);
    QMenu* view = window.menuBar()->addMenu("&View");
    view->addAction("&Controls gallery", gallery, [gallery] { gallery->show(); });
    ControlsPage* controls = nullptr;
    view->addAction("C&ontrols: report list and folders", &window, [&controls] {
        if (!controls) {
            controls = new ControlsPage;
            controls->setAttribute(Qt::WA_DeleteOnClose, false);
        }
        controls->show();
        controls->raise();
    });
    view->addAction("&Database", &window, [&window] {
        // The sample album lives in the user's data folder, made on first use.
        auto* page = new DatabasePage(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), &window);
        page->setWindowFlag(Qt::Window);
        page->setAttribute(Qt::WA_DeleteOnClose);
        page->show();
    });
    view->addAction("&Image", &window, [&window, samples] {
        // The bundled picture lies beside the sample slides.
        auto* image = new ImageWindow(QDir(samples).absoluteFilePath("../images/clouds.jpg"), &window);
        image->setAttribute(Qt::WA_DeleteOnClose);
        image->setWindowFlag(Qt::Window);
        image->show();
    });
    view->addAction("Image &browser", &window, [&window, samples] {
        // Thumbnails of every folder browsed share one cache of the user's.
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/thumbs";
        QDir().mkpath(cache);
        auto* browser = new ImageBrowser(QDir(samples).absoluteFilePath("../images"), cache, &window);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setWindowFlag(Qt::Window);
        browser->show();
    });
    view->addAction("&Simulated long job", &window, [&window] { simulatedJob(&window); });
    QMenu* tools = window.menuBar()->addMenu("&Tools");
    tools->addAction("&Airfoil…", &window, [&window, samples] { chooseAirfoil(&window, samples); });
    // What the dialogs hand back shows in the log pane under the gallery.
    auto* log = new QPlainTextEdit;
    log->setReadOnly(true);
    log->setMaximumBlockCount(1000);
    auto* logDock = new QDockWidget("Log", &window);
    logDock->setObjectName("log");
    logDock->setWidget(log);
    window.addDockWidget(Qt::BottomDockWidgetArea, logDock);
    window.menuBar()->addMenu(new DialogsMenu(QDir(samples).absoluteFilePath(".."), log, &window));
    QMenu* help = window.menuBar()->addMenu("&Help");
    help->addAction("&About Vandrel Studio", &window, [&window] {
        KivDlgAbout(&window, nullptr, "Vandrel Studio", "Version " VANDREL_VERSION, "CAD desktop libraries on Qt",
            "https://example.org/vandrel", "vandrel@example.org");
    });
    window.resize(660, 560);
    window.show();
    // vandrel-studio --browse FOLDER opens the browser at once.
    if (argc > 2 && std::strcmp(argv[1], "--browse") == 0)
        browseFolder(QFile::decodeName(argv[2]));
    const int result = app.exec();
    delete controls;
    return result;
}
