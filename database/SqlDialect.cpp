// SPDX-License-Identifier: MIT
#include "database/KivDatabase.h"
#include "database/SqlDialect_p.h"

#include <QString>

#include <cctype>
#include <cstring>

namespace kivado {

namespace {

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

bool SqlDialect::isName(const char* name)
{
    if (!name || !*name || std::strlen(name) > kMaxNameLength)
        return false;
    const QString text = QString::fromUtf8(name);
    // Bytes that are no UTF-8 come back as U+FFFD, which is no letter.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool ascii = c.unicode() < 0x80;
        if (ascii) {
            const char a = static_cast<char>(c.unicode());
            const bool ok = std::isalpha(static_cast<unsigned char>(a)) || a == '_'
                || (i > 0 && std::isdigit(static_cast<unsigned char>(a)));
            if (!ok)
                return false;
        } else if (c.isHighSurrogate() && i + 1 < text.size()) {
            if (!QChar::isLetter(QChar::surrogateToUcs4(c, text.at(i + 1))))
                return false;
            ++i;
        } else if (!c.isLetter())
            return false;
    }
    return true;
}

bool SqlDialect::checkName(const char* name)
{
    if (isName(name))
        return true;
    KivDbError error("KivAdo",
        std::string("'") + (name ? name : "")
            + "' is no plain name (letters, digits and _, not beginning with a digit)");
    KivDatabase::CheckError(error, 0);
    return false;
}

std::string SqlDialect::literal(const char* value)
{
    std::string out = "'";
    for (const char* p = value ? value : ""; *p; ++p) {
        if (*p == '\'')
            out += '\'';
        out += *p;
    }
    out += '\'';
    return out;
}

std::string SqlDialect::castInteger(const std::string& expression)
{
    return "CAST(" + expression + " AS INTEGER)";
}

std::string SqlDialect::columnType(const char* type, int size)
{
    if (!isName(type))
        return {};
    const std::string name = upper(type);
    if (name == "TEXT" || name == "VARCHAR" || name == "CHAR")
        return size > 0 && size <= kMaxTextSize ? "VARCHAR(" + std::to_string(size) + ")" : "TEXT";
    return name;
}

bool SqlDialect::isNumber(const char* text)
{
    if (!text)
        return false;
    const char* p = text;
    if (*p == '+' || *p == '-')
        ++p;
    int digits = 0;
    while (std::isdigit(static_cast<unsigned char>(*p)))
        ++p, ++digits;
    if (*p == '.') {
        ++p;
        while (std::isdigit(static_cast<unsigned char>(*p)))
            ++p, ++digits;
    }
    if (digits == 0)
        return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return false;
        while (std::isdigit(static_cast<unsigned char>(*p)))
            ++p;
    }
    return *p == '\0';
}

const char* SqlDialect::rowId(Engine engine)
{
    return engine == Engine::SQLite ? "rowid" : "ctid";
}

std::string SqlDialect::columnsQuery(Engine engine)
{
    if (engine == Engine::SQLite)
        return "SELECT name, type, NULL FROM pragma_table_info(:t) ORDER BY cid";
    // Unquoted names are folded to lower case by PostgreSQL, as the tables
    // were created.
    return "SELECT column_name, data_type, character_maximum_length FROM information_schema.columns"
           " WHERE table_schema = current_schema() AND table_name = lower(:t) ORDER BY ordinal_position";
}

int SqlDialect::typeCode(const std::string& declared)
{
    const std::string t = upper(declared);
    const auto has = [&t](const char* part) { return t.find(part) != std::string::npos; };
    if (t == "SMALLINT" || t == "INT2")
        return 2;
    if (t == "BIGINT" || t == "INT8")
        return 20;
    if (has("INT") && !has("INTERVAL"))
        return 3;
    if (t == "REAL" || t == "FLOAT4")
        return 4;
    if (has("DOUBLE") || has("FLOAT") || has("NUMERIC") || has("DECIMAL"))
        return 5;
    if (has("MONEY") || has("CURRENCY"))
        return 6;
    if (has("DATE") || has("TIME"))
        return 7;
    if (has("BOOL") || t == "BIT")
        return 11;
    if (has("BLOB") || has("BYTEA"))
        return 205;
    return 200;
}

int SqlDialect::declaredSize(const std::string& declared)
{
    const auto open = declared.find('(');
    if (open == std::string::npos)
        return 0;
    int size = 0;
    for (std::size_t i = open + 1; i < declared.size() && std::isdigit(static_cast<unsigned char>(declared[i])); ++i) {
        size = size * 10 + (declared[i] - '0');
        if (size > kMaxTextSize)
            return 0;
    }
    return size;
}

} // namespace kivado
