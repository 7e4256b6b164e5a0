// SPDX-License-Identifier: MIT
// The registry of this platform: one small text file per root under the
// user's configuration folder ($XDG_CONFIG_HOME/vandrel/registry/), in the
// layout of a .reg export, so a person can read and edit it. Keys and value
// names match ignoring case; "" names a key's default value. Changes are
// written through a temporary file and an atomic rename.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// The registry roots under their Win32 names.
using HKEY = RegistryRoot;
namespace vandrel::win32 {

constexpr HKEY HKEY_CLASSES_ROOT = RegistryRoot::ClassesRoot;
constexpr HKEY HKEY_CURRENT_USER = RegistryRoot::CurrentUser;
constexpr HKEY HKEY_LOCAL_MACHINE = RegistryRoot::LocalMachine;
constexpr HKEY HKEY_USERS = RegistryRoot::Users;
constexpr HKEY HKEY_CURRENT_CONFIG = RegistryRoot::CurrentConfig;

} // namespace vandrel::win32

class KIVPLATFORM_EXPORT RegistryStore {
public:
    // Loads the root's file; a missing or unreadable file is an empty store
    // (with the keys every Windows registry has, such as HKEY_CURRENT_USER's
    // Environment).
    explicit RegistryStore(RegistryRoot root);

    static CString folder();
    static const char* rootName(RegistryRoot root); // "HKEY_CLASSES_ROOT" …
    CString path() const;

    bool hasKey(const CString& key) const;
    std::optional<CString> value(const CString& key, const CString& name) const;
    void createKey(const CString& key);
    // Creates the key (and its parents) when it is missing.
    void setValue(const CString& key, const CString& name, const CString& data);
    bool removeValue(const CString& key, const CString& name);

    // Replaces the root's file with this store's keys.
    bool save() const;
    // Reads the root's file, lets edit change it and writes it back, all
    // under the writers' lock, so that two processes changing the registry
    // at once keep both changes. Nothing is written when edit gives false;
    // the result is then false too. A file that cannot be read is neither
    // taken for empty nor replaced.
    static bool Change(RegistryRoot root, const std::function<bool(RegistryStore&)>& edit);

    // A store of the root's keys read from text in the file's layout
    // (damaged lines are skipped), without touching the file.
    RegistryStore(RegistryRoot root, const std::string& text);

private:
    void parse(const std::string& text);
    void addStandardKeys();
    CString text() const;
    static bool makeFolder();
    // Larger files are no registry of ours.
    static constexpr std::uint64_t kMaxFileSize = 16u << 20;

    struct Key {
        CString spelling;
        std::map<CString, std::pair<CString, CString>> values; // folded name → (name, data)
    };
    static CString fold(const CString& key);

    RegistryRoot m_root;
    std::map<CString, Key> m_keys; // folded key path → key
};
