// SPDX-License-Identifier: MIT
#include "core/IniFile_p.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/PathNoCase.h"

#include "platform/io/ByteSource.h"

namespace ini {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareNoCaseN(CString(a).c_str(), CString(b).c_str(), a.size()) == 0;
}

// "[name]" gives name; anything else nothing.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view line)
{
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return std::make_pair(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
}

} // namespace

IniFile::IniFile(std::string_view text)
{
    if (text.find("\r\n") != std::string_view::npos)
        m_eol = "\r\n";
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_lines.emplace_back(line);
        start = end + 1;
    }
}

IniFile IniFile::load(const CString& path)
{
    ByteSource source;
    std::vector<std::uint8_t> bytes;
    if (!source.openFile(ResolvePathNoCase(path.c_str())) || !source.readRange(0, source.size(), bytes, kMaxFileSize))
        return IniFile();
    return IniFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (const auto name = sectionName(m_lines[i]); name && equalNoCase(*name, trim(section)))
            return static_cast<int>(i);
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i]))
        ++i;
    return static_cast<int>(i);
}

int IniFile::findKey(int header, std::string_view key) const
{
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (const auto kv = keyValue(m_lines[static_cast<std::size_t>(i)]); kv && equalNoCase(kv->first, trim(key)))
            return i;
    return -1;
}

std::optional<CString> IniFile::value(std::string_view section, std::string_view key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    std::string_view v = keyValue(m_lines[static_cast<std::size_t>(line)])->second;
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    return CString(v);
}

void IniFile::setValue(std::string_view section, std::string_view key, const char* value)
{
    int header = findSection(section);
    if (header < 0) {
        if (!value)
            return;
        if (!m_lines.empty() && !trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + CString(trim(section)) + "]");
        header = static_cast<int>(m_lines.size()) - 1;
    }
    const int line = findKey(header, key);
    if (!value) {
        if (line >= 0)
            m_lines.erase(m_lines.begin() + line);
        return;
    }
    const CString text = CString(trim(key)) + "=" + value;
    if (line >= 0) {
        m_lines[static_cast<std::size_t>(line)] = text;
        return;
    }
    // After the section's last non-blank line.
    int at = sectionEnd(header);
    while (at > header + 1 && trim(m_lines[static_cast<std::size_t>(at - 1)]).empty())
        --at;
    m_lines.insert(m_lines.begin() + at, text);
}

CString IniFile::text() const
{
    CString out;
    for (const auto& line : m_lines)
        out += line + m_eol;
    return out;
}

bool IniFile::update(const CString& path, const std::function<void(IniFile&)>& change)
{
    return AtomicFile::Update(ResolvePathNoCase(path.c_str()), kMaxFileSize, [&](const std::string* old) {
        IniFile file(old ? std::string_view(*old) : std::string_view());
        change(file);
        return std::optional<std::string>(file.text());
    });
}

} // namespace ini
