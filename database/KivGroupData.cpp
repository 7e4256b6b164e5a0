// SPDX-License-Identifier: MIT
#include "database/KivGroupData.h"
#include "database/SqlDialect_p.h"

using kivado::SqlDialect;

namespace {

const char* const kSortColumns[] = {"GROUP_NAME", "GROUP_PATH", "CREATE_DATE", "ACCESS_DATE"};

constexpr std::size_t kPartLength = 255;

CString part(const CString& text)
{
    return text.substr(0, kPartLength);
}

} // namespace

KivGroupData::KivGroupData() = default;
KivGroupData::KivGroupData(const KivGroupData& other) = default;
KivGroupData& KivGroupData::operator=(const KivGroupData& other) = default;
KivGroupData::~KivGroupData() = default;

void KivGroupData::SetSortField(int code)
{
    if (code < 0 || code > 3)
        return;
    m_sortField = kSortColumns[code];
    m_sortDesc = code >= 2 ? 1 : 0;
}

int KivGroupData::GetSortField() const
{
    for (int code = 3; code >= 0; --code)
        if (CompareNoCase(m_sortField.c_str(), kSortColumns[code]) == 0)
            return code;
    return -1;
}

_RecordsetPtr KivGroupData::GetGroupRec(const char* name, const char* path)
{
    CString sql = "SELECT * FROM KIV_GROUPS";
    if (name && *name && path && *path)
        sql += StringFormat(" WHERE GROUP_NAME=%s AND GROUP_PATH=%s", SqlDialect::literal(name).c_str(),
            SqlDialect::literal(path).c_str());
    if (!m_sortField.empty()) {
        if (!SqlDialect::checkName(m_sortField.c_str()))
            return nullptr;
        sql += StringFormat(" ORDER BY %s %s", m_sortField.c_str(), m_sortDesc == 1 ? "DESC" : "ASC");
    }
    return CreateRecord(sql.c_str(), 1);
}

int KivGroupData::FindGroup(const char* name, const char* path)
{
    const _RecordsetPtr rs = GetGroupRec(nullptr, nullptr);
    if (!rs)
        return -1;
    int found = -1;
    int index = 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext(), ++index)
        if (CompareNoCase(GetValue(rs, "GROUP_NAME").c_str(), name ? name : "") == 0
            && CompareNoCase(GetValue(rs, "GROUP_PATH").c_str(), path ? path : "") == 0) {
            found = index;
            break;
        }
    rs->Close();
    return found;
}

CString KivGroupData::GetGroupPath(int index)
{
    if (index < 0)
        return {};
    const _RecordsetPtr rs = GetGroupRec(nullptr, nullptr);
    if (!rs)
        return {};
    CString result;
    int at = 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext(), ++at)
        if (at == index) {
            result = GetValue(rs, "GROUP_PATH");
            break;
        }
    rs->Close();
    return result;
}

int KivGroupData::GetGroupList(CStringArray* names)
{
    if (!names)
        return 0;
    names->RemoveAll();
    m_sortField = "GROUP_NAME";
    const _RecordsetPtr rs = GetGroupRec(nullptr, nullptr);
    m_sortField.clear();
    if (!rs)
        return 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        names->Add(GetValue(rs, "GROUP_NAME"));
    rs->Close();
    return 1;
}

int KivGroupData::AppendGroup(const char* name, const char* path)
{
    const CString now = SqlDialect::literal(Now().c_str());
    return ExecuteOnce(StringFormat("INSERT INTO KIV_GROUPS VALUES(%s, %s, %s, %s)", SqlDialect::literal(name).c_str(),
        SqlDialect::literal(path).c_str(), now.c_str(), now.c_str()));
}

int KivGroupData::DeleteGroup(const char* name, const char* path)
{
    return ExecuteOnce(StringFormat("DELETE FROM KIV_GROUPS WHERE GROUP_NAME=%s AND GROUP_PATH=%s",
        SqlDialect::literal(name).c_str(), SqlDialect::literal(path).c_str()));
}

int KivGroupData::SetAccessDate(const char* name, const char* path, int append)
{
    if (!name || !*name || !path || !*path)
        return 0;
    if (const _RecordsetPtr rs = GetGroupRec(name, path)) {
        rs->Close();
        return ExecuteOnce(StringFormat("UPDATE KIV_GROUPS SET ACCESS_DATE=%s WHERE GROUP_NAME=%s AND GROUP_PATH=%s",
            SqlDialect::literal(Now().c_str()).c_str(), SqlDialect::literal(name).c_str(),
            SqlDialect::literal(path).c_str()));
    }
    return append ? AppendGroup(name, path) : 0;
}

int KivGroupData::AddFind(const char* column, const char* text)
{
    if (!text || !*text)
        return 0;
    if (IsExist("KIV_FINDS", column, text))
        return 1;
    return ExecuteOnce(StringFormat("INSERT INTO KIV_FINDS VALUES(%s)", SqlDialect::literal(text).c_str()));
}

int KivGroupData::SplitGroupPath(const char* path, CString& name, CString& folder)
{
    const CString p = path ? path : "";
    CString drive;
    std::size_t start = 0;
    if (p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'))) {
        drive = p.substr(0, 2);
        start = 2;
    }
    const std::size_t slash = p.find_last_of("/\\");
    const std::size_t fileStart = slash == CString::npos || slash < start ? start : slash + 1;
    const CString dir = p.substr(start, fileStart - start);
    CString file = p.substr(fileStart);
    const std::size_t dot = file.rfind('.');
    if (dot != CString::npos)
        file.erase(dot);
    name = part(file);
    folder = part(drive) + part(dir) + part(file);
    return 1;
}
