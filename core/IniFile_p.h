// SPDX-License-Identifier: MIT
// The INI files of the Windows profile functions: sections and keys match
// ignoring case, a value is the text after "=" without surrounding blanks
// and one pair of surrounding double quotes; other lines and comments are
// kept, and the file is rewritten through a temporary file.
#pragma once

#include "platform/base/CString.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace ini {

class IniFile {
public:
    // Parses text; anything is accepted.
    explicit IniFile(std::string_view text = {});
    // The file at path (resolved ignoring case); empty when it is missing or
    // cannot be read.
    static IniFile load(const CString& path);
    // Changes the file at path under the writers' lock: the file is read,
    // changed and written back with no other writer in between. False when
    // it exists but cannot be read, or cannot be written; it is then left
    // as it was.
    static bool update(const CString& path, const std::function<void(IniFile&)>& change);
    // Larger files are no INI files of ours: they are neither read nor
    // rewritten.
    static constexpr std::uint64_t kMaxFileSize = 16u << 20;

    std::optional<CString> value(std::string_view section, std::string_view key) const;
    // A missing section or key is created; a null value removes the key.
    void setValue(std::string_view section, std::string_view key, const char* value);
    CString text() const;

private:
    struct Line {
        CString text;
    };
    // Index of the section header line, -1 when missing.
    int findSection(std::string_view section) const;
    // Index of the key's line within the section starting at header, -1 when missing.
    int findKey(int header, std::string_view key) const;
    int sectionEnd(int header) const;

    std::vector<CString> m_lines;
    CString m_eol = "\n";
};

} // namespace ini
