// SPDX-License-Identifier: MIT
#include "database/KivTemplateData.h"
#include "database/SqlDialect_p.h"

using kivado::SqlDialect;

KivTemplateData::KivTemplateData() = default;
KivTemplateData::KivTemplateData(const KivTemplateData& other) = default;
KivTemplateData& KivTemplateData::operator=(const KivTemplateData& other) = default;
KivTemplateData::~KivTemplateData() = default;

_RecordsetPtr KivTemplateData::GetTemplateRec(const char* fileName)
{
    CString sql = "SELECT * FROM KIV_TEMPLATES";
    if (fileName && *fileName)
        sql += " WHERE FILE_NAME=" + SqlDialect::literal(fileName);
    sql += " ORDER BY FILE_NAME";
    return CreateRecord(sql.c_str(), 1);
}

int KivTemplateData::GetTemplateDesc(const char* fileName, char* desc)
{
    if (desc)
        desc[0] = '\0';
    const _RecordsetPtr rs = GetTemplateRec(fileName);
    if (!rs)
        return 0;
    if (desc)
        CopyBounded(desc, kDescSize, GetValue(rs, "FILE_DESC").c_str());
    rs->Close();
    return 1;
}

int KivTemplateData::AppendTemplate(const char* fileName, const char* desc)
{
    return ExecuteOnce(StringFormat("INSERT INTO KIV_TEMPLATES VALUES(%s, %s)", SqlDialect::literal(fileName).c_str(),
        SqlDialect::literal(desc).c_str()));
}

int KivTemplateData::DeleteTemplate(const char* fileName)
{
    return ExecuteOnce(
        StringFormat("DELETE FROM KIV_TEMPLATES WHERE FILE_NAME=%s", SqlDialect::literal(fileName).c_str()));
}
