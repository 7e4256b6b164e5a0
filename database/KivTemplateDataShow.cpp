// SPDX-License-Identifier: MIT
#include "database/KivDatabase.h"
#include "database/KivTemplateData.h"

#include "platform/widgets/CComboBox.h"

// Filling a combo box, apart from KivTemplateData.cpp so that the data layer
// needs no widget library.

void KivTemplateData::ShowTemplateList(CComboBox* combo)
{
    if (!combo)
        return;
    const _RecordsetPtr rs = GetTemplateRec(nullptr);
    if (!rs)
        return;
    KivDatabase::ShowRecord(combo, rs, "FILE_NAME");
    rs->Close();
}
