#include "database/KivFieldList.h"
#include "database/SqlDialect_p.h"

#include "controls/CKivListCtrl.h"
#include "controls/KivColumnList.h"
#include "platform/CListBox.h"
#include "platform/CListCtrl.h"

#include <new>

using kivado::SqlDialect;

namespace {

// Relative header widths become pixels at this many per unit.
constexpr float kPixelsPerWidthUnit = 16.0f;

const char* operatorText(int op)
{
    switch (op) {
    case 1: return " != ";
    case 2: return " < ";
    case 3: return " > ";
    case 4: return " <= ";
    case 5: return " >= ";
    default: return " = ";
    }
}

const char* operatorSymbol(int op)
{
    static const char* const symbols[] = {"=", "!=", "<", ">", "<=", ">="};
    return op >= 0 && op <= 5 ? symbols[op] : "=";
}

// "IS NULL" stands where the original compared with "= NULL", which no row
// ever satisfies; "!=" asks for the opposite.
CString nullTest(int op)
{
    return op == 1 ? " IS NOT NULL" : " IS NULL";
}

void applyHeader(CListCtrl* list, KivColumnList& columns)
{
    CKivListCtrl::SetHeader(list, &columns, 1);
}

} // namespace

KivFieldList::KivFieldList()
{
    setElementDeleter(&KivObjList::deleteElement<KivFieldInfo>);
}

KivFieldList::~KivFieldList() = default;

KivFieldInfo* KivFieldList::getAt(int index) const
{
    return static_cast<KivFieldInfo*>(KivObjList::getAt(index));
}

int KivFieldList::findName(const char* name) const
{
    if (!name)
        return -1;
    for (int i = 0; i < getCount(); ++i)
        if (CompareNoCase(getAt(i)->name.c_str(), name) == 0)
            return i;
    return -1;
}

void KivFieldList::addField(const KivFieldInfo* info)
{
    if (!info)
        return;
    try {
        addTail(new KivFieldInfo(*info));
    } catch (const std::bad_alloc&) {
    }
}

void KivFieldList::removeData()
{
    KivObjList::removeData();
}

void KivFieldList::clone(const KivFieldList* other)
{
    if (other == this)
        return;
    removeData();
    if (!other)
        return;
    for (int i = 0; i < other->getCount(); ++i)
        addField(other->getAt(i));
}

CString KivFieldList::getDesc(int index) const
{
    const KivFieldInfo* info = getAt(index);
    return info ? info->desc : CString();
}

CString KivFieldList::getFindExpr(CString base, int useTitle) const
{
    CString expr;
    for (int i = 0; i < getCount(); ++i) {
        const KivFieldInfo* f = getAt(i);
        CString part;
        if (!expr.empty())
            part = f->orFlag == 1 ? " OR " : " AND ";
        const CString ref = useTitle == 1 ? f->title : MakeUpper(f->name);
        if (useTitle != 1 && !SqlDialect::isName(ref.c_str())) {
            expr += part + "(1 = 0)";
            continue;
        }
        if (f->notFlag)
            part += "NOT ";
        part += "(" + ref;
        const bool text = f->type == 200;
        const bool hasValue = !f->value.empty();
        if (f->type == 11) {
            // a yes/no column is its own condition
        } else if (text) {
            part += hasValue ? " LIKE " + SqlDialect::literal(f->value.c_str()) : " IS NULL OR " + ref + " = ''";
        } else if (!hasValue) {
            part += nullTest(f->op);
        } else if (isNumber(f->type) && SqlDialect::isNumber(f->value.c_str())) {
            part += operatorText(f->op) + f->value;
        } else {
            // Dates, and numbers or other types given as text: a literal that
            // both engines convert to the column's type.
            part += operatorText(f->op) + SqlDialect::literal(f->value.c_str());
        }
        expr += part + ")";
    }
    return addFindExpr(base, expr, 0);
}

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

int KivFieldList::isNumber(int type)
{
    switch (type) {
    case 2:
    case 4:
    case 5:
    case 6:
    case 16:
    case 20: return 1;
    default: return 0;
    }
}

CString KivFieldList::getType(int type)
{
    switch (type) {
    case 2:
    case 4:
    case 5:
    case 16:
    case 20:
    case 72: return "숫자";
    case 6: return "통화";
    case 7: return "날짜/시간";
    case 11: return "예/아니오";
    case 200: return "문자열";
    case 8192: return "OLE 개체";
    default: return {};
    }
}

int KivFieldList::getType(const char* name)
{
    const CString n = name ? name : "";
    if (n == "정수")
        return 2;
    if (n == "실수")
        return 4;
    if (n == "날짜/시간")
        return 7;
    return 200;
}

CString KivFieldList::addFindExpr(CString first, CString second, int useOr)
{
    if (!first.empty() && !second.empty())
        return StringFormat(useOr ? "(%s) OR (%s)" : "(%s) AND (%s)", first.c_str(), second.c_str());
    return first.empty() ? second : first;
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
