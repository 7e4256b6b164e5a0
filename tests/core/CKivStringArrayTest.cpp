// SPDX-License-Identifier: MIT
#include "core/CKivStringArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<CString> items(const CKivStringArray& a)
{
    return {a.begin(), a.end()};
}
} // namespace

TEST(CKivStringArray, FindIgnoresCaseFromStart)
{
    CKivStringArray a;
    a.Add("ABC");
    a.Add("def");
    a.Add("abc");
    EXPECT_EQ(a.Find("abc", 0), 0);
    EXPECT_EQ(a.Find("abc", 1), 2);
    EXPECT_EQ(a.Find("DEF"), 1);
    EXPECT_EQ(a.Find("abc", 3), -1);
    EXPECT_EQ(a.Find("abc", -1), -1);
    EXPECT_EQ(a.Find("zzz"), -1);
    EXPECT_EQ(a.Find(nullptr), -1);
}

TEST(CKivStringArray, SortBothWays)
{
    CKivStringArray a;
    for (const char* s : {"b", "A", "c"})
        a.Add(s);
    a.Sort(1);
    EXPECT_EQ(items(a), (std::vector<CString> {"A", "b", "c"}));
    a.Sort(0);
    EXPECT_EQ(items(a), (std::vector<CString> {"c", "b", "A"}));
    a.Sort(7); // any order but 1 is descending
    EXPECT_EQ(items(a), (std::vector<CString> {"c", "b", "A"}));
}

TEST(CKivStringArray, SortNeverSwapsEqualsIgnoringCase)
{
    CKivStringArray a;
    for (const char* s : {"x", "B", "b", "a"})
        a.Add(s);
    a.Sort(1);
    // The exchange sort moves b ahead of B here: the order is its own, not a stable one.
    EXPECT_EQ(items(a), (std::vector<CString> {"a", "b", "B", "x"}));
}
