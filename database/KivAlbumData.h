// SPDX-License-Identifier: MIT
// The album: the records table KIV_DATA, whose user-defined columns are
// described by a field list assembled from the table's own columns, the
// help table KIV_HELP and one value table per column.
#pragma once

#include "database/KivAppData.h"
#include "database/KivFieldList.h"

class KIVADO_EXPORT KivAlbumData : public KivAppData {
public:
    KivAlbumData();
    KivAlbumData(const KivAlbumData& other);
    KivAlbumData& operator=(const KivAlbumData& other);
    ~KivAlbumData() override;

    // Creates the application tables that are missing: KIV_DATA with the
    // leading columns given ("DATA_ID INTEGER, FILE_NAME VARCHAR(255)"),
    // KIV_HELP, KIV_GROUPS, KIV_TEMPLATES, KIV_FINDS with findColumn, and
    // aa_code_division. 1 when all exist afterwards.
    int CreateTables(const char* leadingColumns, const char* findColumn);

    // Appends one entry per column of table (name, type code, size); the
    // list is not emptied first.
    int GetFieldList(const char* table, KivFieldList* list);
    int Load(KivFieldList* list);
    // Adds a column of type (TEXT becomes VARCHAR(size)); 0 for a name that
    // is no plain identifier or a statement the database refuses.
    int AppendField(const char* name, const char* type, int size);
    int AppendField(const KivFieldInfo* info);
    int DeleteField(const char* name);
    // Drops and adds columns from position first on so that KIV_DATA has
    // the wanted ones; the columns before first are never touched.
    void UpdateFieldList(const KivFieldList* wanted, int first);
    void UpdateFieldList(const CStringArray* names, int first);

protected:
    int LoadTableData(KivFieldList* list);
    int LoadTableHelp(KivFieldList* list);
    int LoadTableFieldValue(KivFieldList* list);
};
