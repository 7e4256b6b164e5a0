// SPDX-License-Identifier: MIT
// vandrel-studio: the browser of slides, slide libraries and drawings (the
// main window: folder tree, thumbnail grid, preview, library actions), and
// the desktop host of the libraries: its menus open the gallery of small
// controls, the report list and directory tree, a simulated long job in the
// progress window, the airfoil dialog, the slide library manager, a timer,
// the command history, user property and drawing file dialogs, the about
// box, an album database, an image editor, and every viewer and picker of
// the common dialogs on the samples, their results in the log pane.
#include "BlockList.h"
#include "ControlGallery.h"
#include "ControlsPage.h"
#include "DatabasePage.h"
#include "DialogsMenu.h"
#include "FileDrops.h"
#include "FolderBrowser.h"
#include "ImageBrowser.h"
#include "ImageEditor.h"
#include "ImageWindow.h"
#include "OpenFile.h"
#include "ScreenFit.h"
#include "StudioWindow.h"
#include "WindowTexts.h"

#include "appdialogs/KivDlgAppAirfoil.h"
#include "appdialogs/KivDlgAppCmdHist.h"
#include "appdialogs/KivDlgAppDwgFile.h"
#include "appdialogs/KivDlgAppSlideManager.h"
#include "appdialogs/KivDlgAppTimer.h"
#include "appdialogs/KivDlgAppUserProp.h"
#include "controls/CKivTimerCtrl.h"
#include "core/KivParamList.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgProgress.h"
#include "platform/docview/CWinApp.h"
#include "platform/services/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The sample slides: the first that exists of the source tree beside a
// build, the installed data folder and the folders of the desktop's data
// directories, wherever the studio is started from.
QString findSamples()
{
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

// The manager started in folder, as a host starts it in its working folder.
void manageSlides(QWidget* owner, const QString& folder)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    KivDlgAppSlideManager(owner);
    QDir::setCurrent(previous);
}

// A copy of the sample slides and library that the manager may change. It
// lives in a folder the user sees (the manager's tree shows no hidden
// folder), is made once, and keeps its changes afterwards: nothing in it is
// ever removed here.
QString scratchSamples(const QString& samples)
{
    const QString scratch
        = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath("Vandrel sample slides");
    if (QFileInfo::exists(scratch))
        return scratch;
    QDir().mkpath(scratch);
    for (const QFileInfo& f : QDir(samples).entryInfoList(QDir::Files))
        QFile::copy(f.filePath(), scratch + "/" + f.fileName());
    return scratch;
}

