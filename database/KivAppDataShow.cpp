// SPDX-License-Identifier: MIT
#include "database/KivAppData.h"
#include "database/KivDatabase.h"

#include "platform/widgets/CComboBox.h"

// Filling a combo box, apart from KivAppData.cpp so that the data layer needs
// no widget library.

void KivAppData::ShowRecord(CComboBox* combo, const char* table, const char* field)
{
    if (!combo)
        return;
    const _RecordsetPtr rs = CreateTableRecord(table, 1);
    if (!rs)
        return;
    KivDatabase::ShowRecord(combo, rs, field);
    rs->Close();
}
