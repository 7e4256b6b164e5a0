// SPDX-License-Identifier: MIT
#include "database/KivDatabase.h"
#include "database/KivGroupData.h"

#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"

// Filling controls with the group names, apart from KivGroupData.cpp so that
// the data layer needs no widget library.

namespace {

template <class Control> void fill(KivGroupData& data, Control* box)
{
    if (!box)
        return;
    box->ResetContent();
    const _RecordsetPtr rs = data.GetGroupRec(nullptr, nullptr);
    if (!rs)
        return;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        box->AddString(KivDatabase::GetValue(rs, "GROUP_NAME").c_str());
    rs->Close();
}

} // namespace

void KivGroupData::ShowGroupRecord(CListBox* box)
{
    fill(*this, box);
}

void KivGroupData::ShowGroupRecord(CComboBox* box)
{
    fill(*this, box);
}
