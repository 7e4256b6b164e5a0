// SPDX-License-Identifier: MIT
// The one place that knows how SQLite and PostgreSQL differ and how caller
// texts enter a statement: values as quoted literals (quotes doubled), names
// only when they are plain identifiers. Every statement of the library is
// written once, in the shape both engines run.
#pragma once

#include "database/KivAdo_export.h"

#include <string>

namespace kivado {

enum class Engine { SQLite, PostgreSQL };

// Exported for the data controls, which build their statements with it.
struct KIVADO_EXPORT SqlDialect {
    // Longest table or column name, in bytes (PostgreSQL's limit).
    static constexpr std::size_t kMaxNameLength = 63;
    // Longest text column created by AppendField.
    static constexpr int kMaxTextSize = 10485760;

    // [A-Za-z_][A-Za-z0-9_]* where letters may also be non-ASCII letters in
    // UTF-8; nothing that could end the name or begin another token.
    static bool isName(const char* name);
    // isName, and a refused name recorded as the last error.
    static bool checkName(const char* name);
    // 'value' with every quote doubled; a null value is ''.
    static std::string literal(const char* value);
    // The integer conversion of an expression (CONVERT(int, x) elsewhere).
    static std::string castInteger(const std::string& expression);
    // The column type of a new field: TEXT/CHAR/VARCHAR(size) become
    // VARCHAR(size) (TEXT when size is not positive), a plain type name
    // passes as it is; empty when type is no type name.
    static std::string columnType(const char* type, int size);
    // A number as SQL writes it: digits with an optional sign, point and
    // exponent.
    static bool isNumber(const char* text);

    // The hidden column that names one row of a table.
    static const char* rowId(Engine engine);
    // The catalog query giving name, declared type and size (or NULL) of the
    // columns of a table, in column order; the table is bound as :t.
    static std::string columnsQuery(Engine engine);
    // The type code (the original's data type numbers) of a declared type.
    static int typeCode(const std::string& declared);
    // The size in a declared type such as VARCHAR(50); 0 when none.
    static int declaredSize(const std::string& declared);
};

} // namespace kivado
