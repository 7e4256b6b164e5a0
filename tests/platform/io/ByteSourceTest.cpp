// SPDX-License-Identifier: MIT
#include "platform/io/ByteReader.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

using testsupport::Bytes;
using testsupport::TempDir;

TEST(ByteReader, ReadsBothByteOrdersAndStopsAtTheEnd)
{
    const Bytes bytes {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xAB};
    const ByteSource source = ByteSource::fromMemory(bytes.data(), bytes.size());
    ByteReader r(source);
    std::uint16_t w = 0;
    std::uint32_t d = 0;
    ASSERT_TRUE(r.le16(w));
    EXPECT_EQ(w, 0x1234);
    ASSERT_TRUE(r.le32(d));
    EXPECT_EQ(d, 0x12345678u);
    EXPECT_EQ(r.remaining(), 1u);
    // A read that does not fit leaves the value and ends the walk.
    EXPECT_FALSE(r.be16(w));
    EXPECT_EQ(w, 0x1234);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.seek(8));
    ASSERT_TRUE(r.seek(0));
    ASSERT_TRUE(r.be32(d));
    EXPECT_EQ(d, 0x34127856u);
    EXPECT_FALSE(r.skip(UINT64_MAX));
    EXPECT_TRUE(r.atEnd());
}

TEST(ByteSource, RefusesRangesPastTheDataOrTheLimitBeforeAllocating)
{
    const Bytes bytes(100, 7);
    const ByteSource source = ByteSource::fromBytes(bytes);
    Bytes out;
    EXPECT_TRUE(source.readRange(90, 10, out));
    EXPECT_EQ(out, Bytes(10, 7));
    EXPECT_FALSE(source.readRange(91, 10, out));
    EXPECT_FALSE(source.readRange(UINT64_MAX, 2, out));
    EXPECT_FALSE(source.readRange(0, UINT64_MAX, out)); // a huge declared size
    EXPECT_FALSE(source.readRange(0, 50, out, 49));
    std::uint8_t b;
    EXPECT_FALSE(source.read(100, &b, 1));
    EXPECT_TRUE(source.read(100, &b, 0));
}

TEST(ByteSource, ReadsRegularFilesByOffsetAndMapsThem)
{
    TempDir dir;
    Bytes bytes(70000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    testsupport::writeFile(dir.file("a.bin"), bytes);
    ByteSource source;
    ASSERT_TRUE(source.openFile(dir.file("a.bin")));
    EXPECT_EQ(source.size(), bytes.size());
    Bytes out;
    ASSERT_TRUE(source.readRange(65530, 100, out));
    EXPECT_TRUE(std::equal(out.begin(), out.end(), bytes.begin() + 65530));
    EXPECT_EQ(source.data(), nullptr);
    ASSERT_TRUE(source.map());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), source.data()));

    ByteSource moved = std::move(source);
    EXPECT_FALSE(source.isOpen());
    EXPECT_EQ(moved.data()[69999], bytes[69999]);
}

TEST(ByteSource, StreamsAreReadFromTheirStartWhateverTheirPosition)
{
    TempDir dir;
    testsupport::writeText(dir.file("t.txt"), "hello");
    std::FILE* f = std::fopen(dir.file("t.txt").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::fgetc(f);
    ByteSource source;
    ASSERT_TRUE(source.openStream(f));
    char text[5];
    ASSERT_TRUE(source.read(0, text, 5));
    EXPECT_EQ(std::string(text, 5), "hello");
    source.close();
    EXPECT_EQ(std::fgetc(f), 'e'); // the caller's stream is untouched
    std::fclose(f);
}

TEST(ByteSource, RefusesFifosFoldersAndMissingFilesWithoutBlocking)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    ByteSource source;
    // A blocking open of a FIFO without a writer would never return.
    EXPECT_FALSE(source.openFile(dir.file("pipe")));
    EXPECT_EQ(source.error(), ByteSource::kNotRegular);
    EXPECT_EQ(source.errorText(), "not a regular file");
    EXPECT_FALSE(source.openFile(dir.path().string()));
    EXPECT_EQ(source.error(), ByteSource::kNotRegular);
    EXPECT_FALSE(source.openFile(dir.file("missing")));
    EXPECT_EQ(source.error(), ENOENT);
    EXPECT_FALSE(source.isOpen());
}
