// SPDX-License-Identifier: MIT
// A GUI application that uses our message boxes and nothing of our widget
// library: its box must be a real one, not a console answer. Exit 0 when a
// QMessageBox came up and its No came back.
#include "platform/services/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            // A plain dialog: nothing for a window manager to minimise or maximise.
            const Qt::WindowFlags flags = box->windowFlags();
            shown = box->text() == "Save changes to clouds.jpg?" && !(flags & Qt::WindowMinimizeButtonHint)
                && !(flags & Qt::WindowMaximizeButtonHint) && (flags & Qt::WindowCloseButtonHint);
            box->button(QMessageBox::No)->click();
        }
    });
    const int answer = MessageBox(nullptr, "Save changes to clouds.jpg?", "Vandrel",
        vandrel::win32::MB_YESNOCANCEL | vandrel::win32::MB_ICONQUESTION);
    std::printf("shown %d, answer %d\n", shown ? 1 : 0, answer);
    return shown && answer == vandrel::win32::IDNO ? 0 : 1;
}
