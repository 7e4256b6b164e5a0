// SPDX-License-Identifier: MIT
#include "database/KivDatabase.h"

#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"

// Filling controls from a recordset, apart from KivDatabase.cpp so that a
// program without a screen uses the database without the widget library.

void KivDatabase::ShowRecord(CComboBox* combo, _RecordsetPtr rs, const char* field)
{
    if (!combo)
        return;
    combo->ResetContent();
    if (!rs)
        return;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        combo->AddString(GetValue(rs, field).c_str());
}

void KivDatabase::ShowRecord(CListBox* list, _RecordsetPtr rs, const char* field)
{
    if (!list)
        return;
    list->ResetContent();
    if (!rs)
        return;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        list->AddString(GetValue(rs, field).c_str());
}
