// SPDX-License-Identifier: MIT
// Registry strings, the user's environment variables and the file types of
// extensions. The registry is this platform's file-backed store; file types
// missing there come from the desktop's MIME database (the MIME type as the
// program identifier, its description as the type name, its icon name).
#pragma once

#include "core/KivCore_export.h"
#include "platform/io/RegistryStore.h"

class KIVCORE_EXPORT KivReg {
public:
    // A null name means the key's default value. setStr never creates a key.
    static int setStr(HKEY root, const char* subkey, const char* name, const char* value);
    // value holds 256 characters; a longer value fails.
    static int getStr(HKEY root, const char* subkey, const char* name, char* value);
    static CString getStr(HKEY root, const char* subkey, const char* name);

    static int setEnv(const char* name, const char* value);
    static CString getEnv(const char* name);
    // Appends ";" and item unless item is already in the variable (then 0).
    static int addEnv(const char* name, const char* item);

    // The program identifier of an extension such as ".dwg" (256 characters).
    static int getApp(const char* extension, char* id);
    static int getType(const char* extension, char* type);
    // The icon file and its index ("file,index" in the registry).
    static int getIcon(const char* extension, char* file, int* index);
};
