// SPDX-License-Identifier: MIT
#include "support/SlideWriter.h"

#include "cad/KivSlideFile.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/PathNoCase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

Bytes slide(int n, std::size_t padTo = 0)
{
    SlideWriter w(static_cast<std::uint16_t>(100 + n), 100);
    w.color(n).vector(static_cast<std::uint16_t>(n), 0, 10, 10);
    while (w.bytes().size() + 2 < padTo)
        w.word(0x8000); // ignored records make a slide as large as wanted
    return w.end().bytes();
}

std::vector<std::string> names(const std::string& library)
{
    CStringArray list;
    KivSlideFile::GetSlideList(library.c_str(), &list);
    return {list.begin(), list.end()};
}

class SlideLibrary : public testing::Test {
protected:
    TempDir dir;
    std::string lib = dir.file("parts.slb");
    std::string sld(const std::string& name, const Bytes& bytes)
    {
        const std::string path = dir.file(name);
        writeFile(path, bytes);
        return path;
    }
};

} // namespace

TEST_F(SlideLibrary, CreateWritesHeaderAndTerminator)
{
    EXPECT_EQ(KivSlideFile::CreateLibrary(dir.file("new").c_str()), 0);
    const Bytes b = readFile(dir.file("new.slb"));
    ASSERT_EQ(b.size(), 68u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 25), "AutoCAD Slide Library 1.0");
    EXPECT_TRUE(std::all_of(b.begin() + 29, b.end(), [](auto c) { return c == 0; }));

    EXPECT_EQ(KivSlideFile::CreateLibrary(dir.file("no/such/folder/x").c_str()), 1);
    EXPECT_NE(std::string(KivSlideFile::GetSlideError()).find("Can't open file"), std::string::npos);
}

TEST_F(SlideLibrary, AppendCreatesTheLibraryAndNamesSlidesByTitle)
{
    EXPECT_EQ(KivSlideFile::AppendLibrary(dir.file("parts").c_str(), sld("bolt.sld", slide(1)).c_str()), 0);
    const Bytes b = readFile(lib);
    EXPECT_EQ(libraryAddress(b, 0), 104u);
    EXPECT_EQ(names(lib), (std::vector<std::string> {"BOLT"}));
    EXPECT_EQ(Bytes(b.begin() + 104, b.end()), slide(1));

    // ".SLD" is added to a slide file named without a dot.
    sld("nut.SLD", slide(2));
    EXPECT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), dir.file("nut").c_str()), 0);
    EXPECT_EQ(names(lib), (std::vector<std::string> {"BOLT", "NUT"}));
    EXPECT_EQ(readFile(lib), makeLibrary({{"BOLT", slide(1)}, {"NUT", slide(2)}}));
}

TEST_F(SlideLibrary, AppendingAnExistingNameChangesNothing)
{
    writeFile(lib, makeLibrary({{"BOLT", slide(1)}}));
    const Bytes before = readFile(lib);
    EXPECT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), sld("bolt.sld", slide(9)).c_str()), 8);
    EXPECT_STREQ(KivSlideFile::GetSlideError(), ("Slide BOLT already exists in library " + lib + ".").c_str());
    EXPECT_EQ(readFile(lib), before);

    EXPECT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), dir.file("missing.sld").c_str()), 1);
    EXPECT_EQ(readFile(lib), before);
}

TEST_F(SlideLibrary, AppendToAFileThatIsNoLibraryLeavesIt)
{
    writeText(lib, "not a library at all, but longer than a header");
    const Bytes before = readFile(lib);
    EXPECT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), sld("a.sld", slide(1)).c_str()), 4);
    EXPECT_EQ(readFile(lib), before);
    EXPECT_EQ(KivSlideFile::GetSlideList(lib.c_str(), nullptr), 0);
    EXPECT_STREQ(KivSlideFile::GetSlideError(), "Slide library invalid.");
}

