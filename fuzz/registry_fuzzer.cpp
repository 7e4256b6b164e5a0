// SPDX-License-Identifier: MIT
// Any bytes as the text of a registry store file: keys, quoted names and
// values with their escapes, written back and read again.
#include "platform/io/RegistryStore.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    RegistryStore store(RegistryRoot::CurrentUser, text);
    store.setValue("Software\\Fuzz", "name", text.substr(0, 64));
    (void)store.value("Software\\Fuzz", "name");
    (void)store.hasKey("Environment");
    return 0;
}
