// SPDX-License-Identifier: MIT
// The memo file beside a table (.dbt or .fpt): the texts and binary objects
// that memo fields point to by block number. Read through a ByteSource like
// the table; every length is checked against the file and kMaxMemoBytes
// before anything is allocated, and a damaged memo is simply not there.
#pragma once

#include "dbf/KivDbf_export.h"
#include "platform/io/ByteSource.h"

#include <cstdint>
#include <string>

class KIVDBF_EXPORT KivDbfMemo {
public:
    enum class Layout {
        None,
        DBase3, // 512-byte blocks, text up to a 0x1A
        DBase4, // blocks of the size the header gives, FF FF 08 00 and a length before each memo
        FoxPro, // blocks of the size the header gives, a type and a length before each memo
    };
    // The largest memo handed out; longer ones are cut to it.
    static constexpr std::uint64_t kMaxMemoBytes = 16u << 20;

    // Opens a memo file for a table with the given version byte: .fpt files
    // are FoxPro's, .dbt files dBASE III's for version 0x83 and dBASE IV's
    // otherwise. False when it is not a regular file that can be read.
    bool open(const char* path, int tableVersion);
    // The same over a source the caller opened.
    bool open(ByteSource source, bool foxPro, int tableVersion);
    void close();
    bool isOpen() const { return m_source.isOpen(); }
    Layout getLayout() const { return m_layout; }
    std::uint32_t getBlockSize() const { return m_blockSize; }

    // The memo that starts at block into out; binary tells a picture or
    // object (FoxPro's types 0 and 2) from text. False, with out empty, for
    // block 0 (no memo), a block past the end or a damaged memo header.
    bool read(std::uint64_t block, std::string& out, bool* binary = nullptr) const;

    // The block number a memo field holds: ten digits padded with blanks, or
    // four bytes little-endian (Visual FoxPro). False when it is neither;
    // blanks give block 0.
    static bool blockOf(const char* value, int length, std::uint64_t& block);

private:
    bool readFoxPro(std::uint64_t at, std::string& out, bool* binary, bool strict) const;
    bool readDBase3(std::uint64_t at, std::string& out) const;

    ByteSource m_source;
    Layout m_layout = Layout::None;
    std::uint32_t m_blockSize = 512;
};
