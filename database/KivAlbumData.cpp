// SPDX-License-Identifier: MIT
#include "database/KivAlbumData.h"
#include "database/SqlDialect_p.h"

using kivado::SqlDialect;

KivAlbumData::KivAlbumData() = default;
KivAlbumData::KivAlbumData(const KivAlbumData& other) = default;
KivAlbumData& KivAlbumData::operator=(const KivAlbumData& other) = default;
KivAlbumData::~KivAlbumData() = default;

int KivAlbumData::CreateTables(const char* leadingColumns, const char* findColumn)
{
    if (!SqlDialect::checkName(findColumn) || !leadingColumns || !*leadingColumns)
        return 0;
    const CString statements[] = {
        StringFormat("CREATE TABLE IF NOT EXISTS KIV_DATA (%s)", leadingColumns),
        "CREATE TABLE IF NOT EXISTS KIV_HELP (FIELD_NAME VARCHAR(63), FIELD_TITLE VARCHAR(255), FIELD_DESC TEXT)",
        "CREATE TABLE IF NOT EXISTS KIV_GROUPS (GROUP_NAME VARCHAR(255), GROUP_PATH VARCHAR(255), "
        "CREATE_DATE VARCHAR(19), ACCESS_DATE VARCHAR(19))",
        "CREATE TABLE IF NOT EXISTS KIV_TEMPLATES (FILE_NAME VARCHAR(255), FILE_DESC TEXT)",
        StringFormat("CREATE TABLE IF NOT EXISTS KIV_FINDS (%s VARCHAR(255))", findColumn),
        "CREATE TABLE IF NOT EXISTS aa_code_division (code VARCHAR(20), code_name VARCHAR(255), c_div VARCHAR(20))",
    };
    if (!KivAppData::Open())
        return 0;
    int result = 1;
    for (const CString& sql : statements)
        result = result && Execute(sql.c_str());
    Close();
    return result;
}

int KivAlbumData::GetFieldList(const char* table, KivFieldList* list)
{
    if (!list)
        return 0;
    // Opened for editing: a table without rows still shows its columns.
    const _RecordsetPtr rs = CreateTableRecord(table, 0);
    if (!rs)
        return 0;
    int result = 1;
    try {
        for (int i = 0; i < rs->GetFieldCount(); ++i) {
            KivFieldInfo info;
            info.name = rs->GetFieldName(i);
            info.title = info.name;
            info.type = rs->GetFieldType(i);
            info.size = rs->GetFieldSize(i);
            list->addField(&info);
        }
        rs->Close();
    } catch (KivDbError& error) {
        CheckError(error, 0);
        result = 0;
    }
    return result;
}

int KivAlbumData::LoadTableData(KivFieldList* list)
{
    return GetFieldList("KIV_DATA", list);
}

int KivAlbumData::LoadTableHelp(KivFieldList* list)
{
    if (!list)
        return 0;
    const _RecordsetPtr rs = CreateTableRecord("KIV_HELP", 1);
    if (!rs)
        return 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
        const int index = list->findName(GetValue(rs, "FIELD_NAME").c_str());
        if (KivFieldInfo* info = list->getAt(index)) {
            info->title = GetValue(rs, "FIELD_TITLE");
            info->desc = GetValue(rs, "FIELD_DESC");
        }
    }
    rs->Close();
    return 1;
}

int KivAlbumData::LoadTableFieldValue(KivFieldList* list)
{
    if (!list)
        return 0;
    for (int i = 0; i < list->getCount(); ++i) {
        KivFieldInfo* info = list->getAt(i);
        const _RecordsetPtr rs = CreateTableRecord(info->name.c_str(), 1);
        if (!rs)
            continue;
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
            info->values.Add(GetValue(rs, "FIELD_VALUE"));
        rs->Close();
    }
    return 1;
}

int KivAlbumData::Load(KivFieldList* list)
{
    if (!list)
        return 0;
    LoadTableData(list);
    LoadTableHelp(list);
    LoadTableFieldValue(list);
    return 1;
}

int KivAlbumData::AppendField(const char* name, const char* type, int size)
{
    if (!name || !*name || !SqlDialect::checkName(name))
        return 0;
    const CString column = SqlDialect::columnType(type, size);
    if (column.empty()) {
        KivDbError error("KivAdo", CString("'") + (type ? type : "") + "' is no column type");
        CheckError(error, 0);
        return 0;
    }
    return ExecuteOnce(StringFormat("ALTER TABLE KIV_DATA ADD COLUMN %s %s", name, column.c_str()));
}

int KivAlbumData::AppendField(const KivFieldInfo* info)
{
    return info ? AppendField(info->name.c_str(), "TEXT", info->size) : 0;
}

int KivAlbumData::DeleteField(const char* name)
{
    if (!name || !*name || !SqlDialect::checkName(name))
        return 0;
    return ExecuteOnce(StringFormat("ALTER TABLE KIV_DATA DROP COLUMN %s", name));
}

void KivAlbumData::UpdateFieldList(const KivFieldList* wanted, int first)
{
    if (!wanted)
        return;
    KivFieldList current;
    KivAppData::Open();
    Load(&current);
    Close();
    for (int i = first < 0 ? 0 : first; i < current.getCount(); ++i)
        if (wanted->findName(current.getAt(i)->name.c_str()) < 0)
            DeleteField(current.getAt(i)->name.c_str());
    for (int i = first < 0 ? 0 : first; i < wanted->getCount(); ++i)
        if (current.findName(wanted->getAt(i)->name.c_str()) < 0)
            AppendField(wanted->getAt(i));
    current.removeData();
}

void KivAlbumData::UpdateFieldList(const CStringArray* names, int first)
{
    if (!names || names->GetSize() == 0)
        return;
    KivFieldList current;
    KivAppData::Open();
    Load(&current);
    Close();
    for (int i = first < 0 ? 0 : first; i < current.getCount(); ++i) {
        bool kept = false;
        for (const CString& n : *names)
            kept = kept || CompareNoCase(n.c_str(), current.getAt(i)->name.c_str()) == 0;
        if (!kept)
            DeleteField(current.getAt(i)->name.c_str());
    }
    for (const CString& n : *names)
        if (current.findName(n.c_str()) < 0)
            AppendField(n.c_str(), "TEXT", 50);
    current.removeData();
}
