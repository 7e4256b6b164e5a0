// SPDX-License-Identifier: MIT
// A small reader of rich text (RTF) for the rich-text viewer: paragraphs and
// line breaks, bold, italic and underline, font sizes, the colour table,
// \'hh bytes and \uN characters in the code page the document or its font
// declares (\ansicpgN, \fcharsetN: 949 for Korean and the other Windows
// pages Qt's codecs know). Groups it does not show (font and style tables,
// pictures, objects, fields' instructions, anything marked \*) are skipped,
// never shown as markup. Bad input reads as far as it makes sense: groups
// nested deeper than kMaxDepth are skipped whole, the text stops at
// kMaxText characters and formatting changes past kMaxRuns join the last
// run. Nothing throws.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A stretch of text in one format. '\n' ends a paragraph, U+2028 breaks a
// line within one.
struct KivRtfRun {
    CString text; // UTF-8
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24; // \fsN: the size in half points
    bool hasColour = false; // false: the view's own text colour
    COLORREF colour = 0;
};

class KIVDLG_EXPORT KivRtfReader {
public:
    static constexpr int kMaxDepth = 100; // nested groups kept
    static constexpr std::size_t kMaxText = 4u << 20; // UTF-16 units
    static constexpr std::size_t kMaxRuns = 50000;
    static constexpr std::size_t kMaxTableEntries = 4096; // fonts, colours

    // Whether data starts as an RTF file does: "{\rtf".
    static bool IsRtf(const std::uint8_t* data, std::size_t size);
    // Reads a document; false, with no runs, when data is no RTF.
    bool Read(const std::uint8_t* data, std::size_t size);

    const std::vector<KivRtfRun>& GetRuns() const { return m_runs; }
    // The text of every run, as it would show without formatting.
    CString GetText() const;
    // True when a cap cut the document short.
    bool IsTruncated() const { return m_truncated; }

    // Bytes that are no RTF as text: UTF-8 when they are valid UTF-8, else
    // the Korean code page 949 when they decode in it without a fault, else
    // Latin-1; at most kMaxText characters.
    static CString DecodePlainText(const std::uint8_t* data, std::size_t size);
    // The Windows code page of an RTF character set (\fcharsetN); 0 for the
    // document's own.
    static int CodePageOfCharset(int charset);

private:
    std::vector<KivRtfRun> m_runs;
    bool m_truncated = false;
};
