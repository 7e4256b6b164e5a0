// SPDX-License-Identifier: MIT
// Any bytes as a connection string, and as a name or value that enters a
// statement: the parser and the dialect's checks in memory.
#include "database/ConnectString_p.h"
#include "database/SqlDialect_p.h"

#include <cstdint>
#include <string>

using kivado::ConnectTarget;
using kivado::SqlDialect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ConnectTarget t = kivado::parseConnectString(text);
    // Either a target or a reason, never both or neither.
    if ((t.engine == ConnectTarget::Engine::None) == t.error.empty())
        __builtin_trap();
    if (t.port < 0 || t.port > 65535)
        __builtin_trap();
    if (t.engine == ConnectTarget::Engine::SQLite && t.database.empty())
        __builtin_trap();

    const std::string cstr = text.substr(0, text.find('\0'));
    const std::string quoted = SqlDialect::literal(cstr.c_str());
    // Inside the literal every quote is doubled: the value cannot end it early.
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i)
        if (quoted[i] == '\'' && quoted[++i] != '\'')
            __builtin_trap();
    if (SqlDialect::isName(cstr.c_str()))
        for (char c : cstr)
            if (c == '\'' || c == '"' || c == ';' || c == ' ' || c == '(' || c == ')' || c == '-' || c == ',')
                __builtin_trap();
    const std::string column = SqlDialect::columnType(cstr.c_str(), static_cast<int>(size));
    if (!column.empty() && column.find_first_of("';\" ") != std::string::npos)
        __builtin_trap();
    SqlDialect::isNumber(cstr.c_str());
    SqlDialect::typeCode(cstr);
    if (SqlDialect::declaredSize(cstr) < 0)
        __builtin_trap();
    return 0;
}
