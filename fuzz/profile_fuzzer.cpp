// SPDX-License-Identifier: MIT
// Any bytes as an application profile: entries read, one written (the file
// is edited around it) and read back.
#include "platform/docview/CWinApp.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One scratch file for the whole run, removed when the process ends.
    struct Scratch {
        std::string path;
        Scratch()
        {
            char name[] = "/tmp/vandrel-profile-fuzz-XXXXXX";
            const int fd = ::mkstemp(name);
            if (fd >= 0)
                ::close(fd);
            path = name;
        }
        ~Scratch() { ::unlink(path.c_str()); }
    };
    static const Scratch scratch;
    const std::string& path = scratch.path;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    CWinApp app(path);
    (void)app.GetProfileInt("Setup", "Hour", 0);
    (void)app.GetProfileString("Setup", "Sound", "none");
    const std::string value(reinterpret_cast<const char*>(data), size < 32 ? size : 32);
    if (app.WriteProfileString("Setup", "Sound", value.c_str())) {
        // What was written reads back, line breaks made spaces, ends trimmed.
        (void)app.GetProfileString("Setup", "Sound");
    }
    app.WriteProfileString("Setup", nullptr, nullptr);
    return 0;
}
