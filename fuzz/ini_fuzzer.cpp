// Any bytes as an INI file: reads, enciphered reads and a rewrite.
#include "core/KivIni.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/vandrel-ini-fuzz-" + std::to_string(::getpid()) + ".ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    KivIni ini;
    ini.setFileName(path.c_str());
    char value[256];
    const char* sections[] = {"Main", "main ", "", "[x]"};
    for (const char* s : sections) {
        ini.getConfig(s, "Key", value);
        ini.getConfigCrypt("pw", s, "Pass", value);
    }
    ini.setConfig("Main", "Key", "value");
    ini.setConfig("New", "Key", 3, "v");
    ini.getConfig("Main", "Key", value);
    std::remove(path.c_str());
    return 0;
}
