// SPDX-License-Identifier: MIT
#include "platform/io/Volumes.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// File systems of the kernel's own and of containers and packages: nothing a
// person keeps files on.
bool isPseudo(std::string_view type)
{
    static constexpr std::array<std::string_view, 31> kPseudo = {"proc", "sysfs", "tmpfs", "devtmpfs", "devpts",
        "overlay", "cgroup", "cgroup2", "securityfs", "pstore", "bpf", "debugfs", "tracefs", "mqueue", "hugetlbfs",
        "configfs", "fusectl", "autofs", "binfmt_misc", "efivarfs", "ramfs", "squashfs", "nsfs", "rpc_pipefs",
        "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "none", "aufs", "shm"};
    return std::find(kPseudo.begin(), kPseudo.end(), type) != kPseudo.end();
}

bool isNetwork(std::string_view type)
{
    return startsWith(type, "nfs") || type == "cifs" || startsWith(type, "smb") || type == "fuse.sshfs"
        || type == "sshfs" || type == "davfs" || type == "fuse.rclone" || type == "9p";
}

CString bytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

bool IsUserVolume(const char* fsType, const char* mountPoint)
{
    if (!fsType || !mountPoint)
        return false;
    const std::string_view type(fsType), at(mountPoint);
    if (at == "/")
        return true; // whatever a container makes of it
    if (isPseudo(type) || at.empty())
        return false;
    if (isNetwork(type))
        return !startsWith(at, "/proc") && !startsWith(at, "/sys");
    // Removable media and the mounts people make by hand.
    return startsWith(at, "/media/") || startsWith(at, "/run/media/") || startsWith(at, "/mnt/");
}

std::vector<Volume> MountedVolumes()
{
    std::vector<Volume> volumes;
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != "/" && QFileInfo(home).isDir())
        volumes.push_back({bytes(QDir::cleanPath(home)), "Home"});
    const QStorageInfo root = QStorageInfo::root();
    const QString label = root.isValid() ? root.name() : QString();
    volumes.push_back({"/", label.isEmpty() ? CString("File System") : label.toStdString()});
    std::vector<Volume> others;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const CString at = bytes(v.rootPath());
        if (at == "/" || !v.isValid() || !v.isReady()
            || !IsUserVolume(v.fileSystemType().toStdString().c_str(), at.c_str()))
            continue;
        CString name = v.name().toStdString();
        if (name.empty())
            name = at.substr(at.rfind('/') + 1);
        others.push_back({at, name});
    }
    std::sort(others.begin(), others.end(), [](const Volume& a, const Volume& b) { return a.root < b.root; });
    volumes.insert(volumes.end(), others.begin(), others.end());
    return volumes;
}

CString VolumeLabel(const char* root)
{
    if (!root || !*root)
        return {};
    const QStorageInfo v(QFile::decodeName(root));
    if (!v.isValid() || QDir(v.rootPath()) != QDir(QFile::decodeName(root)))
        return {};
    return v.name().toStdString();
}
