// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "OutputFile.h"

#include "views/CKivSlideThumbListCtrl.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>

#include <cstring>

namespace cli {

namespace {

// "6x4" into columns and rows, each 1 to 64.
bool parseGrid(const QString& text, int& cols, int& rows)
{
    const QStringList parts = text.split('x');
    bool okCols = false, okRows = false;
    if (parts.size() == 2) {
        cols = parts[0].toInt(&okCols);
        rows = parts[1].toInt(&okRows);
    }
    if (!okCols || !okRows || cols < 1 || rows < 1 || cols > 64 || rows > 64) {
        printError("--grid takes COLSxROWS, each from 1 to 64");
        return false;
    }
    return true;
}

// sheet.png, page 2 → sheet-2.png.
QString pageName(const QString& out, int page)
{
    const QFileInfo info(out);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? out : out.left(out.size() - suffix.size() - 1);
    return QString("%1-%2%3").arg(stem).arg(page).arg(suffix.isEmpty() ? QString() : "." + suffix);
}

} // namespace

bool needsWidgets(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue;
        // Contact sheets draw with the browser's cells; DXF drawings write
        // their texts with fonts, which need a GUI application too.
        return std::strcmp(argv[i], "sheet") == 0 || std::strcmp(argv[i], "dxf") == 0;
    }
    return false;
}

int runSheet(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws contact sheets: a grid of thumbnails of the slides, slide-library members, DWG previews and DXF "
        "drawings of PATH "
        "(a folder, a slide library or a list of files), drawn by the cells of the thumbnail browser. When the grid "
        "overflows, one PNG per page: OUT-1.png, OUT-2.png ...");
    parser.addPositionalArgument("PATH", "folder, slide library or files", "PATH...");
    const QCommandLineOption output({"o", "output"}, "The PNG file to write.", "OUT");
    const QCommandLineOption grid("grid", "Columns and rows of a page (default 6x4).", "COLSxROWS", "6x4");
    const QCommandLineOption cell("cell", "Size of a cell in pixels (default 160x120).", "WxH", "160x120");
    const QCommandLineOption labels("labels", "Put each slide's or file's name under it.");
    parser.addOption(output);
    parser.addOption(grid);
    parser.addOption(cell);
    parser.addOption(labels);
    int exit = Ok;
    if (!parse(parser, args, "sheet PATH... -o OUT.png [--grid 6x4] [--cell 160x120] [--labels]", exit))
        return exit;
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty() || !parser.isSet(output)) {
        printError("sheet takes at least one PATH and -o OUT.png");
        return Failed;
    }
    int cols = 0, rows = 0, cellWidth = 0, cellHeight = 0;
    if (!parseGrid(parser.value(grid), cols, rows) || !parseSize(parser.value(cell), cellWidth, cellHeight, "cell"))
        return Failed;
    const QString out = parser.value(output);
    if (outputFormat(out, false) != "PNG") {
        printError("sheet writes PNG files: OUT must end in .png");
        return Failed;
    }
    const long long width = static_cast<long long>(cols) * cellWidth,
                    height = static_cast<long long>(rows) * cellHeight;
    if (width > 16384 || height > 16384 || width * height > kMaxRasterPixels) {
        printError(QString("a page of %1 cells of %2x%3 would be %4x%5 pixels: pages hold at most 16384 a side and "
                           "%6 pixels (4096x4096); choose a smaller --cell or --grid")
                       .arg(parser.value(grid))
                       .arg(cellWidth)
                       .arg(cellHeight)
                       .arg(width)
                       .arg(height)
                       .arg(kMaxRasterPixels));
        return Failed;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        printError("sheet needs the widget application");
        return Failed;
    }

    CKivSlideThumbListCtrl browser;
    browser.SetScrollEnable(0);
    browser.SetLabelState(parser.isSet(labels) ? 1 : 0);
    browser.SetLabelStyle(2); // the names AddDrawings keeps in each item's data
    browser.SetContextMenu(0);
    browser.resize(static_cast<int>(width), static_cast<int>(height));
    int added = 0;
    for (const QString& path : paths) {
        const int n = browser.AddDrawings(utf8(path).constData());
        if (n == 0)
            printError(QString("%1: nothing to draw (no slide, slide library or drawing that can be read)").arg(path));
        added += n;
    }
    if (added == 0)
        return Failed;
    browser.MakeThumb(cols, rows);
    const int perPage = browser.GetCellsPerPage();
    const int pages = (added + perPage - 1) / perPage;
    for (int page = 0; page < pages; ++page) {
        browser.ViewThumb(page * perPage);
        // The cells place their children on posted size messages.
        QCoreApplication::processEvents();
        QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
        image.fill(browser.palette().color(QPalette::Window));
        browser.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QString name = pages == 1 ? out : pageName(out, page + 1);
        if (!writeImage(name, image, "PNG"))
            return Failed;
        std::printf("%s\n", utf8(name).constData());
    }
    return Ok;
}

} // namespace cli
