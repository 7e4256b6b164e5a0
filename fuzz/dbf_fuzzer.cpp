// SPDX-License-Identifier: MIT
// Any bytes as a dBASE table and as its memo file: header, descriptors,
// records, every value and every memo a value points to, and every value
// decoded to text under a guessed code page.
#include "dbf/KivDbfData.h"
#include "dbf/KivDbfFormatter.h"
#include "dbf/KivDbfMemo.h"
#include "dbf/KivDbfTable.h"

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

    KivDbfTable typed;
    typed.data.open(ByteSource::fromMemory(data, size));
    if (typed.data.getFieldCount() < 0 || !typed.chooseCodePage())
        return 0;
    KivDbfFormatter formatter(typed, false, false);
    if (KivDbfRecord* records = typed.data.createRecord()) {
        const KivDbfFieldList& fields = typed.data.getFieldList();
        std::string text;
        for (long r = 0; r < records->getCount() && r < 1000; ++r) {
            formatter.startRecord(*records, r);
            for (int f = 0; const KivDbfField* field = fields.getAt(f); ++f) {
                int length = 0;
                if (const char* bytes = records->getField(r, f, &length))
                    formatter.format(f, *field, bytes, length, text);
            }
        }
    }
    return 0;
}
