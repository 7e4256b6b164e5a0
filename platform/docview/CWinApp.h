// SPDX-License-Identifier: MIT
// The application object's profile: the settings an application keeps for
// itself, read and written by section and entry. On this platform they live
// in one INI file in the application's configuration folder,
// $XDG_CONFIG_HOME/<organisation>/<application>/profile.ini (by default
// ~/.config/...), which a person can read and edit. Every write rewrites the
// file through a temporary file and a rename under the writers' lock, so two
// processes writing at once keep both changes. A damaged or unreadable file
// reads as empty and is not replaced.
#pragma once

#include "platform/KivGui_export.h"
#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <memory>
#include <vector>

class CDocTemplate;
class CDocument;

class KIVGUI_EXPORT CWinApp {
public:
    // The profile in the application's configuration folder (QStandardPaths'
    // AppConfigLocation, so the Qt application's name decides it).
    CWinApp();
    // The profile in the file at profilePath (hosts with their own place; tests).
    explicit CWinApp(CString profilePath);
    virtual ~CWinApp();

    const CString& GetProfilePath() const { return m_profile; }

    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr) const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    // A null value removes the entry, a null entry the whole section.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    // The document framework: the application owns its templates. The
    // first template makes the documents of File New and File Open.
    void AddDocTemplate(CDocTemplate* docTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }
    // Every open document of every template.
    std::vector<CDocument*> GetDocuments() const;
    void OnFileNew();
    // Asks for a file with the open dialog and opens it.
    void OnFileOpen();
    // A document for the file; null when it would not open. A file open
    // already is brought forward instead.
    virtual CDocument* OpenDocumentFile(const char* file);
    // The open document of file (by its real path); null when there is none.
    CDocument* FindOpenDocument(const char* file) const;
    // Every modified document asks to be saved; FALSE when one was cancelled.
    BOOL SaveAllModified();
    void CloseAllDocuments();

private:
    CString m_profile;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};
