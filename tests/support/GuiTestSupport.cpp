// SPDX-License-Identifier: MIT
#include "support/GuiTestSupport.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdlib>
#include <fstream>

namespace testsupport {

bool dropFiles(QWidget& window, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

// Qt's X11 platform loads the session bus library, which keeps an allocation
// for the life of the process: no leak of ours. The leak checker of the
// sanitizer build asks for this list; elsewhere nothing calls it. It lives
// beside useFixtureDisplay, which every program on the X server calls.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

std::string useFixtureDisplay()
{
    std::string state;
    if (const char* file = std::getenv("VANDREL_XVFB_STATE")) {
        std::ifstream in(file);
        std::getline(in, state);
    }
    if (state.rfind("display=", 0) == 0) {
        setenv("DISPLAY", state.substr(8, state.find(' ') - 8).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return {};
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return state.empty() ? "no X server was started for the screen tests" : state;
}

} // namespace testsupport
