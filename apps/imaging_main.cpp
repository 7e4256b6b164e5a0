// SPDX-License-Identifier: MIT
// vandrel-imaging: the image editor on its own. Files named on the command
// line open at start.
#include "ImageEditor.h"
#include "WindowTexts.h"

#include "platform/services/MessageBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.installEventFilter(new WindowTexts(&application));
    application.setWindowIcon(QIcon(":/vandrel/icons/org.vandrel.Imaging.svg"));
    QGuiApplication::setDesktopFileName("org.vandrel.Imaging");
    QApplication::setOrganizationName("Vandrel");
    QApplication::setApplicationName("Vandrel Image Editor");
    QCommandLineParser parser;
    parser.setApplicationDescription("Edits images and multi-page TIFF files page by page.");
    parser.addHelpOption();
    parser.addPositionalArgument("files", "Images to open.", "[FILE...]");
    parser.process(application);

    ImageEditor editor;
    AfxSetMainWnd(&editor);
    editor.show();
    for (const QString& file : parser.positionalArguments())
        editor.app().OpenDocumentFile(file.toUtf8().constData());
    const int status = application.exec();
    AfxSetMainWnd(nullptr);
    return status;
}
