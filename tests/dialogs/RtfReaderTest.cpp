// SPDX-License-Identifier: MIT
#include "dialogs/KivRtfReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

KivRtfReader read(const std::string& text)
{
    KivRtfReader reader;
    EXPECT_TRUE(reader.Read(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return reader;
}

CString plain(const std::string& bytes)
{
    return KivRtfReader::DecodePlainText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

// What a Korean word processor saves: code page 949 declared for the
// document and by the font's character set, the text as \'hh pairs.
TEST(KivRtfReader, KoreanInCodePage949)
{
    const KivRtfReader byDocument = read("{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fnil Gulim;}}"
                                         "\\f0 \\'c7\\'d1\\'b1\\'b9\\'be\\'ee \\'b5\\'b5\\'b8\\'e9\\par}");
    EXPECT_EQ(byDocument.GetText(), "한국어 도면\n");
    // An English document whose font is a Hangul one: the font decides.
    const KivRtfReader byFont
        = read("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\froman Times;}{\\f1\\fnil\\fcharset129 "
               "Batang;}}\\f0 caf\\'e9 \\f1\\'c3\\'ca\\'bf\\'eb}");
    EXPECT_EQ(byFont.GetText(), "café 초용");
    // The same text as \uN characters with a one-byte fallback each.
    const KivRtfReader unicode = read("{\\rtf1\\ansi\\uc1\\u54620?\\u44544?\\uc2 \\u-10179\\'3f\\'3f\\u-8704?"
                                      "?!}");
    EXPECT_EQ(unicode.GetText(), "한글\xF0\x9F\x98\x80!") << "a surrogate pair makes one character";
}

TEST(KivRtfReader, FormattingColoursAndParagraphs)
{
    const KivRtfReader r = read("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
                                "\\fs20 plain {\\b bold {\\i both}} \\ul under\\ulnone\\line next\\par"
                                "\\cf2\\fs36 big blue\\cf9 unknown colour\\plain reset}");
    ASSERT_GE(r.GetRuns().size(), 7u);
    EXPECT_EQ(r.GetText(), "plain bold both under\u2028next\nbig blueunknown colourreset");
    const auto& runs = r.GetRuns();
    EXPECT_EQ(runs[0].text, "plain ");
    EXPECT_EQ(runs[0].halfPoints, 20);
    EXPECT_FALSE(runs[0].bold);
    EXPECT_EQ(runs[1].text, "bold ");
    EXPECT_TRUE(runs[1].bold);
    EXPECT_TRUE(runs[2].bold && runs[2].italic) << "groups inherit";
    EXPECT_EQ(runs[3].text, " ");
    EXPECT_FALSE(runs[3].bold) << "and restore when they end";
    EXPECT_EQ(runs[4].text, "under");
    EXPECT_TRUE(runs[4].underline);
    EXPECT_FALSE(runs[5].underline);
    const KivRtfRun& blue = runs[runs.size() - 3];
    EXPECT_EQ(blue.text, "big blue");
    EXPECT_TRUE(blue.hasColour);
    EXPECT_EQ(blue.colour, RGB(0, 0, 128));
    EXPECT_EQ(blue.halfPoints, 36);
    EXPECT_FALSE(runs[runs.size() - 2].hasColour) << "an index past the table is the view's own colour";
    EXPECT_EQ(runs.back().halfPoints, 24);
}

TEST(KivRtfReader, EscapesAndSkippedGroupsNeverShowAsMarkup)
{
    const KivRtfReader r = read("{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title Secret}{\\author Me}}"
                                "{\\stylesheet{\\s0 Normal;}}{\\*\\unknowndest hidden {\\b deeper}}"
                                "{\\pict\\pngblip 89504e47}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}"
                                "a\\\\b \\{c\\} 100\\~%\\emdash ok\\bin3 {}xy}");
    EXPECT_EQ(r.GetText(), "showna\\b {c} 100\u00A0%\u2014oky") << "\\bin3 hides three bytes, braces too";
}

TEST(KivRtfReader, DeepNestingAndFloodsStayBounded)
{
    std::string deep = "{\\rtf1 top ";
    for (int i = 0; i < 100000; ++i)
        deep += "{x";
    deep += std::string(100000, '}') + " after}";
    const auto start = std::chrono::steady_clock::now();
    const KivRtfReader nested = read(deep);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const CString text = nested.GetText();
    EXPECT_EQ(text.rfind("top ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 6), " after") << "the text after the deep groups still shows";
    EXPECT_LE(text.size(), 4u + KivRtfReader::kMaxDepth + 6u);

    std::string toggles = "{\\rtf1 ";
    for (int i = 0; i < 200000; ++i)
        toggles += i % 2 ? "\\b0 y" : "\\b x";
    const KivRtfReader flood = read(toggles + "}");
    EXPECT_LE(flood.GetRuns().size(), KivRtfReader::kMaxRuns);
    EXPECT_EQ(flood.GetText().size(), 200000u) << "no text is lost to the cap on runs";

    const KivRtfReader cut = read("{\\rtf1 " + std::string(KivRtfReader::kMaxText + 10, 'a') + "}");
    EXPECT_TRUE(cut.IsTruncated());
    EXPECT_EQ(cut.GetText().size(), KivRtfReader::kMaxText);
}

TEST(KivRtfReader, OtherBytesAreNoRtfAndReadAsPlainText)
{
    KivRtfReader reader;
    const std::string notRtf = "{\\rt";
    EXPECT_FALSE(reader.Read(reinterpret_cast<const std::uint8_t*>(notRtf.data()), notRtf.size()));
    EXPECT_FALSE(reader.Read(nullptr, 0));
    EXPECT_EQ(plain("grüße\n"), "grüße\n");
    EXPECT_EQ(plain("\xc7\xd1\xb1\xdb"), "한글") << "not UTF-8: code page 949";
    EXPECT_EQ(plain("caf\xe9\xff"), "caf\u00e9\u00ff") << "neither: Latin-1";
    EXPECT_EQ(plain(""), "");
    EXPECT_EQ(KivRtfReader::CodePageOfCharset(129), 949);
    EXPECT_EQ(KivRtfReader::CodePageOfCharset(0), 0);
}
