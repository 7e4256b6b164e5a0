// SPDX-License-Identifier: MIT
#include "platform/services/CFileDialog.h"

#include "platform/services/MessageBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace {

FileDialogRecorder* g_recorder = nullptr;

std::vector<CString> split(const CString& text, char separator)
{
    std::vector<CString> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == CString::npos ? CString::npos : end - start));
        if (end == CString::npos)
            return parts;
        start = end + 1;
    }
}

// Where the name begins: after the last separator of either kind.
std::size_t nameStart(const CString& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == CString::npos ? (path.size() >= 2 && path[1] == ':' ? 2 : 0) : slash + 1;
}

} // namespace

CFileDialog::CFileDialog(
    BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags, const char* filter, HWND parent)
    : m_open(openFileDialog), m_defaultExt(defaultExt ? defaultExt : ""), m_fileName(fileName ? fileName : ""),
      m_flags(flags), m_filter(filter ? filter : ""), m_parent(parent)
{
    if (!m_defaultExt.empty() && m_defaultExt.front() == '.')
        m_defaultExt.erase(0, 1);
}

std::vector<CString> CFileDialog::QtFilters(const char* filter)
{
    std::vector<CString> filters;
    if (!filter)
        return filters;
    const std::vector<CString> parts = split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        CString description = parts[i];
        if (description.empty() && parts[i + 1].empty())
            break; // the closing "||"
        // Qt reads the patterns from the last parentheses of the text, so the
        // description keeps its words and the patterns are written anew.
        if (const std::size_t open = description.rfind('('); open != CString::npos && description.back() == ')') {
            description.resize(open);
            while (!description.empty() && description.back() == ' ')
                description.pop_back();
        }
        CString patterns;
        for (const CString& pattern : split(parts[i + 1], ';')) {
            if (pattern.empty())
                continue;
            // "*.*" meant every file on Windows, names without a period too.
            const CString lower = MakeLower(pattern), upper = MakeUpper(pattern);
            CString words = pattern == "*.*" ? CString("*") : lower == upper ? pattern : lower + " " + upper;
            patterns += (patterns.empty() ? "" : " ") + words;
        }
        filters.push_back(description + " (" + patterns + ")");
    }
    return filters;
}

CString CFileDialog::GetFileName() const
{
    return m_path.substr(nameStart(m_path));
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const std::size_t dot = name.rfind('.');
    return dot == CString::npos ? CString() : name.substr(dot + 1);
}

CString CFileDialog::GetFolderPath() const
{
    CString folder = m_path.substr(0, nameStart(m_path));
    for (char& c : folder)
        if (c == '\\')
            c = '/';
    return folder;
}

INT_PTR CFileDialog::DoModal()
{
    m_path.clear();
    if (g_recorder) {
        g_recorder->m_shown.push_back(
            {m_parent, m_open, m_title, m_initialDir, m_fileName, m_defaultExt, m_filter, m_flags});
        if (g_recorder->m_answers.empty())
            return IDCANCEL;
        const std::optional<CString> answer = g_recorder->m_answers.front();
        g_recorder->m_answers.pop_front();
        if (!answer)
            return IDCANCEL;
        m_path = *answer;
        return IDOK;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return IDCANCEL;
    QFileDialog dialog(m_parent, QString::fromStdString(m_title), QString::fromStdString(m_initialDir));
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    const bool mustExist = m_open && !(m_flags & vandrel::win32::OFN_CREATEPROMPT);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!m_open && !(m_flags & vandrel::win32::OFN_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList names;
    for (const CString& f : QtFilters(m_filter.c_str()))
        names << QString::fromStdString(f);
    if (!names.isEmpty())
        dialog.setNameFilters(names);
    if (!m_defaultExt.empty())
        dialog.setDefaultSuffix(QString::fromStdString(m_defaultExt));
    if (!m_fileName.empty())
        dialog.selectFile(QString::fromStdString(m_fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_path = dialog.selectedFiles().constFirst().toStdString();
    return IDOK;
}

FileDialogRecorder::FileDialogRecorder() : m_previous(g_recorder)
{
    g_recorder = this;
}

FileDialogRecorder::~FileDialogRecorder()
{
    g_recorder = m_previous;
}
