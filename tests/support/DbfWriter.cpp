// SPDX-License-Identifier: MIT
#include "support/DbfWriter.h"

#include <algorithm>

namespace testsupport {

namespace {
void put16(Bytes& b, std::size_t at, unsigned v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, unsigned long v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
void putBe32(Bytes& b, std::size_t at, unsigned long v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
}

Bytes descriptor(const DbfFieldDescriptor& f, DbfTable::Layout layout, long at)
{
    if (layout == DbfTable::Layout::DBase2) {
        Bytes d(16, 0);
        std::copy_n(f.name.begin(), std::min<std::size_t>(f.name.size(), 10), d.begin());
        d[11] = static_cast<std::uint8_t>(f.type);
        d[12] = static_cast<std::uint8_t>(f.length);
        put16(d, 13, 0x7000 + static_cast<unsigned>(at)); // an address in memory
        d[15] = static_cast<std::uint8_t>(f.decimals);
        return d;
    }
    if (layout == DbfTable::Layout::DBase7) {
        Bytes d(48, 0);
        std::copy_n(f.name.begin(), std::min<std::size_t>(f.name.size(), 31), d.begin());
        d[32] = static_cast<std::uint8_t>(f.type);
        d[33] = static_cast<std::uint8_t>(f.length);
        d[34] = static_cast<std::uint8_t>(f.decimals);
        return d;
    }
    Bytes d(32, 0);
    std::copy_n(f.name.begin(), std::min<std::size_t>(f.name.size(), 11), d.begin());
    d[11] = static_cast<std::uint8_t>(f.type);
    put32(d, 12, static_cast<unsigned long>(f.displacement >= 0 ? f.displacement : at));
    d[16] = static_cast<std::uint8_t>(f.length);
    d[17] = static_cast<std::uint8_t>(f.length > 255 ? f.length >> 8 : f.decimals);
    d[18] = static_cast<std::uint8_t>(f.flags);
    return d;
}
} // namespace

Bytes DbfTable::bytes() const
{
    int computedRecordLength = 1;
    for (const auto& f : fields)
        computedRecordLength += f.length;
    const int recLen = recordLength >= 0 ? recordLength : computedRecordLength;
    const int fieldCount = static_cast<int>(fields.size());
    int hdrLen = headerLength;
    if (hdrLen < 0)
        hdrLen = layout == Layout::DBase2 ? 521
            : layout == Layout::DBase7    ? 68 + 48 * fieldCount + 1 + 60 // and a properties area
                                          : 32 + 32 * fieldCount + 1;
    const long count = claimedRecords >= 0 ? claimedRecords : static_cast<long>(records.size());

    Bytes b(layout == Layout::DBase2 ? 8 : layout == Layout::DBase7 ? 68 : 32, 0);
    b[0] = static_cast<std::uint8_t>(version);
    if (layout == Layout::DBase2) {
        put16(b, 1, static_cast<unsigned>(count));
        b[3] = 7;
        b[4] = 31;
        b[5] = 82;
        put16(b, 6, static_cast<unsigned>(recLen));
    } else {
        b[1] = 124;
        b[2] = 1;
        b[3] = 2;
        put32(b, 4, static_cast<unsigned long>(count));
        put16(b, 8, static_cast<unsigned>(hdrLen));
        put16(b, 10, static_cast<unsigned>(recLen));
        b[29] = static_cast<std::uint8_t>(languageDriver);
        if (layout == Layout::DBase7) {
            const std::string driver = "DBWINUS0";
            std::copy(driver.begin(), driver.end(), b.begin() + 32);
        }
    }
    long at = 1;
    for (const auto& f : fields) {
        const Bytes d = descriptor(f, layout, at);
        b.insert(b.end(), d.begin(), d.end());
        at += f.length;
    }
    if (terminator)
        b.push_back(0x0D);
    b.resize(static_cast<std::size_t>(hdrLen), 0);
    for (std::size_t r = 0; r < records.size(); ++r) {
        Bytes rec(static_cast<std::size_t>(recLen), ' ');
        if (!rec.empty() && r < deleted.size() && deleted[r])
            rec[0] = '*';
        long pos = 1;
        for (std::size_t i = 0; i < fields.size() && i < records[r].size(); ++i) {
            const long d = fields[i].displacement >= 0 ? fields[i].displacement : pos;
            const std::string& v = records[r][i];
            for (std::size_t k = 0; k < v.size() && k < static_cast<std::size_t>(fields[i].length); ++k)
                if (static_cast<std::size_t>(d) + k < rec.size())
                    rec[static_cast<std::size_t>(d) + k] = static_cast<std::uint8_t>(v[k]);
            pos += fields[i].length;
        }
        b.insert(b.end(), rec.begin(), rec.end());
    }
    b.push_back(0x1A);
    return b;
}

Bytes DbfMemoFile::bytes() const
{
    const std::size_t size = layout == Layout::DBase3 ? 512 : blockSize;
    Bytes b(std::max<std::size_t>(size, 512), 0);
    unsigned next = 1;
    for (const auto& m : memos)
        next = std::max<unsigned>(next, m.block + 1 + static_cast<unsigned>((m.text.size() + 8) / size));
    if (layout == Layout::FoxPro) {
        putBe32(b, 0, next);
        b[6] = static_cast<std::uint8_t>(blockSize >> 8);
        b[7] = static_cast<std::uint8_t>(blockSize);
    } else {
        put32(b, 0, next);
        if (layout == Layout::DBase4)
            put16(b, 20, blockSize);
    }
    for (const auto& m : memos) {
        Bytes memo;
        if (layout == Layout::FoxPro) {
            memo.assign(8, 0);
            putBe32(memo, 0, m.foxProType);
            putBe32(memo, 4, static_cast<unsigned long>(m.text.size()));
        } else if (layout == Layout::DBase4) {
            memo = {0xFF, 0xFF, 0x08, 0x00, 0, 0, 0, 0};
            put32(memo, 4, static_cast<unsigned long>(m.text.size() + 8));
        }
        memo.insert(memo.end(), m.text.begin(), m.text.end());
        if (layout == Layout::DBase3) {
            memo.push_back(0x1A);
            memo.push_back(0x1A);
        }
        const std::size_t at = m.block * size;
        if (b.size() < at + memo.size())
            b.resize((at + memo.size() + size - 1) / size * size, 0);
        std::copy(memo.begin(), memo.end(), b.begin() + static_cast<long>(at));
    }
    return b;
}

} // namespace testsupport