TEST_F(SlideLibrary, LongTitlesAreCutTo31Bytes)
{
    const std::string title = "A_VERY_LONG_SLIDE_NAME_THAT_GOES_ON";
    ASSERT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), sld(title + ".sld", slide(1)).c_str()), 0);
    EXPECT_EQ(names(lib), (std::vector<std::string> {title.substr(0, 31)}));
    // The cut name is the name: a second file that cuts the same way is a duplicate.
    EXPECT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), sld(title + "_2.sld", slide(2)).c_str()), 8);
    // A multibyte character is never split.
    const std::string hangul = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1" + std::string("도면"); // 27 + 6 bytes
    ASSERT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), sld(hangul + ".sld", slide(3)).c_str()), 0);
    EXPECT_EQ(names(lib).back(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ1도");
}

TEST_F(SlideLibrary, DeleteMovesLaterSlidesUp)
{
    const Bytes s1 = slide(1), s2 = slide(2, 500), s3 = slide(3);
    writeFile(lib, makeLibrary({{"ONE", s1}, {"TWO", s2}, {"THREE", s3}}));
    const Bytes before = readFile(lib);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), "two"), 0);
    const Bytes after = readFile(lib);
    EXPECT_EQ(libraryAddress(after, 0), libraryAddress(before, 0) - 36);
    EXPECT_EQ(libraryAddress(after, 1), libraryAddress(before, 2) - 36 - s2.size());
    EXPECT_EQ(after, makeLibrary({{"ONE", s1}, {"THREE", s3}}));
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), "TWO"), 5);
    EXPECT_STREQ(KivSlideFile::GetSlideError(), ("Slide TWO not found in library " + lib + ".").c_str());
}

TEST_F(SlideLibrary, DeletingTheOnlySlideLeavesAnEmptyLibrary)
{
    writeFile(lib, makeLibrary({{"ONLY", slide(1)}}));
    const Bytes before = readFile(lib);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), "OTHER"), 5);
    EXPECT_EQ(readFile(lib), before);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), "only"), 0);
    EXPECT_EQ(readFile(lib).size(), 68u);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), "only"), 7);
    EXPECT_STREQ(KivSlideFile::GetSlideError(), ("No slide exists in library " + lib + ".").c_str());
}

TEST_F(SlideLibrary, ReplaceSwapsTheSlideAndMovesItLast)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"B", slide(2)}, {"C", slide(3)}}));
    EXPECT_EQ(KivSlideFile::ReplaceLibrary(lib.c_str(), sld("b.sld", slide(7)).c_str()), 0);
    EXPECT_EQ(readFile(lib), makeLibrary({{"A", slide(1)}, {"C", slide(3)}, {"B", slide(7)}}));
    // A slide file that cannot be read leaves the library as it was.
    const Bytes before = readFile(lib);
    EXPECT_EQ(KivSlideFile::ReplaceLibrary(lib.c_str(), dir.file("a.sld").c_str()), 1);
    EXPECT_EQ(readFile(lib), before);
    // Replacing into a missing library appends.
    EXPECT_EQ(KivSlideFile::ReplaceLibrary(dir.file("fresh").c_str(), dir.file("b.sld").c_str()), 0);
    EXPECT_EQ(readFile(dir.file("fresh.slb")), makeLibrary({{"B", slide(7)}}));
}

