// The INI files of the Windows profile functions: sections and keys match
// ignoring case, a value is the text after "=" without surrounding blanks
// and one pair of surrounding double quotes; other lines and comments are
// kept, and the file is rewritten through a temporary file.
#pragma once

#include "platform/CString.h"

#include <optional>
#include <string_view>
#include <vector>

namespace ini {

class IniFile {
public:
    // Parses text; anything is accepted.
    explicit IniFile(std::string_view text = {});
    static IniFile load(const CString& path);

    std::optional<CString> value(std::string_view section, std::string_view key) const;
    // A missing section or key is created; a null value removes the key.
    void setValue(std::string_view section, std::string_view key, const char* value);
    CString text() const;
    bool save(const CString& path) const;

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
