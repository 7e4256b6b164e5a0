// SPDX-License-Identifier: MIT
#include "platform/docview/CWinApp.h"

#include "platform/docview/CDocTemplate.h"
#include "platform/docview/CDocument.h"
#include "platform/docview/CFrameWnd.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ByteSource.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr std::uint64_t kMaxProfile = 1 << 20; // a profile is small; refuse a huge file

bool sameNoCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// [section] header name of a line, or nothing.
std::optional<std::string> sectionOf(const std::string& line)
{
    const std::string t = trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return trim(t.substr(1, t.size() - 2));
    return std::nullopt;
}

std::optional<std::string> lookup(const std::string& text, const char* section, const char* entry)
{
    bool inSection = false;
    for (const std::string& line : linesOf(text)) {
        if (const auto name = sectionOf(line)) {
            inSection = sameNoCase(*name, section);
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string::npos && sameNoCase(trim(line.substr(0, eq)), entry))
            return trim(line.substr(eq + 1));
    }
    return std::nullopt;
}

// The text with the entry set (value), removed (no value) or the section
// removed (no entry); other lines stay as they were.
std::string edited(const std::string& text, const char* section, const char* entry, const char* value)
{
    std::string out;
    bool inSection = false, seen = false, done = false;
    const auto put = [&out](const std::string& line) { out += line + "\n"; };
    const auto addEntry = [&] {
        if (!done && entry && value) {
            put(std::string(entry) + "=" + value);
            done = true;
        }
    };
    for (const std::string& line : linesOf(text)) {
        if (const auto name = sectionOf(line)) {
            if (inSection)
                addEntry();
            inSection = sameNoCase(*name, section);
            seen = seen || inSection;
            if (!inSection || entry)
                put(line);
            continue;
        }
        if (inSection) {
            if (!entry)
                continue;
            const auto eq = line.find('=');
            if (eq != std::string::npos && sameNoCase(trim(line.substr(0, eq)), entry)) {
                addEntry();
                continue;
            }
        }
        put(line);
    }
    if (inSection)
        addEntry();
    if (!seen && entry && value) {
        put(std::string("[") + section + "]");
        addEntry();
    }
    return out;
}

std::string readProfile(const std::string& path)
{
    ByteSource source;
    std::vector<std::uint8_t> bytes;
    if (!source.openFile(path) || !source.readRange(0, source.size(), bytes, kMaxProfile))
        return {};
    return std::string(bytes.begin(), bytes.end());
}

// Section and entry names that would break the file's lines are refused.
bool storable(const char* text)
{
    for (const char* p = text; p && *p; ++p)
        if (*p == '\n' || *p == '\r' || *p == '=' || *p == '[' || *p == ']')
            return false;
    return true;
}

} // namespace

CWinApp::CWinApp()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    m_profile = QDir(folder).filePath("profile.ini").toStdString();
}

CWinApp::CWinApp(CString profilePath) : m_profile(std::move(profilePath))
{
}

CWinApp::~CWinApp() = default;

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const
{
    if (!section || !entry)
        return static_cast<UINT>(defaultValue);
    const auto value = lookup(readProfile(m_profile), section, entry);
    if (!value || value->empty())
        return static_cast<UINT>(defaultValue);
    errno = 0;
    char* end = nullptr;
    const long long n = std::strtoll(value->c_str(), &end, 10);
    if (end == value->c_str() || errno == ERANGE)
        return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(n);
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) const
{
    if (section && entry)
        if (const auto value = lookup(readProfile(m_profile), section, entry))
            return *value;
    return defaultValue ? defaultValue : "";
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    return WriteProfileString(section, entry, std::to_string(value).c_str());
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (!section || !storable(section) || !storable(entry))
        return FALSE;
    // A value keeps to one line: its line breaks become spaces.
    std::string line = value ? value : "";
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    const std::string folder = QFileInfo(QString::fromStdString(m_profile)).absolutePath().toStdString();
    if (!QDir().mkpath(QString::fromStdString(folder)))
        return FALSE;
    return AtomicFile::Update(m_profile, kMaxProfile,
               [&](const std::string* old) -> std::optional<std::string> {
                   return edited(old ? *old : std::string(), section, entry, value ? line.c_str() : nullptr);
               })
        ? TRUE
        : FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (docTemplate)
        m_templates.emplace_back(docTemplate);
}

std::vector<CDocument*> CWinApp::GetDocuments() const
{
    std::vector<CDocument*> documents;
    for (const auto& t : m_templates)
        documents.insert(documents.end(), t->GetDocuments().begin(), t->GetDocuments().end());
    return documents;
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    if (m_templates.empty())
        return;
    const CString& filter = m_templates.front()->GetFilter();
    CFileDialog dialog(1, nullptr, nullptr, vandrel::win32::OFN_HIDEREADONLY | vandrel::win32::OFN_FILEMUSTEXIST,
        filter.empty() ? nullptr : filter.c_str(), AfxGetMainWnd());
    if (dialog.DoModal() == vandrel::win32::IDOK)
        OpenDocumentFile(dialog.GetPathName().c_str());
}

CDocument* CWinApp::OpenDocumentFile(const char* file)
{
    if (m_templates.empty() || !file)
        return nullptr;
    // A file that is open already is shown, not opened twice.
    if (CDocument* open = FindOpenDocument(file)) {
        for (CFrameWnd* frame : open->GetFrames()) {
            QWidget* window = frame->parentWidget() ? frame->parentWidget() : frame;
            window->raise();
            frame->setFocus();
        }
        return open;
    }
    return m_templates.front()->OpenDocumentFile(file);
}

CDocument* CWinApp::FindOpenDocument(const char* file) const
{
    if (!file)
        return nullptr;
    // The same file through another name (relative, a link) is the same document.
    std::error_code error;
    const auto wanted = std::filesystem::weakly_canonical(file, error);
    for (CDocument* document : GetDocuments()) {
        if (document->GetPathName().empty())
            continue;
        std::error_code e;
        const auto path = std::filesystem::weakly_canonical(document->GetPathName().c_str(), e);
        if (document->GetPathName() == file || (!error && !e && path == wanted))
            return document;
    }
    return nullptr;
}

BOOL CWinApp::SaveAllModified()
{
    for (const auto& t : m_templates)
        if (!t->SaveAllModified())
            return 0;
    return 1;
}

void CWinApp::CloseAllDocuments()
{
    for (const auto& t : m_templates)
        t->CloseAllDocuments();
}
