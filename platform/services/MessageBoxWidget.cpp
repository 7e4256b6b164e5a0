// SPDX-License-Identifier: MIT
#include "platform/services/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <vector>

// The boxes a user clicks, for processes that run a QApplication.

namespace {

QPointer<QWidget> g_mainWnd;

struct BoxButton {
    QMessageBox::StandardButton button;
    int id;
};

std::vector<BoxButton> buttonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon iconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int show(HWND owner, const char* text, const char* caption, UINT type)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    // A box without an owner belongs to the window the user is in; either
    // way it is a plain dialog, which a window manager gives no minimise or
    // maximise button.
    QWidget* parent = owner ? owner : QApplication::activeWindow();
    QMessageBox box(iconOf(type), QString::fromUtf8(caption), QString::fromUtf8(text), QMessageBox::NoButton, parent);
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const auto buttons = buttonsOf(type);
    for (const auto& b : buttons)
        box.addButton(b.button);
    const std::size_t def = (type & MB_DEFMASK) >> 8;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].button);
    const int clicked = box.exec();
    for (const auto& b : buttons)
        if (clicked == b.button)
            return b.id;
    // Closed with Escape or the title bar: Cancel where there is one, as Win32.
    return buttons.size() == 1 ? IDOK : IDCANCEL;
}

bool beep()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    QApplication::beep();
    return true;
}

HWND mainWindow()
{
    return g_mainWnd.data();
}

void setMainWindow(HWND window)
{
    g_mainWnd = window;
}

const MessageBoxPresenter kPresenter = {&show, &beep, &mainWindow, &setMainWindow};

// Installed as the library loads: whoever links the widgets gets real boxes.
const bool g_installed = (SetMessageBoxPresenter(&kPresenter), true);

} // namespace
