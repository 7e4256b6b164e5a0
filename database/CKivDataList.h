// SPDX-License-Identifier: MIT
// A report list that shows the rows of a query in columns chosen by the
// caller: each entry of the column list names a field (its value) shown in
// that column.
#pragma once

#include "controls/CKivListCtrl.h"
#include "core/KivParamList.h"
#include "database/KivAppData.h"

class KIVADO_EXPORT CKivDataList : public CKivListCtrl {
public:
    explicit CKivDataList(QWidget* parent = nullptr);
    ~CKivDataList() override;

    // Appends one row per record of the read-only query sql; 0 for a null
    // argument or a query without rows.
    static int ShowRecord(CListCtrl* list, KivAppData* data, KivParamList* columns, const char* sql);
    // The same on this list and m_appData, then sorted again by the current
    // sort column.
    int ShowRecord(KivParamList* columns, const char* sql);

    KivAppData* m_appData = nullptr; // not owned
};
