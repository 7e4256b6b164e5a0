// vandrel-studio: the desktop host of the libraries. A menu opens what
// exists so far: the gallery of small controls.
#include "ControlGallery.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vandrel Studio");
    const QString samples = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QDir(QCoreApplication::applicationDirPath()).filePath("../../samples/slides");

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
