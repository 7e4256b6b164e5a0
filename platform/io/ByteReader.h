// SPDX-License-Identifier: MIT
// A cursor over a ByteSource with bounded little- and big-endian reads. A
// read that does not fit leaves the value alone, moves the cursor to the end
// and returns false, so a decode loop over it always ends.
#pragma once

#include "platform/base/ByteOrder.h"
#include "platform/io/ByteSource.h"

class ByteReader {
public:
    explicit ByteReader(const ByteSource& source, std::uint64_t pos = 0) : m_source(source), m_pos(pos) { }

    const ByteSource& source() const { return m_source; }
    std::uint64_t pos() const { return m_pos; }
    std::uint64_t size() const { return m_source.size(); }
    std::uint64_t remaining() const { return m_pos < size() ? size() - m_pos : 0; }
    bool atEnd() const { return remaining() == 0; }

    bool seek(std::uint64_t pos)
    {
        if (pos > size()) {
            m_pos = size();
            return false;
        }
        m_pos = pos;
        return true;
    }
    bool skip(std::uint64_t n) { return n <= remaining() ? seek(m_pos + n) : seek(UINT64_MAX); }

    bool bytes(void* out, std::size_t n)
    {
        if (!m_source.read(m_pos, out, n)) {
            m_pos = size();
            return false;
        }
        m_pos += n;
        return true;
    }
    bool u8(std::uint8_t& v) { return bytes(&v, 1); }
    bool le16(std::uint16_t& v) { return fixed<2>(v, ReadLe16); }
    bool le32(std::uint32_t& v) { return fixed<4>(v, ReadLe32); }
    bool be16(std::uint16_t& v) { return fixed<2>(v, ReadBe16); }
    bool be32(std::uint32_t& v) { return fixed<4>(v, ReadBe32); }

private:
    template <std::size_t N, class T, class Decode> bool fixed(T& v, Decode decode)
    {
        std::uint8_t raw[N];
        if (!bytes(raw, N))
            return false;
        v = decode(raw);
        return true;
    }

    const ByteSource& m_source;
    std::uint64_t m_pos;
};
