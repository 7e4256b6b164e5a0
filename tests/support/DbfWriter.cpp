#include "support/DbfWriter.h"

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
} // namespace

Bytes DbfTable::bytes() const
{
    int computedRecordLength = 1;
    for (const auto& f : fields)
        computedRecordLength += f.length;
    const int recLen = recordLength >= 0 ? recordLength : computedRecordLength;
    const int hdrLen = headerLength >= 0 ? headerLength : 32 + 32 * static_cast<int>(fields.size()) + 1;

    Bytes b(32, 0);
    b[0] = static_cast<std::uint8_t>(version);
    b[1] = 124;
    b[2] = 1;
    b[3] = 2;
    put32(b, 4, static_cast<unsigned long>(claimedRecords >= 0 ? claimedRecords : static_cast<long>(records.size())));
    put16(b, 8, static_cast<unsigned>(hdrLen));
    put16(b, 10, static_cast<unsigned>(recLen));
    long at = 1;
    for (const auto& f : fields) {
        Bytes d(32, 0);
        for (std::size_t i = 0; i < f.name.size() && i < 11; ++i)
            d[i] = static_cast<std::uint8_t>(f.name[i]);
        d[11] = static_cast<std::uint8_t>(f.type);
        put32(d, 12, static_cast<unsigned long>(f.displacement >= 0 ? f.displacement : at));
        d[16] = static_cast<std::uint8_t>(f.length);
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

} // namespace testsupport
