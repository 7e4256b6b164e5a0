// SPDX-License-Identifier: MIT
#include "database/ConnectString_p.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kivado {

namespace {

using Engine = ConnectTarget::Engine;

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool startsWithNoCase(const std::string& s, const char* prefix)
{
    const std::string p(prefix);
    return s.size() >= p.size() && lower(s.substr(0, p.size())) == p;
}

bool containsNoCase(const std::string& s, const char* part)
{
    return lower(s).find(part) != std::string::npos;
}

bool hasControl(const std::string& s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

ConnectTarget failure(std::string why)
{
    ConnectTarget t;
    t.error = std::move(why);
    return t;
}

std::optional<int> parsePort(const std::string& s)
{
    if (s.empty() || s.size() > 5 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int port = std::stoi(s);
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<std::string> percentDecode(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size())
            return std::nullopt;
        const int hi = hexDigit(s[i + 1]);
        const int lo = hexDigit(s[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const char c = static_cast<char>(hi * 16 + lo);
        if (c == '\0')
            return std::nullopt;
        out += c;
        i += 2;
    }
    return out;
}

bool isOptionKey(const std::string& key)
{
    return !key.empty() && key.size() <= 64
        && std::all_of(key.begin(), key.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '_'; });
}

bool setKey(ConnectTarget& t, const std::string& key, const std::string& value);

// One key of the libpq or URL forms into target; false with target.error set
// and the target naming nothing.
bool setServerKey(ConnectTarget& t, const std::string& key, const std::string& value)
{
    if (setKey(t, key, value))
        return true;
    t.engine = Engine::None;
    return false;
}

bool setKey(ConnectTarget& t, const std::string& key, const std::string& value)
{
    if (hasControl(value)) {
        t.error = "the value of " + key + " holds a control character";
        return false;
    }
    if (key == "host" || key == "hostaddr") {
        if (value.find(',') != std::string::npos) {
            t.error = "only one host may be named";
            return false;
        }
        t.host = value;
    } else if (key == "port") {
        const auto port = parsePort(value);
        if (!port) {
            t.error = "the port must be a number from 1 to 65535";
            return false;
        }
        t.port = *port;
    } else if (key == "dbname")
        t.database = value;
    else if (key == "user")
        t.user = value;
    else if (key == "password")
        t.password = value;
    else if (isOptionKey(key))
        t.options.emplace_back(key, value);
    else {
        t.error = "'" + key + "' is not a connection setting";
        return false;
    }
    return true;
}

ConnectTarget parseSqlitePath(const std::string& path, bool mustExist)
{
    if (path.empty())
        return failure("the SQLite form names no file");
    if (hasControl(path))
        return failure("the SQLite file name holds a control character");
    ConnectTarget t;
    t.engine = Engine::SQLite;
    t.database = path;
    t.mustExist = mustExist && path != ":memory:";
    return t;
}

// postgresql://[user[:password]@][host][:port][/dbname][?key=value&...]
ConnectTarget parseUrl(const std::string& text, std::size_t schemeLength)
{
    ConnectTarget t;
    t.engine = Engine::PostgreSQL;
    std::string rest = text.substr(schemeLength);
    std::string query;
    if (const auto q = rest.find('?'); q != std::string::npos) {
        query = rest.substr(q + 1);
        rest.erase(q);
    }
    std::string path;
    if (const auto slash = rest.find('/'); slash != std::string::npos) {
        path = rest.substr(slash + 1);
        rest.erase(slash);
    }
    std::string authority = rest;
    if (const auto at = authority.rfind('@'); at != std::string::npos) {
        const std::string userInfo = authority.substr(0, at);
        authority.erase(0, at + 1);
        const auto colon = userInfo.find(':');
        const auto user = percentDecode(userInfo.substr(0, colon));
        const auto password
            = colon == std::string::npos ? std::optional<std::string>("") : percentDecode(userInfo.substr(colon + 1));
        if (!user || !password)
            return failure("the user or password of the address is badly escaped");
        t.user = *user;
        t.password = *password;
    }
    std::string host = authority;
    std::string port;
    if (!host.empty() && host.front() == '[') {
        const auto close = host.find(']');
        if (close == std::string::npos)
            return failure("an IPv6 address lacks its closing bracket");
        port = host.substr(close + 1);
        host = host.substr(1, close - 1);
        if (!port.empty()) {
            if (port.front() != ':')
                return failure("unexpected text after the IPv6 address");
            port.erase(0, 1);
        }
    } else if (const auto colon = host.rfind(':'); colon != std::string::npos) {
        port = host.substr(colon + 1);
        host.erase(colon);
    }
    const auto decodedHost = percentDecode(host);
    const auto database = percentDecode(path);
    if (!decodedHost || !database)
        return failure("the host or database of the address is badly escaped");
    if (!setServerKey(t, "host", *decodedHost) || !setServerKey(t, "dbname", *database)
        || (!port.empty() && !setServerKey(t, "port", port)))
        return t;
    std::size_t start = 0;
    while (start < query.size()) {
        auto end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        const std::string pair = query.substr(start, end - start);
        start = end + 1;
        if (pair.empty())
            continue;
        const auto eq = pair.find('=');
        if (eq == std::string::npos)
            return failure("the setting '" + pair + "' has no value");
        const auto key = percentDecode(pair.substr(0, eq));
        const auto value = percentDecode(pair.substr(eq + 1));
        if (!key || !value)
            return failure("a setting of the address is badly escaped");
        if (!setServerKey(t, *key, *value))
            return t;
    }
    return t;
}

// host=... port=... dbname=... with values optionally in single quotes
// (backslash escapes a quote or a backslash), as libpq reads them.
ConnectTarget parseKeyValues(const std::string& text)
{
    ConnectTarget t;
    t.engine = Engine::PostgreSQL;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
    };
    while (true) {
        skipBlanks();
        if (i >= text.size())
            break;
        const std::size_t keyStart = i;
        while (i < text.size() && text[i] != '=' && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        const std::string key = lower(text.substr(keyStart, i - keyStart));
        skipBlanks();
        if (i >= text.size() || text[i] != '=')
            return failure("the setting '" + key + "' has no value");
        ++i;
        skipBlanks();
        std::string value;
        if (i < text.size() && text[i] == '\'') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const char c = text[i++];
                if (c == '\\' && i < text.size())
                    value += text[i++];
                else if (c == '\'') {
                    closed = true;
                    break;
                } else
                    value += c;
            }
            if (!closed)
                return failure("a quoted value lacks its closing quote");
        } else {
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) {
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                value += text[i++];
            }
        }
        if (!setServerKey(t, key, value))
            return t;
    }
    return t;
}

