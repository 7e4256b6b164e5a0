// SPDX-License-Identifier: MIT
#include "platform/base/CString.h"
#include "platform/base/CStringArray.h"
#include "platform/base/CStringList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(CString, FormatBoundedTruncatesAndTerminates)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FormatBounded(buffer, 6, "%s-%d", "abcdef", 42), 5u);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(buffer[6], 'x') << "nothing past the capacity is touched";

    EXPECT_EQ(FormatBounded(buffer, sizeof buffer, "%d", 7), 1u);
    EXPECT_STREQ(buffer, "7");
    EXPECT_EQ(FormatBounded(buffer, 0, "%d", 7), 0u);
}

TEST(CString, StringFormatHasNoLengthLimit)
{
    const CString big(5000, 'a');
    EXPECT_EQ(StringFormat("[%s]", big.c_str()).size(), 5002u);
    EXPECT_EQ(StringFormat("%s=%s", "W", "10"), "W=10");
}

TEST(CString, CopyBoundedCutsAtCapacity)
{
    char buffer[4];
    EXPECT_EQ(CopyBounded(buffer, sizeof buffer, "abcdef"), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(CopyBounded(buffer, sizeof buffer, nullptr), 0u);
    EXPECT_STREQ(buffer, "");
}

TEST(CString, CaseFoldingTouchesAsciiLettersOnly)
{
    EXPECT_EQ(CompareNoCase("Slide.SLD", "slide.sld"), 0);
    EXPECT_LT(CompareNoCase("a", "B"), 0);
    EXPECT_GT(CompareNoCase("abc", "AB"), 0);
    // Hangul in UTF-8 is compared byte for byte, never folded.
    EXPECT_EQ(CompareNoCase("도면A", "도면a"), 0);
    EXPECT_NE(CompareNoCase("\xC3\xA9", "\xC3\x89"), 0); // é and É stay distinct
    EXPECT_EQ(MakeUpper("lib.slb\xC3\xA9"), "LIB.SLB\xC3\xA9");
    EXPECT_EQ(MakeLower("LIB.SLB"), "lib.slb");
    EXPECT_EQ(CompareNoCaseN("ABCx", "abcy", 3), 0);
}

TEST(CStringArray, IndexingOutsideGivesEmptyAndChangesNothing)
{
    CStringArray a;
    EXPECT_EQ(a.Add("one"), 0);
    EXPECT_EQ(a.Add("two"), 1);
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetAt(1), "two");
    EXPECT_EQ(a.GetAt(2), "");
    EXPECT_EQ(a.GetAt(-1), "");
    EXPECT_EQ(a.GetSize(), 2);
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(a.GetAt(0), "");
}

TEST(CStringList, KeepsTheOrderItWasFilledIn)
{
    CStringList l;
    EXPECT_EQ(l.begin(), l.end());
    for (const char* s : {"b", "a", "c"})
        l.AddTail(s);
    EXPECT_EQ(std::vector<CString>(l.begin(), l.end()), (std::vector<CString> {"b", "a", "c"}));
}
