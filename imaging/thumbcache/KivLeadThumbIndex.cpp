// SPDX-License-Identifier: MIT
#include "imaging/thumbcache/KivLeadThumbIndex.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

KivLeadThumbIndex::KivLeadThumbIndex() = default;
KivLeadThumbIndex::~KivLeadThumbIndex() = default;

std::size_t KivLeadThumbIndex::FoldedHash::operator()(std::string_view s) const
{
    // FNV-1a over the folded bytes.
    std::size_t h = 14695981039346656037ull;
    for (char c : s)
        h = (h ^ static_cast<unsigned char>(lower(c))) * 1099511628211ull;
    return h;
}

bool KivLeadThumbIndex::FoldedEqual::operator()(std::string_view a, std::string_view b) const
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string KivLeadThumbIndex::fold(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = lower(c);
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
        const void* at = std::memchr(text.data() + taken, '\n', text.size() - taken);
        if (!at)
            break;
        const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
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

    Slot slot;
    slot.text = std::make_unique<char[]>(withEnd);
    std::memcpy(slot.text.get(), line.data(), withEnd);
    const std::string_view copy(slot.text.get(), withEnd);
    slot.entry.source = copy.substr(0, first);
    slot.entry.date = days;
    slot.entry.name = copy.substr(second + 1, name.size());
    slot.entry.line = copy;
    slot.entry.order = m_lines;
    // A newer line for the source replaces the older, key and all: the key
    // is a view into the slot's own text.
    if (const auto old = m_map.find(slot.entry.source); old != m_map.end()) {
        forget(old->second.entry.name);
        m_liveBytes -= old->second.entry.line.size();
        m_map.erase(old);
    }
    ++m_names[valueOf(slot.entry.name)];
    m_liveBytes += withEnd;
    const std::string_view key = slot.entry.source;
    m_map.emplace(key, std::move(slot));
}

std::uint64_t KivLeadThumbIndex::valueOf(std::string_view name)
{
    std::uint64_t value = 0;
    std::from_chars(name.data(), name.data() + name.size(), value, 16);
    return value;
}

void KivLeadThumbIndex::forget(std::string_view name)
{
    const std::uint64_t value = valueOf(name);
    m_retired.insert(value);
    const auto it = m_names.find(value);
    if (it != m_names.end() && --it->second == 0)
        m_names.erase(it);
}

const KivLeadThumbEntry* KivLeadThumbIndex::find(std::string_view source) const
{
    const auto it = m_map.find(source);
    return it == m_map.end() ? nullptr : &it->second.entry;
}

int KivLeadThumbIndex::references(std::string_view name) const
{
    if (!isThumbName(name))
        return 0;
    const auto it = m_names.find(valueOf(name));
    return it == m_names.end() ? 0 : it->second;
}

bool KivLeadThumbIndex::retired(std::string_view name) const
{
    return isThumbName(name) && m_retired.count(valueOf(name)) > 0;
}

void KivLeadThumbIndex::clear()
{
    m_names.clear();
    m_map.clear();
    m_lines = 0;
    m_liveBytes = 0;
}

bool KivLeadThumbIndex::wantsCompaction() const
{
    return m_lines >= 16 && (m_lines - m_map.size()) * 2 > m_lines;
}

std::vector<const KivLeadThumbEntry*> KivLeadThumbIndex::entries() const
{
    std::vector<const KivLeadThumbEntry*> live;
    live.reserve(m_map.size());
    for (const auto& [key, slot] : m_map)
        live.push_back(&slot.entry);
    std::sort(live.begin(), live.end(), [](auto* a, auto* b) { return a->order < b->order; });
    return live;
}

std::string KivLeadThumbIndex::compacted() const
{
    std::string text;
    text.reserve(m_liveBytes);
    for (const KivLeadThumbEntry* entry : entries())
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
