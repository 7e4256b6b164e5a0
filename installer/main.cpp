// SPDX-License-Identifier: MIT
// installer: copies the files named in FILELIST.TXT (current folder) into the
// system directory and registers the controls (.ocx) among them. Exit 1 when
// everything was copied, 0 when the list is missing or a copy failed.
#include "platform/base/CString.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/services/ProcessService.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kLineSize = 256; // a line is read up to 255 characters

// VANDREL_SYSTEM_DIR, else the library folder of the prefix built for.
std::string systemDirectory()
{
    const char* env = std::getenv("VANDREL_SYSTEM_DIR");
    std::string dir = env && *env ? env : VANDREL_DEFAULT_SYSTEM_DIR;
    if (dir.size() > 256)
        dir.resize(256);
    return dir;
}

bool copyFile(const std::string& from, const std::string& to, std::string& error)
{
    // A library in use is replaced by a rename, never rewritten under its users.
    if (!AtomicFile::Copy(from, to, &error))
        return false;
    if (const auto permissions = PermissionsOf(from.c_str()))
        SetPermissions(to.c_str(), *permissions);
    return true;
}

std::string extensionOf(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return {};
    return path.substr(dot);
}

std::string shellQuote(const std::string& s)
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// REGSVR32.EXE where the system directory has one, else our own registrar,
// the vandrel tool installed beside this program.
std::string registrationTool(const std::string& systemDir)
{
    const std::string regsvr = ResolvePathNoCase((systemDir + "/REGSVR32.EXE").c_str());
    if (MayExecute(regsvr.c_str()))
        return shellQuote(regsvr);
    std::string vandrel;
    if (const CString folder = ProgramFolder(); !folder.empty()) {
        const std::string beside = folder + "vandrel";
        if (MayExecute(beside.c_str()))
            vandrel = beside;
    }
    if (vandrel.empty())
        vandrel = FindProgram("vandrel");
    if (vandrel.empty())
        vandrel = "vandrel";
    return shellQuote(vandrel) + " regsvr";
}

} // namespace

int main()
{
    const std::string systemDir = systemDirectory();
    std::FILE* list = std::fopen(ResolvePathNoCase("FILELIST.TXT").c_str(), "r");
    if (!list)
        return 0;

    bool failed = false;
    char line[kLineSize];
    while (std::fgets(line, sizeof line, list)) {
        line[std::strcspn(line, " \t\r\n")] = '\0';
        const std::string entry = line;
        const std::string target = systemDir + "/" + entry;

        std::string error;
        const bool copied = copyFile(ResolvePathNoCase(entry.c_str()), target, error);
        std::printf("\nCopy %s -> %s", entry.c_str(), target.c_str());
        std::fflush(stdout);
        // An empty entry names nothing to copy: no failure.
        if (!copied && !entry.empty()) {
            std::fprintf(stderr, "installer: cannot copy %s to %s: %s\n", entry.c_str(), target.c_str(), error.c_str());
            failed = true;
        }

        if (CompareNoCase(extensionOf(target).c_str(), ".ocx") != 0)
            continue;
        const std::string command = registrationTool(systemDir) + " " + shellQuote(target) + " /s";
        const char* shell = std::getenv("SHELL");
        if (RunProcess(shell && *shell ? shell : "/bin/sh", {"-c", command}, true) < 0)
            RunProcess("/bin/sh", {"-c", command}, true);
        std::printf("\nRegister %s", target.c_str());
        std::fflush(stdout);
    }
    std::fclose(list);
    std::printf("\n");
    return failed ? 0 : 1;
}
