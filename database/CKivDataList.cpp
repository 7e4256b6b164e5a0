// SPDX-License-Identifier: MIT
#include "database/CKivDataList.h"

CKivDataList::CKivDataList(QWidget* parent) : CKivListCtrl(parent)
{
}

CKivDataList::~CKivDataList() = default;

int CKivDataList::ShowRecord(CListCtrl* list, KivAppData* data, KivParamList* columns, const char* sql)
{
    if (!list || !data || !columns || !sql)
        return 0;
    const _RecordsetPtr rs = data->CreateRecord(sql, 1);
    if (!rs)
        return 0;
    const int base = list->GetItemCount();
    int added = 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
        if (columns->getCount() == 0)
            break;
        int row = -1;
        for (int j = 0; j < columns->getCount(); ++j) {
            const CString text = KivDatabase::GetValue(rs, columns->getValue(j));
            if (j == 0)
                row = list->InsertItem(base + added, text.c_str());
            else
                list->SetItemText(row, j, text.c_str());
        }
        ++added;
    }
    return 1;
}

int CKivDataList::ShowRecord(KivParamList* columns, const char* sql)
{
    const int result = ShowRecord(this, m_appData, columns, sql);
    if (GetSortColumn() >= 0)
        Sort(GetSortColumn(), GetSortType(), 0);
    return result;
}
