// SPDX-License-Identifier: MIT
// Any bytes as an INI file: the parser in memory (reads, a rewrite, reading
// the rewrite back), then the public class once through a file.
#include "core/IniFile_p.h"
#include "core/KivIni.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ini::IniFile file(text);
    for (const char* section : {"Main", "main ", "", "[x]"})
        for (const char* key : {"Key", "", "k=v"})
            file.value(section, key);
    file.setValue("Main", "Key", "value");
    file.setValue("New", "Key3", "v");
    file.setValue("Main", "Other", nullptr);
    const ini::IniFile again(file.text());
    if (again.value("Main", "Key").value_or("") != "value" || again.value("new", "key3").value_or("") != "v")
        __builtin_trap(); // what was written must read back

    // The public class, through a file, now and then.
    if (size % 64 == 0) {
        static const std::string path = "/tmp/vandrel-ini-fuzz-" + std::to_string(::getpid()) + ".ini";
        if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
        KivIni kivIni;
        kivIni.setFileName(path.c_str());
        char value[256];
        kivIni.getConfigCrypt("pw", "Main", "Pass", value);
        std::remove(path.c_str());
    }
    return 0;
}
