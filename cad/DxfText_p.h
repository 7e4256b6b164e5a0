// SPDX-License-Identifier: MIT
// The strings of a DXF file as UTF-8: bytes in the drawing's code page
// (release 2007 on: UTF-8), \U+XXXX escapes, the %% control codes of TEXT
// and the formatting codes of MTEXT.
#pragma once

#include <string>

class DxfText {
public:
    // From the header: the release decides UTF-8, else the code page.
    void SetVersion(const std::string& version);
    void SetCodePage(const std::string& codePage);

    // A string as stored, to UTF-8 with its \U+XXXX escapes resolved.
    std::string Decode(const std::string& bytes) const;
    // A TEXT's string: %%d, %%p and %%c as their signs, %%% as %, the
    // underline and overline switches removed.
    static std::string PlainText(const std::string& text);
    // An MTEXT's string: paragraphs (\P) as line ends, stacked fractions as
    // a/b, every other formatting code and the grouping braces removed.
    static std::string PlainMText(const std::string& text);

private:
    bool m_utf8 = false;
    const char* m_encoding = "windows-1252";
};
