// SPDX-License-Identifier: MIT
// The desktop's dialog that picks a file to open or to save. Filters are
// written as Win32 wrote them, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||",
// and match names in any letter case. Paths come back with '/'. In a process
// without a GUI nothing is shown and the dialog is cancelled; while a
// FileDialogRecorder exists it is recorded and answered from a script.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <deque>
#include <optional>
#include <vector>

namespace vandrel::win32 {
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
} // namespace vandrel::win32

class KIVGUI_EXPORT CFileDialog {
public:
    // defaultExt without or with its period; fileName the name proposed.
    explicit CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
        DWORD flags = vandrel::win32::OFN_HIDEREADONLY | vandrel::win32::OFN_OVERWRITEPROMPT,
        const char* filter = nullptr, HWND parent = nullptr);

    void SetTitle(const char* title) { m_title = title ? title : ""; }
    // The folder the dialog starts in; empty: the desktop's choice.
    void SetInitialDir(const char* folder) { m_initialDir = folder ? folder : ""; }

    // IDOK with a path chosen, else IDCANCEL.
    INT_PTR DoModal();

    CString GetPathName() const { return m_path; }
    // The chosen name with its extension, without the folder.
    CString GetFileName() const;
    // The extension without its period; empty when there is none.
    CString GetFileExt() const;
    // The folder of the chosen path, ending in '/'.
    CString GetFolderPath() const;

    BOOL IsOpenDialog() const { return m_open; }
    DWORD GetFlags() const { return m_flags; }
    const CString& GetTitle() const { return m_title; }
    const CString& GetInitialDir() const { return m_initialDir; }
    const CString& GetDefaultExt() const { return m_defaultExt; }
    const CString& GetFilter() const { return m_filter; }
    HWND GetOwner() const { return m_parent; }

    // The Qt name filters of a Win32 filter: "Text Files (*.txt *.TXT)", …
    static std::vector<CString> QtFilters(const char* filter);

private:
    BOOL m_open;
    CString m_defaultExt;
    CString m_fileName;
    DWORD m_flags;
    CString m_filter;
    HWND m_parent;
    CString m_title;
    CString m_initialDir;
    CString m_path;
};

// While one exists, file dialogs are recorded instead of shown and answered
// from the script: a path (OK) or nothing (Cancel); Cancel once it runs out.
class KIVGUI_EXPORT FileDialogRecorder {
public:
    struct Shown {
        HWND owner;
        BOOL open;
        CString title;
        CString initialDir;
        CString fileName;
        CString defaultExt;
        CString filter;
        DWORD flags;
    };

    FileDialogRecorder();
    ~FileDialogRecorder();
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    void answer(const char* path) { m_answers.emplace_back(CString(path ? path : "")); }
    void cancel() { m_answers.emplace_back(std::nullopt); }
    const std::vector<Shown>& shown() const { return m_shown; }

private:
    friend class CFileDialog;
    FileDialogRecorder* m_previous;
    std::deque<std::optional<CString>> m_answers;
    std::vector<Shown> m_shown;
};
