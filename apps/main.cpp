// vandrel-studio: the desktop host of the libraries. A menu opens what
// exists so far: the gallery of small controls.
#include "ControlGallery.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardPaths>

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
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("E&xit", &app, &QApplication::quit);
    window.resize(660, 440);
    window.show();
    return app.exec();
}
