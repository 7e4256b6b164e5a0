// Any bytes as a dBASE table: header, descriptors, records and every value.
#include "dbf/KivDbfData.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file)
        return 0;
    KivDbfData table;
    table.open(file);
    if (KivDbfRecord* records = table.createRecord(file)) {
        char value[256 + 1];
        for (long r = 0; r < records->getCount() && r < 1000; ++r)
            for (int f = 0; f <= table.getFieldCount(); ++f)
                records->getValue(r, f, value);
    }
    std::fclose(file);
    return 0;
}
