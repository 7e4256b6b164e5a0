#include "imaging/KivLeadThumbIndex.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

std::string KivLeadThumbIndex::fold(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool KivLeadThumbIndex::isThumbName(std::string_view name)
{
    // Also what keeps a forged line from naming a file outside the folder.
    return name.size() == 16 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

std::size_t KivLeadThumbIndex::parse(std::string_view text)
{
    std::size_t taken = 0;
    while (taken < text.size()) {
        const std::size_t end = text.find('\n', taken);
        if (end == std::string_view::npos)
            break;
        addLine(text.substr(taken, end - taken), end + 1 - taken);
        taken = end + 1;
    }
    return taken;
}

void KivLeadThumbIndex::addLine(std::string_view line, std::size_t withEnd)
{
    ++m_lines;
    if (line.size() > kMaxLine)
        return;
    // The name and the date are the last two fields, so a path may hold "|".
    const std::size_t second = line.rfind('|');
    if (second == std::string_view::npos || second == 0)
        return;
    const std::size_t first = line.rfind('|', second - 1);
    if (first == std::string_view::npos || first == 0)
        return;
    std::string_view name = line.substr(second + 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r'))
        name.remove_suffix(1);
    if (!isThumbName(name))
        return;
    // from_chars, unlike strtod, reads a point whatever the locale says.
    const std::string_view date = line.substr(first + 1, second - first - 1);
    double days = 0.0;
    const auto [stop, error] = std::from_chars(date.data(), date.data() + date.size(), days);
    if (error != std::errc() || stop != date.data() + date.size() || !std::isfinite(days))
        return;
    KivLeadThumbEntry entry;
    entry.source.assign(line.substr(0, first));
    entry.date = days;
    entry.name.assign(name);
    entry.line.assign(line.data(), withEnd);
    entry.order = m_lines;
    m_map.insert_or_assign(fold(entry.source), std::move(entry));
}

const KivLeadThumbEntry* KivLeadThumbIndex::find(std::string_view source) const
{
    const auto it = m_map.find(fold(source));
    return it == m_map.end() ? nullptr : &it->second;
}

void KivLeadThumbIndex::clear()
{
    m_map.clear();
    m_lines = 0;
}

bool KivLeadThumbIndex::wantsCompaction() const
{
    return m_lines >= 16 && (m_lines - m_map.size()) * 2 > m_lines;
}

std::string KivLeadThumbIndex::compacted() const
{
    std::vector<const KivLeadThumbEntry*> live;
    live.reserve(m_map.size());
    for (const auto& [key, entry] : m_map)
        live.push_back(&entry);
    std::sort(live.begin(), live.end(), [](auto* a, auto* b) { return a->order < b->order; });
    std::string text;
    for (const KivLeadThumbEntry* entry : live)
        text += entry->line;
    return text;
}

bool KivLeadThumbIndex::formatLine(std::string_view source, double date, std::string_view name, std::string& line)
{
    if (source.find_first_of("\r\n") != std::string_view::npos || !isThumbName(name) || !std::isfinite(date))
        return false;
    // "%lf" as the C locale prints it: six decimals and a point.
    char number[64];
    const auto [end, error] = std::to_chars(number, number + sizeof number, date, std::chars_format::fixed, 6);
    if (error != std::errc())
        return false;
    line.assign(source);
    line += '|';
    line.append(number, end);
    line += '|';
    line += name;
    if (line.size() > kMaxLine)
        return false;
    line += '\n';
    return true;
}
