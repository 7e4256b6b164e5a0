// SPDX-License-Identifier: MIT
#include "core/KivIni.h"

#include "core/IniFile_p.h"
#include "core/KivCrypt_p.h"

#include <QLoggingCategory>

#include <cstring>

Q_LOGGING_CATEGORY(lcIni, "vandrel.core.ini", QtWarningMsg)

namespace {
constexpr std::size_t kValueSize = 256;

CString numbered(const char* key, int number)
{
    return StringFormat("%s%d", key ? key : "", number);
}
} // namespace

int KivIni::setConfig(const char* section, const char* key, const char* value)
{
    if (!section || !key || m_strFile.empty())
        return 0;
    // A line break would end the line and start keys or sections of the
    // caller's choosing; the profile functions cannot store one either.
    for (const char* text : {section, key, value})
        if (text && std::strpbrk(text, "\r\n"))
            return 0;
    return ini::IniFile::update(m_strFile, [&](ini::IniFile& file) { file.setValue(section, key, value); }) ? 1 : 0;
}

int KivIni::getConfig(const char* section, const char* key, char* value)
{
    if (!value)
        return 0;
    value[0] = '\0';
    if (section && key && !m_strFile.empty()) {
        if (const auto v = ini::IniFile::load(m_strFile).value(section, key))
            CopyBounded(value, kValueSize, v->c_str());
    }
    if (value[0] == '\0') {
        qCDebug(lcIni, "Can't find %s/%s information!", section ? section : "", key ? key : "");
        return 0;
    }
    return 1;
}

int KivIni::setConfig(const char* section, const char* key, int number, const char* value)
{
    return setConfig(section, numbered(key, number).c_str(), value);
}

int KivIni::getConfig(const char* section, const char* key, int number, char* value)
{
    return getConfig(section, numbered(key, number).c_str(), value);
}

int KivIni::setConfigCrypt(const char* password, const char* section, const char* key, const char* value)
{
    char plain[kValueSize];
    CopyBounded(plain, sizeof plain, value);
    const std::string stored = kivcrypt::encodeValue(kivcrypt::encrypt(password ? password : "", plain));
    return setConfig(section, key, stored.c_str());
}

int KivIni::getConfigCrypt(const char* password, const char* section, const char* key, char* value)
{
    if (!value)
        return 0;
    value[0] = '\0';
    // Read whole: a cipher of 255 characters is 256 bytes long.
    if (!section || !key || m_strFile.empty())
        return 0;
    const auto stored = ini::IniFile::load(m_strFile).value(section, key);
    if (!stored || stored->empty())
        return 0;
    const std::string cipher = kivcrypt::decodeValue(*stored);
    if (const auto plain = kivcrypt::decrypt(password ? password : "", cipher))
        CopyBounded(value, kValueSize, plain->c_str());
    else
        CopyBounded(value, kValueSize, stored->c_str()); // not enciphered: as read
    return 1;
}
