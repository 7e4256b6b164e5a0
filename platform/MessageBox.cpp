#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <cstdio>

namespace {

MessageBoxRecorder* g_recorder = nullptr;
ConsoleAnswer g_consoleAnswer = ConsoleAnswer::Cautious;
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

int showQt(HWND owner, const char* text, const char* caption, UINT type)
{
    QMessageBox box(iconOf(type), QString::fromUtf8(caption), QString::fromUtf8(text), QMessageBox::NoButton, owner);
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

const char* nameOf(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "?";
    }
}

} // namespace

int UnattendedAnswer(UINT type, ConsoleAnswer answer)
{
    const bool yes = answer == ConsoleAnswer::Consent;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return yes ? IDOK : IDCANCEL;
    case MB_ABORTRETRYIGNORE: return yes ? IDRETRY : IDABORT;
    case MB_YESNOCANCEL: return yes ? IDYES : IDCANCEL;
    case MB_YESNO: return yes ? IDYES : IDNO;
    case MB_RETRYCANCEL: return yes ? IDRETRY : IDCANCEL;
    default: return IDOK;
    }
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    text = text ? text : "";
    caption = caption ? caption : "Error";
    if (MessageBoxRecorder* recorder = g_recorder) {
        recorder->m_shown.push_back({owner, text, caption, type});
        int id = UnattendedAnswer(type, ConsoleAnswer::Cautious);
        if (!recorder->m_answers.empty()) {
            id = recorder->m_answers.front();
            recorder->m_answers.pop_front();
        }
        if (recorder->m_whileShown)
            recorder->m_whileShown();
        return id;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return showQt(owner, text, caption, type);

    const int id = UnattendedAnswer(type, g_consoleAnswer);
    if ((type & MB_TYPEMASK) == MB_OK)
        std::fprintf(stderr, "%s: %s\n", caption, text);
    else
        std::fprintf(stderr, "%s: %s [%s]\n", caption, text, nameOf(id));
    return id;
}

BOOL MessageBeep(UINT type)
{
    if (g_recorder) {
        g_recorder->m_beeps.push_back(type);
        return TRUE;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
    else
        std::fputc('\a', stderr);
    return TRUE;
}

int AfxMessageBox(const char* text, UINT type)
{
    const QString app = QCoreApplication::applicationName();
    const QByteArray caption = app.isEmpty() ? QByteArray("Vandrel") : app.toUtf8();
    return MessageBox(AfxGetMainWnd(), text, caption.constData(), type);
}

HWND AfxGetMainWnd()
{
    return g_mainWnd.data();
}

void AfxSetMainWnd(HWND window)
{
    g_mainWnd = window;
}

void SetConsoleAnswer(ConsoleAnswer answer)
{
    g_consoleAnswer = answer;
}

MessageBoxRecorder::MessageBoxRecorder() : m_previous(g_recorder)
{
    g_recorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    g_recorder = m_previous;
}
