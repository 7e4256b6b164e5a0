// SPDX-License-Identifier: MIT
// One recordset: the rows of a statement, walked forward from the first,
// read as text and, when opened for editing, written back row by row
// (SetText + Update) or added (AddNew + Update). It is opened with a
// connection string and uses the pooled connection of that string.
// Like the original's recordset object its operations raise a KivDbError;
// the helpers of KivDatabase absorb it. Recordsets travel as _RecordsetPtr,
// a counted reference released when its last holder lets go.
#pragma once

#include "database/KivDbError.h"

#include <memory>

class KIVADO_EXPORT AdoRecordset {
public:
    AdoRecordset();
    ~AdoRecordset();
    AdoRecordset(const AdoRecordset&) = delete;
    AdoRecordset& operator=(const AdoRecordset&) = delete;

    // Runs source through connect's connection and stands on the first row.
    void Open(const char* source, const char* connect, int readOnly);
    void Close();
    bool IsOpen() const;

    // MoveFirst reads the rows again from the start when the walk has gone on.
    void MoveFirst();
    void MoveNext();
    // True past the last row (and on a recordset without rows).
    bool IsEOF() const;

    // Columns of the result, also when it has no rows.
    int GetFieldCount() const;
    CString GetFieldName(int index) const;
    // The column's type code (200 text, 3 integer, 7 date ...) and declared size.
    int GetFieldType(int index);
    int GetFieldSize(int index);
    // The index of a column by name, ignoring case; -1 when there is none.
    int FindField(const char* name) const;

    // Values of the current row; raise when there is none.
    bool IsNull(int index) const;
    CString GetText(int index) const;
    void SetText(int index, const char* value);
    void SetLong(int index, long value);

    // Starts a new row that Update inserts.
    void AddNew();
    // Writes the changed values of the current row (or the new row) to the
    // table the statement reads from.
    void Update();

    // The number of rows: the engine's count when it has one, else a walk;
    // the recordset stands on its first row afterwards.
    long CountRecords();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

using _RecordsetPtr = std::shared_ptr<AdoRecordset>;