TEST_F(SlideLibrary, ExtractWritesNameDotSldIntoTheFolder)
{
    const Bytes big = slide(5, 100000);
    writeFile(lib, makeLibrary({{"SMALL", slide(1)}, {"big", big}}));
    fs::create_directory(dir.path() / "out");
    EXPECT_EQ(KivSlideFile::ExtractLibrary(lib.c_str(), "BIG", dir.file("out").c_str()), 0);
    EXPECT_EQ(readFile(dir.path() / "out" / "big.SLD"), big);
    EXPECT_EQ(KivSlideFile::ExtractLibrary(lib.c_str(), "small", (dir.file("out") + "/").c_str()), 0);
    EXPECT_EQ(readFile(dir.path() / "out" / "SMALL.SLD"), slide(1));
    // Without a folder the slide goes beside the library.
    EXPECT_EQ(KivSlideFile::ExtractLibrary(lib.c_str(), "SMALL", nullptr), 0);
    EXPECT_TRUE(fs::exists(dir.path() / "SMALL.SLD"));
    EXPECT_EQ(KivSlideFile::ExtractLibrary(lib.c_str(), "NONE", nullptr), 5);
}

TEST_F(SlideLibrary, RemoveMovesTheSlideOut)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"B", slide(2)}}));
    EXPECT_EQ(KivSlideFile::RemoveLibrary(lib.c_str(), "A", dir.path().c_str()), 0);
    EXPECT_EQ(readFile(dir.file("A.SLD")), slide(1));
    EXPECT_EQ(names(lib), (std::vector<std::string> {"B"}));
    EXPECT_EQ(KivSlideFile::RemoveLibrary(lib.c_str(), "A", dir.path().c_str()), 5);
}

TEST_F(SlideLibrary, ExplodeWritesEverySlideAndNeverLeavesTheFolder)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"../ESCAPE", slide(2)}, {"C", slide(3)}}));
    fs::create_directory(dir.path() / "out");
    EXPECT_EQ(KivSlideFile::ExplodeLibrary(lib.c_str(), dir.file("out").c_str()), 0);
    EXPECT_EQ(readFile(dir.path() / "out" / "A.SLD"), slide(1));
    EXPECT_EQ(readFile(dir.path() / "out" / ".._ESCAPE.SLD"), slide(2));
    EXPECT_EQ(readFile(dir.path() / "out" / "C.SLD"), slide(3));
    EXPECT_FALSE(fs::exists(dir.path() / "ESCAPE.SLD"));
    EXPECT_EQ(KivSlideFile::ExplodeLibrary(lib.c_str(), dir.file("no/such").c_str()), 1);
}

TEST_F(SlideLibrary, NamesResolveIgnoringCase)
{
    writeFile(dir.file("Mixed.SLB"), makeLibrary({{"A", slide(1)}}));
    for (const char* name : {"mixed", "MIXED.slb", "Mixed.Slb", "mixed.slb"})
        EXPECT_EQ(names(dir.file(name)), (std::vector<std::string> {"A"})) << name;
    EXPECT_EQ(KivSlideFile::AppendLibrary(dir.file("MIXED").c_str(), sld("b.sld", slide(2)).c_str()), 0);
    EXPECT_EQ(names(dir.file("Mixed.SLB")), (std::vector<std::string> {"A", "B"}));
    EXPECT_FALSE(fs::exists(dir.file("MIXED.slb"))) << "the existing file was rewritten, no sibling made";
    EXPECT_EQ(KivSlideFile::ExtractLibrary(dir.file("mixed").c_str(), "b", dir.path().c_str()), 0);
}