// A window with a live timer control: its settings come from the studio's
// profile and go back there after the setup dialog.
void showTimer(QWidget* owner)
{
    static CWinApp profile;
    auto* window = new QWidget(owner, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle("Timer");
    auto* layout = new QVBoxLayout(window);
    auto* timer = new CKivTimerCtrl;
    timer->setMinimumSize(320, 80);
    timer->LoadConfig(&profile);
    if (timer->GetMode() == 0 && timer->GetTime() == "00:00:00:00") {
        timer->SetMode(1); // a first run counts down ten seconds
        timer->SetTime(0, 0, 10);
    }
    layout->addWidget(timer, 1);
    auto* state = new QLabel("Idle");
    layout->addWidget(state);
    auto* row = new QHBoxLayout;
    auto* start = new QPushButton("&Start");
    auto* stop = new QPushButton("S&top");
    auto* setup = new QPushButton("Set&up…");
    row->addWidget(start);
    row->addWidget(stop);
    row->addWidget(setup);
    layout->addLayout(row);
    QObject::connect(start, &QPushButton::clicked, timer, [timer, state] {
        timer->Start();
        if (timer->IsBusy())
            state->setText("Running");
    });
    QObject::connect(stop, &QPushButton::clicked, timer, [timer] {
        if (timer->IsBusy())
            timer->Stop(0);
    });
    QObject::connect(setup, &QPushButton::clicked, timer, [timer, window] {
        if (KivDlgAppTimer(window, timer))
            timer->SaveConfig(&profile);
    });
    QObject::connect(timer, &CWnd::notified, state, [timer, state](unsigned code) {
        state->setText(code == CKivTimerCtrl::kReachedCode ? "Time reached" : "Stopped");
        if (code == CKivTimerCtrl::kReachedCode && timer->GetLoop())
            timer->Start();
    });
    window->resize(420, 180);
    window->show();
}

void commandHistory(QWidget* owner)
{
    CStringList history;
    for (const char* c : {"LINE 0,0 100,0", "CIRCLE 50,50 25", "ZOOM E", "MSLIDE HOUSE", "VSLIDE DEMO(WHEEL)"})
        history.AddTail(c);
    char chosen[256] = "";
    if (KivDlgAppCmdHist(owner, &history, chosen))
        MessageBox(owner, chosen, "Command History", MB_OK | MB_ICONINFORMATION);
}

void userProperties(QWidget* owner)
{
    static KivParamList props;
    if (props.getCount() == 0) {
        props.addParam("Author", "Vandrel");
        props.addParam("Scale", "1:50");
        props.addParam("Sheet", "A1");
    }
    if (KivDlgAppUserProp(owner, &props))
        MessageBox(owner, props.getParamStr().c_str(), "User Properties", MB_OK | MB_ICONINFORMATION);
}

void drawingFile(QWidget* owner, const QString& samples)
{
    char chosen[260] = "";
    if (KivDlgAppDwgFile(owner, samples.toStdString().c_str(), chosen, &BlockList::Show))
        MessageBox(owner, *chosen ? chosen : "(no drawing)", "Select Drawing File", MB_OK | MB_ICONINFORMATION);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.installEventFilter(new WindowTexts(&app));
    app.setWindowIcon(QIcon(":/vandrel/icons/org.vandrel.Studio.svg"));
    QGuiApplication::setDesktopFileName("org.vandrel.Studio");
    QApplication::setApplicationName("Vandrel Studio");
    const QString samples = findSamples();

    // The browser of slides, libraries and drawings is the main window; the
    // gallery of the controls is a window of its own for developers.
    StudioWindow window;
    AfxSetMainWnd(&window);
    ControlGallery* gallery = nullptr;
    QMenu* file = window.fileMenu();
    // Through the window's close, which lets every window with changes ask.
    file->addAction("E&xit", QKeySequence::Quit, &window, &QWidget::close);
    QMenu* view = window.viewMenu();
    view->addAction("&Controls gallery", &window, [&window, &gallery, samples] {
        if (!gallery) {
            gallery = new ControlGallery(QDir(samples).absolutePath().toStdString(), &window);
            gallery->setWindowFlag(Qt::Window);
            gallery->setWindowTitle("Controls gallery");
        }
        gallery->show();
        gallery->raise();
    });
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
    tools->addAction("&Image editor", &window, [&window] {
        auto* editor = new ImageEditor(QString(), &window);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->setWindowFlag(Qt::Window);
        editor->show();
    });
    tools->addAction("&Airfoil…", &window, [&window, samples] { chooseAirfoil(&window, samples); });
    tools->addSeparator();
    tools->addAction("Slide &library manager (sample slides)…", &window,
        [&window, samples] { manageSlides(&window, QDir(samples).absolutePath()); });
    tools->addAction("Slide library manager (c&opy in Documents)…", &window, [&window, samples] {
        const QString scratch = scratchSamples(samples);
        if (QFileInfo(scratch).isDir())
            manageSlides(&window, scratch);
        else
            QMessageBox::warning(&window, "Vandrel Studio", QString("%1 is no folder.").arg(scratch));
    });
    tools->addAction("&Timer…", &window, [&window] { showTimer(&window); });
    tools->addAction("&Command history…", &window, [&window] { commandHistory(&window); });
    tools->addAction("&User properties…", &window, [&window] { userProperties(&window); });
    tools->addAction("&Drawing file…", &window, [&window, samples] { drawingFile(&window, samples); });
    // What the dialogs hand back shows in the log pane under the gallery.
    auto* log = new QPlainTextEdit;
    log->setReadOnly(true);
    log->setMaximumBlockCount(1000);
    auto* logDock = new QDockWidget("Log", &window);
    logDock->setObjectName("log");
    logDock->setWidget(log);
    window.addDockWidget(Qt::BottomDockWidgetArea, logDock);
    logDock->hide();
    view->addAction(logDock->toggleViewAction());
    QObject::connect(log, &QPlainTextEdit::textChanged, logDock, &QWidget::show);
    window.menuBar()->addMenu(new DialogsMenu(QDir(samples).absoluteFilePath(".."), log, &window));
    QMenu* help = window.menuBar()->addMenu("&Help");
    help->addAction("&About Vandrel Studio", &window, [&window] {
        KivDlgAbout(&window, nullptr, "Vandrel Studio", "Version " VANDREL_VERSION, "CAD desktop libraries on Qt",
            "https://example.org/vandrel", "vandrel@example.org");
    });
    window.show();
    // Folders and files given (by a file manager, through the desktop
    // entry) open once the window shows: the first folder in the window,
    // files in their viewers; without a folder, the sample slides.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--browse") != 0)
            given << QFile::decodeName(argv[i]);
    const auto folderGiven
        = std::find_if(given.begin(), given.end(), [](const QString& g) { return QFileInfo(g).isDir(); });
    window.openFolder(folderGiven != given.end() ? *folderGiven : samples);
    QTimer::singleShot(0, &window, [&window, given] {
        for (const QString& g : given)
            if (!QFileInfo(g).isDir())
                window.open(g);
    });
    const int result = app.exec();
    delete controls;
    return result;
}
