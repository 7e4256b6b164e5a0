// SPDX-License-Identifier: MIT
// The application's handle on its own database: a connection string, a
// database name kept for the application, a sort setting, and the table
// operations the album, group and template classes and the data-bound
// controls are built from. Table and column names given by callers must be
// plain identifiers (letters, digits, '_'; not beginning with a digit) and
// are refused otherwise; values enter statements as quoted literals.
// Modifying operations open the connection, run one statement, close it,
// and give 1 only when the database accepted the statement.
#pragma once

#include "database/KivDatabase.h"

class KIVADO_EXPORT KivAppData : public KivDatabase {
public:
    KivAppData();
    KivAppData(const KivAppData& other);
    KivAppData& operator=(const KivAppData& other);
    ~KivAppData() override;

    void SetConnectStr(const char* connect);
    const char* GetConnectStr() const { return m_connectStr.c_str(); }
    void SetDatabase(const char* database);
    const char* GetDatabase() const { return m_database.c_str(); }
    void SetSort(const char* field, int desc);
    // The same column again turns the direction round; another column keeps it.
    void SetSort(const char* field);

    int Open();
    _RecordsetPtr CreateRecord(const char* sql, int readOnly);
    _RecordsetPtr CreateTableRecord(const char* table, int readOnly);
    int IsExist(const char* table, const char* field, const char* value);
    int IsExist(const char* table, const char* field, const char* value, const char* andField, const char* andValue);
    // One more than the largest code (stored as text) of field; 0 for an
    // empty table, 1 when the query fails.
    long GetNextCode(const char* table, const char* field);
    void ShowRecord(CComboBox* combo, const char* table, const char* field);
    CString GetTableValue(const char* table, const char* field);

protected:
    // Open, one statement, Close: 1 when it ran, 0 when the connection could
    // not be made or the database rejected the statement.
    int ExecuteOnce(const CString& sql);
    // Current local date and time as the tables store it.
    CString Now();

    CString m_connectStr;
    CString m_database;
    CString m_sortField;
    int m_sortDesc = 0;
};
