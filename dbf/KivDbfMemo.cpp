// SPDX-License-Identifier: MIT
#include "dbf/KivDbfMemo.h"

#include "platform/base/ByteOrder.h"
#include "platform/io/PathNoCase.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::uint8_t kDBase4Mark[4] = {0xFF, 0xFF, 0x08, 0x00};
constexpr std::uint8_t kEndOfText = 0x1A;
// FoxPro's memo types: 0 a picture, 1 text, 2 an object.
constexpr std::uint32_t kFoxProText = 1;
constexpr std::uint32_t kFoxProLastType = 2;

bool endsWithNoCase(const std::string& s, const char* suffix)
{
    const std::size_t n = std::strlen(suffix);
    if (s.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = s[s.size() - n + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

} // namespace

bool KivDbfMemo::open(const char* path, int tableVersion)
{
    close();
    if (!path)
        return false;
    try {
        ByteSource source;
        const std::string resolved = ResolvePathNoCase(path);
        if (!source.openFile(resolved))
            return false;
        return open(std::move(source), endsWithNoCase(resolved, ".fpt"), tableVersion);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool KivDbfMemo::open(ByteSource source, bool foxPro, int tableVersion)
{
    close();
    m_source = std::move(source);
    if (!m_source.isOpen())
        return false;
    std::uint8_t header[22] = {};
    m_source.read(0, header, sizeof header); // a short file has no memo to read anyway
    if (foxPro) {
        m_layout = Layout::FoxPro;
        m_blockSize = std::max<std::uint32_t>(1, ReadBe16(header + 6));
    } else if (tableVersion == 0x83) {
        m_layout = Layout::DBase3;
        m_blockSize = 512;
    } else {
        m_layout = Layout::DBase4;
        const std::uint32_t size = ReadLe16(header + 20);
        m_blockSize = size ? size : 512;
    }
    return true;
}

void KivDbfMemo::close()
{
    m_source.close();
    m_layout = Layout::None;
    m_blockSize = 512;
}

bool KivDbfMemo::read(std::uint64_t block, std::string& out, bool* binary) const
{
    out.clear();
    if (binary)
        *binary = false;
    if (block == 0 || m_layout == Layout::None || block > m_source.size() / m_blockSize)
        return false;
    const std::uint64_t at = block * m_blockSize;
    try {
        switch (m_layout) {
        case Layout::FoxPro: return readFoxPro(at, out, binary, false);
        case Layout::DBase3: return readDBase3(at, out);
        default: {
            std::uint8_t head[8];
            if (!m_source.read(at, head, sizeof head))
                return readDBase3(at, out);
            if (std::memcmp(head, kDBase4Mark, sizeof kDBase4Mark) == 0) {
                // The length counts the 8 bytes before the text.
                const std::uint64_t length = ReadLe32(head + 4);
                const std::uint64_t left = m_source.size() - at - sizeof head;
                const std::uint64_t n = std::min({length > 8 ? length - 8 : 0, left, kMaxMemoBytes});
                std::vector<std::uint8_t> bytes;
                if (!m_source.readRange(at + sizeof head, n, bytes))
                    return false;
                out.assign(bytes.begin(), bytes.end());
                return true;
            }
            // Some writers put FoxPro's memo blocks into a .dbt.
            if (readFoxPro(at, out, binary, true))
                return true;
            return readDBase3(at, out);
        }
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

bool KivDbfMemo::readFoxPro(std::uint64_t at, std::string& out, bool* binary, bool strict) const
{
    std::uint8_t head[8];
    if (!m_source.read(at, head, sizeof head))
        return false;
    const std::uint32_t type = ReadBe32(head);
    const std::uint64_t length = ReadBe32(head + 4);
    const std::uint64_t left = m_source.size() - at - sizeof head;
    if (strict && (type > kFoxProLastType || length > left))
        return false;
    const std::uint64_t n = std::min({length, left, kMaxMemoBytes});
    std::vector<std::uint8_t> bytes;
    if (!m_source.readRange(at + sizeof head, n, bytes))
        return false;
    out.assign(bytes.begin(), bytes.end());
    if (binary)
        *binary = type != kFoxProText;
    return true;
}

bool KivDbfMemo::readDBase3(std::uint64_t at, std::string& out) const
{
    // Text up to the end-of-text mark, read a block at a time.
    std::uint8_t chunk[512];
    while (at < m_source.size() && out.size() < kMaxMemoBytes) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof chunk, m_source.size() - at));
        if (!m_source.read(at, chunk, n))
            return false;
        const std::uint8_t* end = std::find(chunk, chunk + n, kEndOfText);
        out.append(reinterpret_cast<const char*>(chunk), static_cast<std::size_t>(end - chunk));
        if (end != chunk + n)
            break;
        at += n;
    }
    if (out.size() > kMaxMemoBytes)
        out.resize(kMaxMemoBytes);
    return true;
}

bool KivDbfMemo::blockOf(const char* value, int length, std::uint64_t& block)
{
    block = 0;
    if (!value || length <= 0)
        return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(value);
    if (length == 4) {
        block = ReadLe32(bytes);
        return true;
    }
    int i = 0;
    while (i < length && (bytes[i] == ' ' || bytes[i] == 0))
        ++i;
    std::uint64_t n = 0;
    int digits = 0;
    for (; i < length && bytes[i] >= '0' && bytes[i] <= '9'; ++i, ++digits) {
        if (n > (UINT64_MAX - 9) / 10)
            return false;
        n = n * 10 + static_cast<std::uint64_t>(bytes[i] - '0');
    }
    while (i < length && (bytes[i] == ' ' || bytes[i] == 0))
        ++i;
    if (i != length)
        return false;
    block = digits ? n : 0;
    return true;
}
