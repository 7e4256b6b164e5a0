// SPDX-License-Identifier: MIT
// A combo box that fills itself from a query through a KivAppData: each
// item carries a whole-number code (ShowRecord, AddCode) or a name/value
// record owned by the combo box (ShowRecordPtr). Its main use is the code
// tables of aa_code_division. The where and extra texts are SQL conditions
// of the application, appended as given; values it passes itself
// (ShowCodeTable's division) are quoted.
#pragma once

#include "core/KivParamList.h"
#include "database/KivAppData.h"
#include "platform/widgets/CComboBox.h"

class KIVADO_EXPORT CKivDataCombo : public CComboBox {
public:
    explicit CKivDataCombo(QWidget* parent = nullptr);
    ~CKivDataCombo() override;

    void AddCode(const char* text, unsigned long data);
    // The index of the first item with data, selected; -1 when none.
    int SetCurData(unsigned long data);
    // The selected item's code; 0 when nothing is selected.
    unsigned long GetCurData() const;
    // Selects the first item whose record's value equals value; -1 when none.
    int SetCurDataPtr(const char* value);
    // The selected item's record value; null when nothing or no record is selected.
    const char* GetCurDataPtr() const;

    // Appends the rows of "SELECT * FROM table" + where; selects the item
    // whose text equals select ignoring case, else item 0. 0 without a
    // database handle or when the query yields no rows.
    int ShowRecord(
        const char* table, const char* textField, const char* dataField, const char* where, const char* select);
    // The same with a record (text, value of valueField) per item; releases
    // the records of an earlier call, so empty the combo box first.
    int ShowRecordPtr(
        const char* table, const char* textField, const char* valueField, const char* where, const char* select);
    int ShowCodeTable(const char* division, const char* select, const char* extra);

    KivAppData* m_appData = nullptr; // not owned
    KivParamList m_records;

private:
    int fill(const char* table, const char* textField, const char* dataField, const char* where, const char* select,
        bool records);
};
