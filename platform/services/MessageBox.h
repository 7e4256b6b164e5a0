// SPDX-License-Identifier: MIT
// The message-box service. In a GUI process it shows a real QMessageBox; in a
// console process it writes "caption: text" to standard error and answers a
// question cautiously (No / Cancel) unless the program gave its consent, so
// nothing is overwritten behind the user's back. Tests script the answers and
// read what was shown through MessageBoxRecorder.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"
#include "platform/base/WinMessages.h"

#include <deque>
#include <functional>
#include <vector>

namespace vandrel::win32 {

// Buttons
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
// Icons
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
// Default buttons
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;

} // namespace vandrel::win32

KIVPLATFORM_EXPORT int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
// The framework's box: the application's name as caption, the main window as owner.
KIVPLATFORM_EXPORT int AfxMessageBox(const char* text, UINT type = vandrel::win32::MB_OK);

// The application's main window, null when the host registered none.
KIVPLATFORM_EXPORT HWND AfxGetMainWnd();
KIVPLATFORM_EXPORT void AfxSetMainWnd(HWND window);

// How a process with a screen shows boxes. The widget library installs its
// own when it is loaded, so a console program never loads a toolkit for them.
struct MessageBoxPresenter {
    // The answer of a box shown, 0 when none can be shown (no GUI application).
    int (*show)(HWND owner, const char* text, const char* caption, UINT type);
    // False when there is no screen to beep on.
    bool (*beep)();
    HWND (*mainWindow)();
    void (*setMainWindow)(HWND window);
};
KIVPLATFORM_EXPORT void SetMessageBoxPresenter(const MessageBoxPresenter* presenter);

// The system sound of a message-box type (MB_ICONEXCLAMATION …).
KIVPLATFORM_EXPORT BOOL MessageBeep(UINT type);

// What a console process answers to a box that asks something.
enum class ConsoleAnswer {
    Cautious, // No, Cancel or Abort: the default
    Consent, // Yes, OK, Retry: the user said so on the command line
};
KIVPLATFORM_EXPORT void SetConsoleAnswer(ConsoleAnswer answer);

// The answer a box of this type gets without anybody to click it.
KIVPLATFORM_EXPORT int UnattendedAnswer(UINT type, ConsoleAnswer answer);

// While one exists, every box is recorded instead of shown and answered from
// the scripted queue (the cautious answer once the queue is empty).
class KIVPLATFORM_EXPORT MessageBoxRecorder {
public:
    struct Shown {
        HWND owner;
        CString text;
        CString caption;
        UINT type;
    };

    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void answer(int id) { m_answers.push_back(id); }
    // Runs while each box is up, as a real box's event loop delivers what
    // was posted meanwhile (say QCoreApplication::processEvents).
    void whileShown(std::function<void()> work) { m_whileShown = std::move(work); }
    const std::vector<Shown>& shown() const { return m_shown; }
    // The types of the beeps sounded meanwhile.
    const std::vector<UINT>& beeps() const { return m_beeps; }
    void clear()
    {
        m_shown.clear();
        m_beeps.clear();
    }

private:
    friend int MessageBox(HWND, const char*, const char*, UINT);
    friend BOOL MessageBeep(UINT);
    std::vector<UINT> m_beeps;
    MessageBoxRecorder* m_previous;
    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
    std::function<void()> m_whileShown;
};
