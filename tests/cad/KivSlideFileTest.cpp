// SPDX-License-Identifier: MIT
#include "RecordingSink.h"
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <thread>

using testsupport::Bytes;
using testsupport::SlideWriter;
using Lines = std::vector<std::string>;

namespace {

struct Decoded {
    int header;
    int records;
    Lines out;
    KivSlidePoint last;
};

Decoded decode(const Bytes& bytes, KivSlidePoint last = {})
{
    KivSlideFile slide;
    slide.OpenBytes(bytes.data(), bytes.size());
    Decoded d {};
    d.header = slide.ReadHeader();
    RecordingSink sink;
    d.records = slide.DecodeRecords(sink, last);
    d.out = sink.out;
    d.last = last;
    return d;
}

// Exposes the protected header calls.
struct HeaderProbe : KivSlideFile {
    using KivSlideFile::GetSlideSize;
    using KivSlideFile::IsOlder;
    using KivSlideFile::ReverseWord;
};

} // namespace

TEST(KivSlideFile, DecodesEveryRecordKind)
{
    const auto d = decode(SlideWriter(1000, 800)
                              .color(3)
                              .vector(10, 20, 30, 40)
                              .offsetVector(1, -2, 3, -4)
                              .commonEndpoint(-3, 4)
                              .word(0x8123) // ignored kinds are two bytes
                              .word(0xFAFF)
                              .fill({{1, 2}, {3, 4}, {5, 6}})
                              .fillEnd()
                              .end()
                              .bytes());
    EXPECT_EQ(d.header, 0);
    EXPECT_EQ(d.records, 1);
    EXPECT_EQ(d.out, (Lines {"C 3", "L 10,20-30,40", "L 11,18-13,16", "L 8,22-11,18", "P 1,2 3,4 5,6"}));
    EXPECT_EQ(d.last, (KivSlidePoint {8, 22}));
}

TEST(KivSlideFile, CommonEndpointFromTheLastPoint)
{
    const auto d = decode(SlideWriter().commonEndpoint(-3, 4).end().bytes(), {10, 10});
    EXPECT_EQ(d.out, (Lines {"L 7,14-10,10"}));
    EXPECT_EQ(d.last, (KivSlidePoint {7, 14}));
}

TEST(KivSlideFile, OffsetsWrapModulo65536)
{
    const auto d = decode(SlideWriter().offsetVector(-1, -1, 2, 2).end().bytes(), {0, 0});
    EXPECT_EQ(d.out, (Lines {"L 65535,65535-2,2"}));
}

TEST(KivSlideFile, SwappedSlideSwapsWordsButNotOffsetBytes)
{
    const Bytes bytes = SlideWriter(0x0102, 0x0304, 2, true)
                            .vector(0x0A0B, 0x0C0D, 0x0E0F, 0x1011)
                            .offsetVector(1, 2, 3, 4)
                            .commonEndpoint(5, 6)
                            .color(7)
                            .end()
                            .bytes();
    EXPECT_EQ(bytes[29], 0x12); // written big-endian: reads 0x3412
    KivSlideFile slide;
    slide.OpenBytes(bytes.data(), bytes.size());
    EXPECT_EQ(slide.ReadHeader(), 0);
    EXPECT_EQ(slide.IsSwapped(), 1);
    EXPECT_EQ(slide.GetHighX(), 0x0102);
    EXPECT_EQ(slide.GetHighY(), 0x0304);
    RecordingSink sink;
    KivSlidePoint last;
    EXPECT_EQ(slide.DecodeRecords(sink, last), 1);
    EXPECT_EQ(sink.out, (Lines {"L 2571,3085-3599,4113", "L 2572,3087-2574,3089", "L 2577,3093-2572,3087", "C 7"}));
}

