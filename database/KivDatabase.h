// SPDX-License-Identifier: MIT
// A forgiving layer over the database: one connection per object for
// Execute, recordsets opened with a connection string (and the pooled
// connection of that string), values read and written as text, rows walked
// into lists and controls, dates and times formatted.
// Database errors are absorbed (CheckError) and show as 0, null or an empty
// text; only the row walkers (GetRecordCount, GetRecordArray, ShowRecord)
// let an error raised while moving through the rows reach the caller as a
// KivDbError. Connection strings: see the README ("Database connections").
#pragma once

#include "database/AdoRecordset.h"
#include "platform/base/COleDateTime.h"
#include "platform/base/CStringArray.h"

#include <ctime>
#include <memory>

class CComboBox;
class CListBox;

namespace kivado {
struct AdoConnection;
}

class KIVADO_EXPORT KivDatabase {
public:
    KivDatabase();
    KivDatabase(const KivDatabase& other);
    KivDatabase& operator=(const KivDatabase& other);
    virtual ~KivDatabase();

    // 0 for an empty string, an unknown form, or a connection that cannot
    // be made (a refused login, a missing server) within the time-out.
    int Open(const char* connect, const char* user, const char* password);
    // Lets the connection go (the pool keeps it for the next user); 0 when
    // there is none.
    int Close();
    // 0 without a connection or when the database rejects the statement.
    int Execute(const char* sql);
    // A read-only recordset without rows is closed and gives null; one
    // opened for editing comes back also without rows, to add to.
    static _RecordsetPtr CreateRecord(const char* source, const char* connect, int readOnly);

    CString GetDate(COleDateTime* time);
    CString GetMonth(COleDateTime* time);
    // mode 1: before/after-noon marker and a 12-hour clock; else 24 hours.
    CString GetTime(COleDateTime* time, int mode);
    CString GetDateTime(COleDateTime* time, int mode);

    static CString GetConnectOdbc(
        const char* driver, const char* server, const char* database, const char* uid, const char* pwd);
    static CString GetConnectSQLServer(const char* server, const char* database, const char* uid, const char* pwd);
    static CString GetConnectJet(const char* source, const char* password);

    // 1 for a success code (not negative), else raises the error for hr.
    static int TESTHR(long hr);
    // The one handler of database errors: remembers the text for
    // GetLastError and shows nothing.
    static void CheckError(KivDbError& error, int flag);
    // The description of the last error absorbed on this thread.
    static CString GetLastError();

    static long GetRecordCount(_RecordsetPtr rs);
    static CString GetValue(_RecordsetPtr rs, const char* field);
    static CString GetValue(_RecordsetPtr rs, long index);
    // Assign the current row's field; Update on the recordset writes it.
    static void SetValue(_RecordsetPtr rs, const char* field, const char* value);
    static void SetValue(_RecordsetPtr rs, const char* field, long value);
    static void SetValue(_RecordsetPtr rs, long index, const char* value);
    // Writes the current row back: 1, or 0 when the database refused it.
    static int Update(_RecordsetPtr rs);
    // The field as local time; the current time for NULL or any error.
    static std::time_t GetTime(_RecordsetPtr rs, const char* field);
    // clear == 1 empties array first.
    static int GetRecordArray(_RecordsetPtr rs, const char* field, CStringArray* array, int clear);
    static void ShowRecord(CComboBox* combo, _RecordsetPtr rs, const char* field);
    static void ShowRecord(CListBox* list, _RecordsetPtr rs, const char* field);

    // Closes the pooled connections of this thread (a program's end, a
    // test's end); recordsets still open on them stop working.
    static void ClosePool();

protected:
    std::shared_ptr<kivado::AdoConnection> m_connection;
};
