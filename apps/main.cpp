// vandrel-studio: the desktop host of the libraries. A menu opens what
// exists so far: the gallery of small controls, a simulated long job in the
// progress window and the about box.
#include "ControlGallery.h"
#include "ImageWindow.h"

#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgProgress.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardPaths>
#include <QThread>

namespace {

// The sample slides: the folder given, else the first that exists of the
// source tree beside a build, the installed data folder and the folders
// of the desktop's data directories, wherever the studio is started from.
QString findSamples(int argc, char** argv)
{
    if (argc > 1)
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
    QMenu* view = window.menuBar()->addMenu("&View");
    view->addAction("&Controls gallery", gallery, [gallery] { gallery->show(); });
    view->addAction("&Image", &window, [&window, samples] {
        // The bundled picture lies beside the sample slides.
        auto* image = new ImageWindow(QDir(samples).absoluteFilePath("../images/clouds.jpg"), &window);
        image->setAttribute(Qt::WA_DeleteOnClose);
        image->setWindowFlag(Qt::Window);
        image->show();
    });
    view->addAction("&Simulated long job", &window, [&window] { simulatedJob(&window); });
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("E&xit", &app, &QApplication::quit);
    QMenu* help = window.menuBar()->addMenu("&Help");
    help->addAction("&About Vandrel Studio", &window, [&window] {
        KivDlgAbout(&window, nullptr, "Vandrel Studio", "Version " VANDREL_VERSION, "CAD desktop libraries on Qt",
            "https://example.org/vandrel", "vandrel@example.org");
    });
    window.resize(660, 440);
    window.show();
    return app.exec();
}
