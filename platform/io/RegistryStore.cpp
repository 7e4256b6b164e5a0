// SPDX-License-Identifier: MIT
#include "platform/io/RegistryStore.h"

#include "platform/io/AtomicFile.h"

#include "platform/io/ByteSource.h"

#include <cstdlib>
#include <sstream>
#include <sys/stat.h>

namespace {

CString escape(const CString& text)
{
    CString out;
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out;
}

// Reads a quoted string at line[pos] (pos at the opening quote); gives the
// text and leaves pos after the closing quote.
std::optional<CString> unquote(const CString& line, std::size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    CString out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            const char next = line[++pos];
            out += next == 'n' ? '\n' : next;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

CString trimSlashes(CString key)
{
    for (char& c : key)
        if (c == '/')
            c = '\\';
    while (!key.empty() && key.front() == '\\')
        key.erase(0, 1);
    while (!key.empty() && key.back() == '\\')
        key.pop_back();
    return key;
}

} // namespace

RegistryStore::RegistryStore(RegistryRoot root) : m_root(root)
{
    ByteSource source;
    std::vector<std::uint8_t> bytes;
    if (source.openFile(path()) && source.readRange(0, source.size(), bytes, kMaxFileSize))
        parse(std::string(bytes.begin(), bytes.end()));
    addStandardKeys();
}

RegistryStore::RegistryStore(RegistryRoot root, const std::string& text) : m_root(root)
{
    parse(text);
    addStandardKeys();
}

void RegistryStore::addStandardKeys()
{
    if (m_root == RegistryRoot::CurrentUser) {
        createKey("Environment");
        createKey("Software");
    } else if (m_root == RegistryRoot::LocalMachine) {
        createKey("Software");
    }
}

CString RegistryStore::folder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    CString base;
    if (xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = CString(home) + "/.config";
    else
        base = ".config";
    return base + "/vandrel/registry";
}

const char* RegistryStore::rootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegistryRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::Users: return "HKEY_USERS";
    case RegistryRoot::CurrentConfig: return "HKEY_CURRENT_CONFIG";
    }
    return "HKEY_CURRENT_USER";
}

CString RegistryStore::path() const
{
    return folder() + "/" + rootName(m_root) + ".reg";
}

CString RegistryStore::fold(const CString& key)
{
    return MakeLower(trimSlashes(key));
}

void RegistryStore::parse(const std::string& text)
{
    std::istringstream in(text);
    CString line;
    Key* current = nullptr;
    const CString prefix = CString(rootName(m_root)) + "\\";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            CString key = line.substr(1, line.size() - 2);
            if (CompareNoCaseN(key.c_str(), prefix.c_str(), prefix.size()) == 0)
                key.erase(0, prefix.size());
            key = trimSlashes(key);
            Key& k = m_keys[fold(key)];
            k.spelling = key;
            current = &k;
            continue;
        }
        if (!current || line.empty())
            continue;
        std::size_t pos = 0;
        std::optional<CString> name;
        if (line[0] == '@') {
            name = CString();
            pos = 1;
        } else {
            name = unquote(line, pos);
        }
        if (!name || pos >= line.size() || line[pos] != '=')
            continue;
        ++pos;
        const auto data = unquote(line, pos);
        if (data)
            current->values[MakeLower(*name)] = {*name, *data};
    }
}

bool RegistryStore::hasKey(const CString& key) const
{
    return m_keys.count(fold(key)) > 0;
}

std::optional<CString> RegistryStore::value(const CString& key, const CString& name) const
{
    const auto k = m_keys.find(fold(key));
    if (k == m_keys.end())
        return std::nullopt;
    const auto v = k->second.values.find(MakeLower(name));
    if (v == k->second.values.end())
        return std::nullopt;
    return v->second.second;
}

void RegistryStore::createKey(const CString& key)
{
    const CString path = trimSlashes(key);
    std::size_t at = 0;
    while (!path.empty()) {
        const auto slash = path.find('\\', at);
        const CString part = path.substr(0, slash);
        Key& k = m_keys[fold(part)];
        if (k.spelling.empty())
            k.spelling = part;
        if (slash == CString::npos)
            break;
        at = slash + 1;
    }
}

void RegistryStore::setValue(const CString& key, const CString& name, const CString& data)
{
    createKey(key);
    m_keys[fold(key)].values[MakeLower(name)] = {name, data};
}

bool RegistryStore::removeValue(const CString& key, const CString& name)
{
    const auto k = m_keys.find(fold(key));
    return k != m_keys.end() && k->second.values.erase(MakeLower(name)) > 0;
}

CString RegistryStore::text() const
{
    CString text = "Windows Registry Editor Version 5.00\n";
    for (const auto& [folded, key] : m_keys) {
        text += "\n[" + CString(rootName(m_root)) + "\\" + key.spelling + "]\n";
        for (const auto& [foldedName, entry] : key.values) {
            text += entry.first.empty() ? CString("@") : "\"" + escape(entry.first) + "\"";
            text += "=\"" + escape(entry.second) + "\"\n";
        }
    }
    return text;
}

bool RegistryStore::makeFolder()
{
    const CString target = folder();
    for (std::size_t slash = target.find('/', 1);; slash = target.find('/', slash + 1)) { // mkdir -p
        ::mkdir(target.substr(0, slash).c_str(), 0700);
        if (slash == CString::npos)
            break;
    }
    struct stat st { };
    return ::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RegistryStore::save() const
{
    const CString text = this->text();
    return makeFolder() && AtomicFile::Update(path(), kMaxFileSize, [&](const std::string*) {
        return std::optional<std::string>(text);
    });
}

bool RegistryStore::Change(RegistryRoot root, const std::function<bool(RegistryStore&)>& edit)
{
    bool edited = false;
    const CString file = RegistryStore(root, "").path();
    const bool written = makeFolder()
        && AtomicFile::Update(file, kMaxFileSize, [&](const std::string* old) -> std::optional<std::string> {
               RegistryStore store(root, old ? *old : std::string());
               edited = edit(store);
               if (!edited)
                   return std::nullopt;
               return store.text();
           });
    return written && edited;
}
