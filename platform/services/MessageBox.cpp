// SPDX-License-Identifier: MIT
#include "platform/services/MessageBox.h"

#include "platform/base/Translation.h"

#include <QCoreApplication>

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace {

MessageBoxRecorder* g_recorder = nullptr;
ConsoleAnswer g_consoleAnswer = ConsoleAnswer::Cautious;
const MessageBoxPresenter* g_presenter = nullptr;

// The widget library installs the presenter as it loads. A GUI application
// that calls no widget code of ours has not loaded it: it is loaded here, so
// such a host shows real boxes instead of answering them on the console.
//
// It is looked for beside this library, by full path: a loader that stands
// between (a sanitizer's) would search its own paths for a bare name.
const MessageBoxPresenter* presenter()
{
    if (!g_presenter) {
        const QCoreApplication* app = QCoreApplication::instance();
        Dl_info self {};
        if (app && app->inherits("QApplication") && ::dladdr(reinterpret_cast<void*>(&presenter), &self)
            && self.dli_fname) {
            const std::string path = self.dli_fname;
            ::dlopen((path.substr(0, path.rfind('/') + 1) + VANDREL_GUI_LIBRARY).c_str(), RTLD_NOW | RTLD_GLOBAL);
        }
    }
    return g_presenter;
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
    // A box speaks the user's language where the catalogue has its words.
    const CString translatedText = KivTranslate("Message", text ? text : "");
    const CString translatedCaption = KivTranslate("Message", caption ? caption : "Error");
    text = translatedText.c_str();
    caption = translatedCaption.c_str();
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
    if (const MessageBoxPresenter* shower = presenter()) {
        const int shown = shower->show(owner, text, caption, type);
        if (shown != 0)
            return shown;
    }
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
    const MessageBoxPresenter* sounder = presenter();
    if (!sounder || !sounder->beep())
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
    const MessageBoxPresenter* known = presenter();
    return known ? known->mainWindow() : nullptr;
}

void AfxSetMainWnd(HWND window)
{
    if (const MessageBoxPresenter* known = presenter())
        known->setMainWindow(window);
}

void SetMessageBoxPresenter(const MessageBoxPresenter* presenter)
{
    g_presenter = presenter;
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