TEST(KivSlideFile, LevelOneSelectsTheOldHeader)
{
    const auto d = decode(SlideWriter(640, 480, 1).vector(1, 2, 3, 4).end().bytes());
    EXPECT_EQ(d.header, 0);
    EXPECT_EQ(d.out, (Lines {"L 1,2-3,4"}));

    Bytes bytes = SlideWriter(640, 480, 1).end().bytes();
    HeaderProbe probe;
    probe.OpenBytes(bytes.data(), bytes.size());
    EXPECT_EQ(probe.IsOlder(), 1);
    short x = 0, y = 0;
    EXPECT_EQ(probe.GetSlideSize(&x, &y), 0);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 480);

    // Any other level reads the 31-byte header.
    const auto three = decode(SlideWriter(640, 480, 3).vector(1, 2, 3, 4).end().bytes());
    EXPECT_EQ(three.header, 0);
    EXPECT_EQ(three.out, (Lines {"L 1,2-3,4"}));
}

TEST(KivSlideFile, HeaderResults)
{
    struct Case {
        const char* what;
        std::size_t at;
        std::uint8_t value;
        int header;
    };
    const Case cases[] = {
        {"identification", 3, 'x', 2},
        {"type", 17, 'W', 2},
        {"fill 0x0200", 28, 0x02, 0}, // a big-endian writer's 2
        {"test number", 29, 0x99, 3},
    };
    for (const auto& c : cases) {
        Bytes bytes = SlideWriter().end().bytes();
        bytes[c.at] = c.value;
        if (c.at == 28)
            bytes[27] = 0x00; // fill word 0x0200
        EXPECT_EQ(decode(bytes).header, c.header) << c.what;
    }
    Bytes both = SlideWriter().end().bytes();
    both[17] = 'W';
    both[30] = 0x77;
    EXPECT_EQ(decode(both).header, 3) << "an unknown test number outweighs the warning";
    Bytes fill = SlideWriter().end().bytes();
    fill[27] = 5;
    EXPECT_EQ(decode(fill).header, 2);
}

TEST(KivSlideFile, ShortAndEmptyInput)
{
    const Bytes full = SlideWriter().vector(1, 2, 3, 4).end().bytes();
    for (std::size_t n : {0u, 5u, 30u}) {
        const Bytes cut(full.begin(), full.begin() + static_cast<long>(n));
        const auto d = decode(cut);
        EXPECT_EQ(d.header, 3) << n;
        EXPECT_EQ(d.records, 0) << n;
    }
    for (std::size_t n = 31; n < 39; ++n) { // inside the 8-byte vector
        const Bytes cut(full.begin(), full.begin() + static_cast<long>(n));
        const auto d = decode(cut);
        EXPECT_EQ(d.records, 0) << n;
        EXPECT_TRUE(d.out.empty()) << "a vector cut short draws nothing, at " << n;
    }
    EXPECT_EQ(decode(SlideWriter().vector(1, 2, 3, 4).bytes()).records, 0) << "no end record";
}

TEST(KivSlideFile, FillRules)
{
    // Vertices past the extent fold back (65535 - v); a zero count closes a fill.
    const auto d = decode(SlideWriter(100, 50).fill({{101, 10}, {20, 65000}, {100, 50}}).fillEnd().end().bytes());
    EXPECT_EQ(d.records, 1);
    EXPECT_EQ(d.out, (Lines {"P 65434,10 20,535 100,50"}));

    // A count far beyond the bytes left stops without reading or allocating them.
    Bytes huge = SlideWriter().word(0xFD00).word(0xFFFF).word(0).bytes();
    huge.resize(huge.size() + 12, 0);
    const auto h = decode(huge);
    EXPECT_EQ(h.records, 0);
    EXPECT_TRUE(h.out.empty());
}

