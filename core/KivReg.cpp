// SPDX-License-Identifier: MIT
#include "core/KivReg.h"

#include <QMimeDatabase>

#include <cstdlib>

namespace {

constexpr std::size_t kValueSize = 256;

// The MIME type an extension names, when the desktop knows it.
QMimeType mimeOf(const char* extension)
{
    if (!extension || !*extension)
        return {};
    QString name = QString::fromUtf8(extension);
    if (!name.startsWith('.'))
        name.prepend('.');
    const QMimeType type = QMimeDatabase().mimeTypeForFile("file" + name, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QMimeType() : type;
}

bool copyOut(const CString& text, char* out)
{
    if (!out || text.size() >= kValueSize)
        return false;
    CopyBounded(out, kValueSize, text.c_str());
    return true;
}

} // namespace

int KivReg::setStr(HKEY root, const char* subkey, const char* name, const char* value)
{
    if (!subkey)
        return 0;
    return RegistryStore::Change(root,
               [&](RegistryStore& store) {
                   if (!store.hasKey(subkey))
                       return false;
                   store.setValue(subkey, name ? name : "", value ? value : "");
                   return true;
               })
        ? 1
        : 0;
}

int KivReg::getStr(HKEY root, const char* subkey, const char* name, char* value)
{
    if (!value)
        return 0;
    value[0] = '\0';
    const auto v = RegistryStore(root).value(subkey ? subkey : "", name ? name : "");
    return v && copyOut(*v, value) ? 1 : 0;
}

CString KivReg::getStr(HKEY root, const char* subkey, const char* name)
{
    return RegistryStore(root).value(subkey ? subkey : "", name ? name : "").value_or(CString());
}

int KivReg::setEnv(const char* name, const char* value)
{
    return setStr(HKEY_CURRENT_USER, "Environment", name, value);
}

CString KivReg::getEnv(const char* name)
{
    return getStr(HKEY_CURRENT_USER, "Environment", name);
}

int KivReg::addEnv(const char* name, const char* item)
{
    if (!item)
        return 0;
    CString list = getEnv(name);
    if (list.find(item) != CString::npos)
        return 0;
    if (!list.empty())
        list += ';';
    list += item;
    return setEnv(name, list.c_str());
}

int KivReg::getApp(const char* extension, char* id)
{
    if (!id)
        return 0;
    id[0] = '\0';
    if (!extension)
        return 0;
    if (getStr(HKEY_CLASSES_ROOT, extension, nullptr, id) && id[0])
        return 1;
    const QMimeType type = mimeOf(extension);
    return type.isValid() && copyOut(type.name().toStdString(), id) ? 1 : 0;
}

int KivReg::getType(const char* extension, char* type)
{
    if (!type)
        return 0;
    type[0] = '\0';
    char id[kValueSize];
    if (!getApp(extension, id))
        return 0;
    if (getStr(HKEY_CLASSES_ROOT, id, nullptr, type) && type[0])
        return 1;
    const QMimeType mime = QMimeDatabase().mimeTypeForName(QString::fromUtf8(id));
    return mime.isValid() && copyOut(mime.comment().toStdString(), type) ? 1 : 0;
}

int KivReg::getIcon(const char* extension, char* file, int* index)
{
    if (file)
        file[0] = '\0';
    if (index)
        *index = 0;
    char id[kValueSize];
    if (!file || !index || !getApp(extension, id))
        return 0;
    CString icon = getStr(HKEY_CLASSES_ROOT, (CString(id) + "\\DefaultIcon").c_str(), nullptr);
    if (icon.empty()) {
        const QMimeType mime = QMimeDatabase().mimeTypeForName(QString::fromUtf8(id));
        if (mime.isValid())
            icon = mime.iconName().toStdString() + ",0";
    }
    const auto comma = icon.find(',');
    if (comma == CString::npos) {
        *index = std::atoi(icon.c_str());
        return 1;
    }
    copyOut(icon.substr(0, comma), file);
    *index = std::atoi(icon.c_str() + comma + 1);
    return 1;
}