TEST_F(SlideLibrary, FolderNamesAreNeverFolded)
{
    // Proj/lib.slb is not proj/lib.slb: a library nobody named is never
    // listed, changed or read in its place.
    fs::create_directory(dir.path() / "proj");
    const std::string other = dir.file("proj/lib.slb");
    writeFile(other, makeLibrary({{"DOOR", slide(1)}, {"WINDOW", slide(2)}}));
    const Bytes before = readFile(other);
    fs::create_directory(dir.path() / "Proj");
    const std::string named = dir.file("Proj/lib.slb");
    EXPECT_EQ(KivSlideFile::DeleteLibrary(named.c_str(), "DOOR"), 1);
    EXPECT_EQ(KivSlideFile::GetSlideLibraryInfo(named.c_str(), nullptr), nullptr);
    EXPECT_EQ(KivSlideFile::ExtractLibrary(named.c_str(), "DOOR", dir.path().c_str()), 1);
    KivSlideFile member;
    EXPECT_EQ(member.Open((named + "(DOOR)").c_str()), 1);
    EXPECT_EQ(readFile(other), before);
    EXPECT_FALSE(fs::exists(named));

    // A folder SUB beside sub: each library is found in its own folder,
    // its file name matched ignoring case.
    fs::create_directory(dir.path() / "sub");
    fs::create_directory(dir.path() / "SUB");
    writeFile(dir.file("sub/Lib.SLB"), makeLibrary({{"LOWER", slide(3)}}));
    writeFile(dir.file("SUB/LIB.SLB"), makeLibrary({{"UPPER", slide(4)}}));
    EXPECT_EQ(names(dir.file("sub/lib.slb")), (std::vector<std::string> {"LOWER"}));
    EXPECT_EQ(names(dir.file("SUB/lib")), (std::vector<std::string> {"UPPER"}));
    EXPECT_EQ(KivSlideFile::ExtractLibrary(dir.file("sub/lib.slb").c_str(), "lower", dir.file("sub").c_str()), 0);
    EXPECT_EQ(readFile(dir.file("sub/LOWER.SLD")), slide(3));
    EXPECT_EQ(KivSlideFile::AppendLibrary(dir.file("sub/lib").c_str(), dir.file("sub/LOWER.SLD").c_str()), 8);
}

TEST_F(SlideLibrary, TheCallersSpellingWinsOverAnotherCase)
{
    writeFile(dir.file("lib.slb"), makeLibrary({{"LOWER", slide(1)}}));
    writeFile(dir.file("Lib.slb"), makeLibrary({{"MIXED", slide(2)}}));
    EXPECT_EQ(names(dir.file("Lib.slb")), (std::vector<std::string> {"MIXED"}));
    EXPECT_EQ(names(dir.file("Lib")), (std::vector<std::string> {"MIXED"}));
    EXPECT_EQ(KivSlideFile::ExtractLibrary(dir.file("Lib").c_str(), "MIXED", dir.path().c_str()), 0);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(dir.file("Lib.slb").c_str(), "MIXED"), 0);
    EXPECT_EQ(names(dir.file("lib.slb")), (std::vector<std::string> {"LOWER"}));
}

TEST_F(SlideLibrary, EveryOperationFindsTheSameFileForANameWithADot)
{
    // "parts.lib" is parts.lib.slb when that exists, else parts.lib, for
    // listing and changing alike.
    writeFile(dir.file("parts.lib"), makeLibrary({{"A", slide(1)}}));
    EXPECT_EQ(names(dir.file("parts.lib")), (std::vector<std::string> {"A"}));
    EXPECT_EQ(KivSlideFile::AppendLibrary(dir.file("parts.lib").c_str(), sld("b.sld", slide(2)).c_str()), 0);
    EXPECT_EQ(names(dir.file("parts.lib")), (std::vector<std::string> {"A", "B"}));
    writeFile(dir.file("parts.lib.slb"), makeLibrary({{"C", slide(3)}}));
    EXPECT_EQ(names(dir.file("parts.lib")), (std::vector<std::string> {"C"}));
    EXPECT_EQ(KivSlideFile::DeleteLibrary(dir.file("parts.lib").c_str(), "C"), 0);
    EXPECT_EQ(readFile(dir.file("parts.lib.slb")).size(), 68u);
    EXPECT_EQ(names(dir.file("parts.lib")), std::vector<std::string> {});
}