TEST(KivSlideFile, ReferencesSplitIntoLibraryAndSlide)
{
    KivSlideFile f;
    f.SetReference("lib(slide)");
    EXPECT_STREQ(f.GetLibraryName(), "lib");
    EXPECT_STREQ(f.GetSlideName(), "slide");
    f.SetReference("dir/a.sld");
    EXPECT_STREQ(f.GetLibraryName(), "");
    EXPECT_STREQ(f.GetSlideName(), "dir/a.sld");
    f.SetReference("lib(unclosed");
    EXPECT_STREQ(f.GetSlideName(), "unclosed");
    f.SetReference(nullptr);
    EXPECT_STREQ(f.GetSlideName(), "");
}

TEST(KivSlideFile, ErrorMessages)
{
    const std::pair<int, const char*> expected[] = {
        {0, ""},
        {1, "\"a.slb\": Can't open file"},
        {2, "Warning--Slide prepared for different display."},
        {3, "Error reading slide file. *Invalid*"},
        {4, "Slide library invalid."},
        {5, "Slide S1 not found in library a.slb."},
        {6, "Error Unknown"},
        {7, "No slide exists in library a.slb."},
        {8, "Slide S1 already exists in library a.slb."},
    };
    for (const auto& [code, text] : expected) {
        KivSlideFile::SetSlideError(code, "a.slb", "S1");
        EXPECT_EQ(KivSlideFile::m_nSldError, code);
        EXPECT_STREQ(KivSlideFile::GetSlideError(), text);
    }
    KivSlideFile::SetSlideError(3, nullptr, nullptr);
    KivSlideFile fresh;
    EXPECT_STREQ(KivSlideFile::GetSlideError(), "");
    EXPECT_EQ(KivSlideFile::m_nSldError, 3) << "construction empties the message only";

    const std::string longName(2000, 'n');
    KivSlideFile::SetSlideError(5, longName.c_str(), longName.c_str());
    EXPECT_EQ(std::string(KivSlideFile::GetSlideError()).size(), 1023u);
}

TEST(KivSlideFile, EachThreadKeepsItsOwnError)
{
    // A browser reads slides on worker threads while the window reports its
    // own failure: neither may see the other's message.
    KivSlideFile::SetSlideError(4, nullptr, nullptr);
    std::string seen;
    int code = -1;
    std::thread worker([&] {
        code = KivSlideFile::m_nSldError;
        KivSlideFile::SetSlideError(1, "other.sld", nullptr);
        seen = KivSlideFile::GetSlideError();
    });
    worker.join();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(seen, "\"other.sld\": Can't open file");
    EXPECT_EQ(KivSlideFile::m_nSldError, 4);
    EXPECT_STREQ(KivSlideFile::GetSlideError(), "Slide library invalid.");
}

// Beside the message, the reason names the file as given and the system's
// cause; an error set without one leaves none from before.
TEST(KivSlideFile, FailuresToOpenSayWhy)
{
    testsupport::TempDir dir;
    KivSlideFile slide;
    const std::string missing = dir.file("gone.sld");
    EXPECT_EQ(slide.Open(missing.c_str()), 1);
    EXPECT_EQ(
        std::string(KivSlideFile::GetSlideErrorReason()), "cannot open " + missing + ": No such file or directory");
    const std::string folder = dir.path().string();
    EXPECT_EQ(slide.Open(folder.c_str()), 1);
    EXPECT_EQ(std::string(KivSlideFile::GetSlideErrorReason()), "cannot open " + folder + ": not a regular file");
    const std::string library = dir.file("none") + "(door)";
    EXPECT_EQ(slide.Open(library.c_str()), 1);
    EXPECT_NE(std::string(KivSlideFile::GetSlideErrorReason()).find("No such file or directory"), std::string::npos);
    KivSlideFile::SetSlideError(4, nullptr, nullptr);
    EXPECT_STREQ(KivSlideFile::GetSlideErrorReason(), "");
}

TEST(KivSlideFile, ReverseWord)
{
    HeaderProbe p;
    unsigned short w = 0x1234;
    p.ReverseWord(&w);
    EXPECT_EQ(w, 0x3412);
    p.ReverseWord(nullptr);
}