// Driver={...};Server=...  and  Provider=...;Data Source=...: pairs split at
// semicolons, a value in braces may hold semicolons.
std::optional<std::vector<std::pair<std::string, std::string>>> splitPairs(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto eq = text.find('=', i);
        const auto semi = text.find(';', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            if (trim(text.substr(i, semi == std::string::npos ? std::string::npos : semi - i)).empty()) {
                i = semi == std::string::npos ? text.size() : semi + 1;
                continue;
            }
            return std::nullopt;
        }
        std::string key = lower(trim(text.substr(i, eq - i)));
        i = eq + 1;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        std::string value;
        if (i < text.size() && text[i] == '{') {
            const auto close = text.find('}', i + 1);
            if (close == std::string::npos)
                return std::nullopt;
            value = text.substr(i + 1, close - i - 1);
            i = close + 1;
            const auto next = text.find(';', i);
            if (!trim(text.substr(i, next == std::string::npos ? std::string::npos : next - i)).empty())
                return std::nullopt;
            i = next == std::string::npos ? text.size() : next + 1;
        } else {
            const auto next = text.find(';', i);
            value = trim(text.substr(i, next == std::string::npos ? std::string::npos : next - i));
            i = next == std::string::npos ? text.size() : next + 1;
        }
        pairs.emplace_back(std::move(key), std::move(value));
    }
    return pairs;
}

const std::string* findPair(const std::vector<std::pair<std::string, std::string>>& pairs, const char* key)
{
    for (const auto& p : pairs)
        if (p.first == key)
            return &p.second;
    return nullptr;
}

ConnectTarget parseOdbcOrJet(const std::string& text)
{
    const auto pairs = splitPairs(text);
    if (!pairs)
        return failure("the connection string is not a list of Key=Value pairs");
    if (const std::string* provider = findPair(*pairs, "provider")) {
        if (!containsNoCase(*provider, "jet") && !containsNoCase(*provider, "ace")
            && !containsNoCase(*provider, "sqlite"))
            return failure("the provider '" + *provider + "' is not one this library reaches");
        const std::string* source = findPair(*pairs, "data source");
        if (!source)
            return failure("the Jet form names no Data Source");
        return parseSqlitePath(*source, true);
    }
    const std::string* driver = findPair(*pairs, "driver");
    if (!driver)
        return failure("the connection string names neither a Driver nor a Provider");
    const std::string* database = findPair(*pairs, "database");
    if (containsNoCase(*driver, "sqlite"))
        return parseSqlitePath(database ? *database : std::string(), true);
    if (!containsNoCase(*driver, "postgres"))
        return failure("the ODBC driver '" + *driver + "' is neither PostgreSQL nor SQLite");
    ConnectTarget t;
    t.engine = Engine::PostgreSQL;
    const std::pair<const char*, const char*> keys[] = {{"server", "host"}, {"servername", "host"}, {"port", "port"},
        {"database", "dbname"}, {"uid", "user"}, {"user", "user"}, {"pwd", "password"}, {"password", "password"}};
    for (const auto& [odbc, libpq] : keys)
        if (const std::string* value = findPair(*pairs, odbc); value && !value->empty())
            if (!setServerKey(t, libpq, *value))
                return t;
    return t;
}

} // namespace

ConnectTarget parseConnectString(const std::string& raw)
{
    if (raw.size() > kMaxConnectLength)
        return failure("the connection string is longer than 4096 bytes");
    const std::string text = trim(raw);
    if (text.empty())
        return failure("the connection string is empty");
    if (startsWithNoCase(text, "sqlite:"))
        return parseSqlitePath(text.substr(7), false);
    if (startsWithNoCase(text, "postgresql://"))
        return parseUrl(text, 13);
    if (startsWithNoCase(text, "postgres://"))
        return parseUrl(text, 11);
    if (text.find(';') != std::string::npos || startsWithNoCase(text, "driver") || startsWithNoCase(text, "provider"))
        return parseOdbcOrJet(text);
    if (text.find('=') != std::string::npos)
        return parseKeyValues(text);
    return failure("not a connection string: use sqlite:FILE, postgresql://... or host=... dbname=...");
}

} // namespace kivado
