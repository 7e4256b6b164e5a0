// SPDX-License-Identifier: MIT
#include "dbf/KivDbfMemo.h"
#include "support/DbfWriter.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
std::string memo(const Bytes& file, bool foxPro, int version, std::uint64_t block, bool* binary = nullptr)
{
    KivDbfMemo m;
    EXPECT_TRUE(m.open(ByteSource::fromMemory(file.data(), file.size()), foxPro, version));
    std::string out;
    m.read(block, out, binary);
    return out;
}
} // namespace

TEST(KivDbfMemo, ReadsTheThreeLayouts)
{
    DbfMemoFile dbase3;
    dbase3.memos = {{1, "Our original\r\nassortment"}, {2, std::string(700, 'x')}};
    EXPECT_EQ(memo(dbase3.bytes(), false, 0x83, 1), "Our original\r\nassortment");
    EXPECT_EQ(memo(dbase3.bytes(), false, 0x83, 2), std::string(700, 'x')) << "a memo runs over several blocks";

    DbfMemoFile dbase4;
    dbase4.layout = DbfMemoFile::Layout::DBase4;
    dbase4.blockSize = 64;
    dbase4.memos = {{1, "First memo\r\n"}, {3, "Third"}};
    EXPECT_EQ(memo(dbase4.bytes(), false, 0x8B, 1), "First memo\r\n");
    EXPECT_EQ(memo(dbase4.bytes(), false, 0x8B, 3), "Third");

    DbfMemoFile fox;
    fox.layout = DbfMemoFile::Layout::FoxPro;
    fox.blockSize = 64;
    fox.memos = {{8, "text"}, {9, std::string("\x89PNG\0\1", 6), 0}};
    bool binary = true;
    EXPECT_EQ(memo(fox.bytes(), true, 0x30, 8, &binary), "text");
    EXPECT_FALSE(binary);
    EXPECT_EQ(memo(fox.bytes(), true, 0x30, 9, &binary), std::string("\x89PNG\0\1", 6));
    EXPECT_TRUE(binary) << "pictures are binary";

    // Some writers put FoxPro's blocks into a dBASE .dbt.
    fox.blockSize = 512;
    EXPECT_EQ(memo(fox.bytes(), false, 0x8C, 8), "text");
}

TEST(KivDbfMemo, DamagedMemosAreNotThere)
{
    DbfMemoFile dbase4;
    dbase4.layout = DbfMemoFile::Layout::DBase4;
    dbase4.memos = {{1, "short"}};
    Bytes bytes = dbase4.bytes();
    bytes.resize(512 + 8 + 3); // cut inside the text
    EXPECT_EQ(memo(bytes, false, 0x8B, 1), "sho") << "what is there of it";
    bytes[512 + 4] = 0xFF; // a length of 4 GiB
    bytes[512 + 7] = 0xFF;
    EXPECT_EQ(memo(bytes, false, 0x8B, 1), "sho");
    EXPECT_EQ(memo(bytes, false, 0x8B, 0), "") << "block 0 is no memo";
    EXPECT_EQ(memo(bytes, false, 0x8B, 99), "");
    EXPECT_EQ(memo(bytes, false, 0x8B, UINT64_MAX), "");

    DbfMemoFile fox;
    fox.layout = DbfMemoFile::Layout::FoxPro;
    fox.blockSize = 0; // no block size: bytes
    fox.memos = {};
    Bytes foxBytes = fox.bytes();
    EXPECT_EQ(memo(foxBytes, true, 0x30, 1), "");

    DbfMemoFile dbase3;
    dbase3.memos = {{1, std::string(100, 'a')}};
    Bytes unterminated = dbase3.bytes();
    unterminated.resize(512 + 100);
    EXPECT_EQ(memo(unterminated, false, 0x83, 1), std::string(100, 'a')) << "the end of the file ends the text";
}

TEST(KivDbfMemo, BlockNumbers)
{
    std::uint64_t block = 99;
    EXPECT_TRUE(KivDbfMemo::blockOf("       834", 10, block));
    EXPECT_EQ(block, 834u);
    EXPECT_TRUE(KivDbfMemo::blockOf("          ", 10, block));
    EXPECT_EQ(block, 0u);
    EXPECT_TRUE(KivDbfMemo::blockOf("\x14\x00\x00\x00", 4, block));
    EXPECT_EQ(block, 20u);
    EXPECT_FALSE(KivDbfMemo::blockOf("   12x    ", 10, block));
    EXPECT_FALSE(KivDbfMemo::blockOf("99999999999999999999999", 23, block));
    EXPECT_FALSE(KivDbfMemo::blockOf(nullptr, 10, block));
}