TEST_F(SlideLibrary, TheFilesAnExtractionWouldReplaceAreNamed)
{
    fs::create_directory(dir.path() / "out");
    writeFile(dir.file("out/door.sld"), slide(9));
    writeFile(dir.file("out/WIN_DOW.SLD"), slide(8));
    const auto files
        = KivSlideFile::ExtractedFilesThatExist(dir.file("out").c_str(), lib.c_str(), {"DOOR", "WIN/DOW", "NEW"});
    EXPECT_EQ(files, (std::vector<CString> {dir.file("out/door.sld"), dir.file("out/WIN_DOW.SLD")}));
    writeFile(dir.file("A.SLD"), slide(1));
    EXPECT_EQ(KivSlideFile::ExtractedFilesThatExist(nullptr, lib.c_str(), {"a", "b"}),
        std::vector<CString> {dir.file("A.SLD")});
}

TEST_F(SlideLibrary, ListingAMissingLibraryNamesTheCompletedFile)
{
    int count = 5;
    EXPECT_EQ(KivSlideFile::GetSlideLibraryInfo(dir.file("Gone").c_str(), &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(KivSlideFile::m_nSldError, 1);
    EXPECT_STREQ(KivSlideFile::GetSlideError(),
        ("\"" + MakeLowerName(dir.file("Gone").c_str()) + ".slb\": Can't open file").c_str());
}

TEST(SlideLibraryDirectory, DamagedDirectoriesAreInvalid)
{
    const Bytes good = makeLibrary({{"A", slide(1)}, {"B", slide(2)}});
    std::vector<KivSldLibInfo> entries;
    ASSERT_EQ(KivSlideFile::ReadLibraryDirectory(good.data(), good.size(), &entries), 0);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].size, static_cast<long>(slide(2).size()));

    const Bytes noTerminator(good.begin(), good.begin() + 32 + 36 * 2 + 10);
    EXPECT_EQ(KivSlideFile::ReadLibraryDirectory(noTerminator.data(), noTerminator.size(), &entries), 4);

    Bytes outside = good;
    outside[32 + 36 + 32 + 3] = 0x7F; // second address far past the end
    EXPECT_EQ(KivSlideFile::ReadLibraryDirectory(outside.data(), outside.size(), &entries), 4);

    Bytes backwards = good;
    backwards[32 + 36 + 32] = 0x10; // second address before the first
    backwards[32 + 36 + 33] = 0;
    EXPECT_EQ(KivSlideFile::ReadLibraryDirectory(backwards.data(), backwards.size(), &entries), 4);

    const Bytes empty = makeLibrary({});
    EXPECT_EQ(KivSlideFile::ReadLibraryDirectory(empty.data(), empty.size(), &entries), 7);
    EXPECT_EQ(KivSlideFile::ReadLibraryDirectory(good.data(), 20, &entries), 4);
    EXPECT_EQ(KivSlideFile::ReadLibraryDirectory(nullptr, 100, &entries), 4);

    Bytes unterminatedName = good;
    std::fill(unterminatedName.begin() + 32, unterminatedName.begin() + 64, 'N');
    ASSERT_EQ(KivSlideFile::ReadLibraryDirectory(unterminatedName.data(), unterminatedName.size(), &entries), 0);
    EXPECT_EQ(std::string(entries[0].name), std::string(31, 'N'));
}

TEST_F(SlideLibrary, SlidesAfterAGapKeepTheirBytes)
{
    // Another writer left 10 bytes between the directory and the first slide.
    Bytes gapped = makeLibrary({{"A", slide(1)}});
    gapped.insert(gapped.begin() + 104, 10, 0xEE);
    gapped[32 + 32] = 114;
    writeFile(lib, gapped);
    ASSERT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), sld("b.sld", slide(2)).c_str()), 0);
    EXPECT_EQ(readFile(lib), makeLibrary({{"A", slide(1)}, {"B", slide(2)}}));
}

