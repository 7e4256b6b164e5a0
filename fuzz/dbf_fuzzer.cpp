// Any bytes as a dBASE table and as its memo file: header, descriptors,
// records, every value and every memo a value points to.
#include "dbf/KivDbfData.h"
#include "dbf/KivDbfMemo.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivDbfData table;
    table.open(ByteSource::fromMemory(data, size));
    KivDbfMemo dbt;
    KivDbfMemo fpt;
    dbt.open(ByteSource::fromMemory(data, size), false, table.getHeader().version());
    fpt.open(ByteSource::fromMemory(data, size), true, table.getHeader().version());
    if (KivDbfRecord* records = table.createRecord()) {
        std::vector<char> value(static_cast<std::size_t>(table.getFieldList().getMaxLength()) + 1);
        std::string memo;
        for (long r = 0; r < records->getCount() && r < 1000; ++r)
            for (int f = 0; f <= table.getFieldCount(); ++f) {
                records->getValue(r, f, value.data());
                int length = 0;
                std::uint64_t block = 0;
                if (const char* bytes = records->getField(r, f, &length);
                    bytes && KivDbfMemo::blockOf(bytes, length, block) && r < 50) {
                    dbt.read(block, memo);
                    fpt.read(block, memo);
                }
            }
    }
    return 0;
}
