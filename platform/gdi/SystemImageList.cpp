// SPDX-License-Identifier: MIT
#include "platform/gdi/SystemImageList.h"

#include "platform/io/DirectoryReader.h"
#include "platform/io/FileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QMimeDatabase>
#include <QStyle>

namespace {
constexpr int kIconPixels = 16;

CString lowerExtension(const CString& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == CString::npos || (slash != CString::npos && dot < slash))
        return {};
    CString ext = path.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}
} // namespace

SystemImageList* SystemImageList::Get()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    static SystemImageList* list = new SystemImageList; // lives as long as the process, as the shell's does
    return list;
}

SystemImageList::SystemImageList() : m_provider(std::make_unique<QFileIconProvider>())
{
    m_images.Create(kIconPixels, kIconPixels, ILC_COLOR32 | ILC_MASK, 16, 16);
    const QIcon folder = m_provider->icon(QAbstractFileIconProvider::Folder);
    m_folder = add(folder);
    m_openFolder = add(QIcon::fromTheme("folder-open", QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)));
    if (m_openFolder < 0)
        m_openFolder = m_folder;
    m_drive = add(m_provider->icon(QAbstractFileIconProvider::Drive));
    m_home = add(QIcon::fromTheme("user-home", QApplication::style()->standardIcon(QStyle::SP_DirHomeIcon)));
    m_file = add(m_provider->icon(QAbstractFileIconProvider::File));
    m_volumes = MountedVolumes();
}

SystemImageList::~SystemImageList() = default;

int SystemImageList::add(const QIcon& icon)
{
    if (icon.isNull())
        return -1;
    return m_images.Add(icon.pixmap(kIconPixels, kIconPixels).toImage());
}

int SystemImageList::IconIndex(const char* path, Kind kind, bool open)
{
    if (!path || !*path)
        return -1;
    CString p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    if (kind == Kind::Unknown) {
        if (DirectoryReader::IsFolder(p.c_str()))
            kind = Kind::Folder;
        else if (PathExists(p.c_str()))
            kind = Kind::File;
        else
            return -1;
    }
    if (kind == Kind::Folder) {
        for (std::size_t i = 0; i < m_volumes.size(); ++i)
            if (m_volumes[i].root == p)
                return i == 0 && m_volumes.size() > 1 && p != "/" ? m_home : m_drive;
        return open ? m_openFolder : m_folder;
    }
    const CString ext = lowerExtension(p);
    if (ext.empty())
        return m_file;
    const auto known = m_byExtension.find(ext);
    if (known != m_byExtension.end())
        return known->second;
    // One look at the theme per extension: a folder of many files of one
    // kind asks once. By the name only: reading a file to learn its kind
    // could wait for ever on a pipe or a dead mount.
    const QMimeType type
        = QMimeDatabase().mimeTypeForFile("file" + QString::fromUtf8(ext.c_str()), QMimeDatabase::MatchExtension);
    QIcon icon;
    if (type.isValid() && !type.isDefault())
        icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    int index = icon.isNull() ? m_file : add(icon);
    if (index < 0)
        index = m_file;
    m_byExtension.emplace(ext, index);
    return index;
}

const std::vector<Volume>& SystemImageList::Volumes(bool refresh)
{
    if (refresh)
        m_volumes = MountedVolumes();
    return m_volumes;
}

CString SystemImageList::DisplayName(const char* path) const
{
    if (!path || !*path)
        return {};
    CString p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    for (const Volume& v : m_volumes)
        if (v.root == p)
            return v.name + " (" + v.root + ")";
    return p == "/" ? p : p.substr(p.rfind('/') + 1);
}
