// SPDX-License-Identifier: MIT
#include "database/KivAppData.h"
#include "database/SqlDialect_p.h"

#include <charconv>

using kivado::SqlDialect;

namespace {

bool names(std::initializer_list<const char*> list)
{
    for (const char* n : list)
        if (!SqlDialect::checkName(n))
            return false;
    return true;
}

// Leading digits, with an optional sign; 0 when there are none.
long leadingNumber(const CString& text)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    long value = 0;
    const char* end = text.c_str() + text.size();
    const char* start = *p == '+' ? p + 1 : p;
    std::from_chars(start, end, value);
    return value;
}

} // namespace

KivAppData::KivAppData() = default;
KivAppData::KivAppData(const KivAppData& other) = default;
KivAppData& KivAppData::operator=(const KivAppData& other) = default;
KivAppData::~KivAppData() = default;

void KivAppData::SetConnectStr(const char* connect)
{
    m_connectStr = connect ? connect : "";
}

void KivAppData::SetDatabase(const char* database)
{
    m_database = database ? database : "";
}

void KivAppData::SetSort(const char* field, int desc)
{
    m_sortField = field ? field : "";
    m_sortDesc = desc;
}

void KivAppData::SetSort(const char* field)
{
    const CString f = field ? field : "";
    if (CompareNoCase(f.c_str(), m_sortField.c_str()) == 0)
        m_sortDesc = m_sortDesc ? 0 : 1;
    else
        m_sortField = f;
}

int KivAppData::Open()
{
    return KivDatabase::Open(m_connectStr.c_str(), nullptr, nullptr);
}

_RecordsetPtr KivAppData::CreateRecord(const char* sql, int readOnly)
{
    return KivDatabase::CreateRecord(sql, m_connectStr.c_str(), readOnly);
}

_RecordsetPtr KivAppData::CreateTableRecord(const char* table, int readOnly)
{
    if (!names({table}))
        return nullptr;
    return CreateRecord(StringFormat("SELECT * FROM %s", table).c_str(), readOnly);
}

int KivAppData::IsExist(const char* table, const char* field, const char* value)
{
    if (!names({table, field}))
        return 0;
    const CString sql
        = StringFormat("SELECT %s FROM %s WHERE %s=%s", field, table, field, SqlDialect::literal(value).c_str());
    const _RecordsetPtr rs = CreateRecord(sql.c_str(), 1);
    if (!rs)
        return 0;
    rs->Close();
    return 1;
}

int KivAppData::IsExist(
    const char* table, const char* field, const char* value, const char* andField, const char* andValue)
{
    if (!andField || !*andField)
        return IsExist(table, field, value);
    if (!names({table, field, andField}))
        return 0;
    const CString sql = StringFormat("SELECT %s FROM %s WHERE %s=%s AND %s=%s", field, table, field,
        SqlDialect::literal(value).c_str(), andField, SqlDialect::literal(andValue).c_str());
    const _RecordsetPtr rs = CreateRecord(sql.c_str(), 1);
    if (!rs)
        return 0;
    rs->Close();
    return 1;
}

long KivAppData::GetNextCode(const char* table, const char* field)
{
    if (!names({table, field}))
        return 1;
    const CString sql
        = StringFormat("SELECT MAX(%s) + 1 AS next_code FROM %s", SqlDialect::castInteger(field).c_str(), table);
    const _RecordsetPtr rs = CreateRecord(sql.c_str(), 1);
    if (!rs)
        return 1;
    const long code = leadingNumber(KivDatabase::GetValue(rs, "next_code"));
    rs->Close();
    return code;
}

CString KivAppData::GetTableValue(const char* table, const char* field)
{
    if (!names({table, field}))
        return {};
    const _RecordsetPtr rs = CreateRecord(StringFormat("SELECT %s FROM %s", field, table).c_str(), 1);
    if (!rs)
        return {};
    const CString value = KivDatabase::GetValue(rs, field);
    rs->Close();
    return value;
}

int KivAppData::ExecuteOnce(const CString& sql)
{
    if (!Open())
        return 0;
    const int result = Execute(sql.c_str());
    Close();
    return result;
}

CString KivAppData::Now()
{
    COleDateTime now = COleDateTime::GetCurrentTime();
    return GetDateTime(&now, 0);
}
