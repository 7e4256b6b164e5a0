// SPDX-License-Identifier: MIT
#include "database/KivFieldList.h"

#include "controls/CKivListCtrl.h"
#include "controls/KivColumnList.h"
#include "platform/widgets/CListBox.h"
#include "platform/widgets/CListCtrl.h"

// Showing fields and conditions in list controls, apart from KivFieldList.cpp
// so that building queries needs no widget library.

namespace {

// Relative header widths become pixels at this many per unit.
constexpr float kPixelsPerWidthUnit = 16.0f;

const char* operatorSymbol(int op)
{
    static const char* const symbols[] = {"=", "!=", "<", ">", "<=", ">="};
    return op >= 0 && op <= 5 ? symbols[op] : "=";
}

void applyHeader(CListCtrl* list, KivColumnList& columns)
{
    CKivListCtrl::SetHeader(list, &columns, 1);
}

} // namespace

void KivFieldList::showFieldList(CListBox* box) const
{
    if (!box)
        return;
    box->ResetContent();
    for (int i = 0; i < getCount(); ++i)
        box->AddString(getAt(i)->name.c_str());
}

void KivFieldList::showFieldList(CListCtrl* list) const
{
    if (!list)
        return;
    list->DeleteAllItems();
    for (int i = 0; i < getCount(); ++i) {
        const KivFieldInfo* f = getAt(i);
        const int row = list->InsertItem(i, f->name.c_str());
        list->SetItemText(row, 1, f->title.c_str());
        list->SetItemText(row, 2, getType(f->type).c_str());
        list->SetItemText(row, 3, StringFormat("%-ld", static_cast<long>(f->size)).c_str());
        list->SetItemText(row, 4, f->desc.c_str());
    }
}

void KivFieldList::showFieldLabel(CListCtrl* list) const
{
    KivColumnList columns;
    for (int i = 0; i < getCount(); ++i) {
        const KivFieldInfo* f = getAt(i);
        columns.add(f->title.c_str(), isNumber(f->type) ? 'R' : 'L', 6 * kPixelsPerWidthUnit);
    }
    applyHeader(list, columns);
}

void KivFieldList::showFindList(CListCtrl* list) const
{
    if (!list)
        return;
    list->DeleteAllItems();
    for (int i = 0; i < getCount(); ++i) {
        const KivFieldInfo* f = getAt(i);
        const int row = list->InsertItem(i, i == 0 ? "" : (f->orFlag == 1 ? "OR" : "AND"));
        list->SetItemText(row, 1, f->notFlag ? "NOT" : "");
        list->SetItemText(row, 2, f->title.c_str());
        list->SetItemText(row, 3, operatorSymbol(f->op));
        list->SetItemText(row, 4, f->value.c_str());
    }
}

void KivFieldList::showListLabel(CListCtrl* list)
{
    KivColumnList columns;
    columns.add("Name", 'C', 4 * kPixelsPerWidthUnit);
    columns.add("Title", 'C', 4 * kPixelsPerWidthUnit);
    columns.add("Type", 'C', 4 * kPixelsPerWidthUnit);
    columns.add("Size", 'N', 2 * kPixelsPerWidthUnit);
    columns.add("Description", 'C', 8 * kPixelsPerWidthUnit);
    applyHeader(list, columns);
}

void KivFieldList::showFindLabel(CListCtrl* list)
{
    KivColumnList columns;
    columns.add("AND,OR", 'C', 4 * kPixelsPerWidthUnit);
    columns.add("NOT", 'C', 3 * kPixelsPerWidthUnit);
    columns.add("필드", 'C', 5 * kPixelsPerWidthUnit);
    columns.add("조건", 'C', 3 * kPixelsPerWidthUnit);
    columns.add("값", 'C', 6 * kPixelsPerWidthUnit);
    applyHeader(list, columns);
}