TEST_F(SlideLibrary, AnInterruptedRewriteLeavesTheLibraryIntact)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"B", slide(2, 300)}}));
    const Bytes before = readFile(lib);
    const std::string bolt = sld("bolt.sld", slide(3));
    const std::size_t finalSize = before.size() + 36 + slide(3).size();
    for (std::size_t budget = 0; budget < finalSize; budget += 7) {
        AtomicFile::failAfterBytesForTesting(static_cast<long long>(budget));
        EXPECT_NE(KivSlideFile::AppendLibrary(lib.c_str(), bolt.c_str()), 0) << budget;
        EXPECT_NE(KivSlideFile::DeleteLibrary(lib.c_str(), "A"), 0) << budget;
        AtomicFile::failAfterBytesForTesting(-1);
        ASSERT_EQ(readFile(lib), before) << "after a failure at byte " << budget;
    }
    // Nothing is left behind in the folder but the files the test made.
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string> {"bolt.sld", "parts.slb"}));
    EXPECT_EQ(KivSlideFile::AppendLibrary(lib.c_str(), bolt.c_str()), 0);
}

TEST_F(SlideLibrary, OpenReadsASlideInsideALibrary)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"B", slide(2)}}));
    KivSlideFile f;
    ASSERT_EQ(f.Open((lib + "(b)").c_str()), 0);
    EXPECT_EQ(f.ReadHeader(), 0);
    EXPECT_EQ(f.GetHighX(), 102);
    EXPECT_EQ(f.Open((lib + "(Z)").c_str()), 5);
    EXPECT_EQ(f.Open(dir.file("none.sld").c_str()), 1);
}

TEST_F(SlideLibrary, BatchDeleteRewritesOnceAndKeepsTheRestByteForByte)
{
    const Bytes s1 = slide(1), s2 = slide(2, 200), s3 = slide(3), s4 = slide(4, 90000), s5 = slide(5);
    writeFile(lib, makeLibrary({{"ONE", s1}, {"TWO", s2}, {"THREE", s3}, {"FOUR", s4}, {"FIVE", s5}}));
    // Names match ignoring case; a name given twice is deleted once.
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), {"two", "FOUR", "Two"}), 0);
    EXPECT_EQ(readFile(lib), makeLibrary({{"ONE", s1}, {"THREE", s3}, {"FIVE", s5}}));

    // A missing name is reported after the others are gone.
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), {"ONE", "NOPE", "GONE"}), 5);
    EXPECT_NE(std::string(KivSlideFile::GetSlideError()).find("NOPE"), std::string::npos);
    EXPECT_EQ(readFile(lib), makeLibrary({{"THREE", s3}, {"FIVE", s5}}));

    // Only missing names: nothing is rewritten.
    const auto before = fs::last_write_time(lib);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), {"NOPE"}), 5);
    EXPECT_EQ(fs::last_write_time(lib), before);

    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), {"three", "five"}), 0);
    EXPECT_EQ(readFile(lib).size(), 68u);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), {"three"}), 7);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(dir.file("none.slb").c_str(), {"A"}), 1);
    writeText(dir.file("text.slb"), "no library here, just some words of text");
    EXPECT_EQ(KivSlideFile::DeleteLibrary(dir.file("text.slb").c_str(), {"A"}), 4);
    EXPECT_EQ(KivSlideFile::DeleteLibrary(lib.c_str(), std::vector<std::string> {}), 0);
}

TEST_F(SlideLibrary, AnInterruptedBatchDeleteLeavesTheLibraryIntact)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"B", slide(2, 300)}, {"C", slide(3)}, {"D", slide(4)}}));
    const Bytes before = readFile(lib);
    const std::size_t finalSize = makeLibrary({{"A", slide(1)}, {"C", slide(3)}}).size();
    for (std::size_t budget = 0; budget < finalSize; budget += 11) {
        AtomicFile::failAfterBytesForTesting(static_cast<long long>(budget));
        EXPECT_NE(KivSlideFile::DeleteLibrary(lib.c_str(), {"B", "D"}), 0) << budget;
        AtomicFile::failAfterBytesForTesting(-1);
        ASSERT_EQ(readFile(lib), before) << "after a failure at byte " << budget;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}
