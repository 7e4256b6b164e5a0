// SPDX-License-Identifier: MIT
#include "database/KivFieldList.h"
#include "database/SqlDialect_p.h"

#include <new>

using kivado::SqlDialect;

namespace {

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

// "IS NULL" stands where the original compared with "= NULL", which no row
// ever satisfies; "!=" asks for the opposite.
CString nullTest(int op)
{
    return op == 1 ? " IS NOT NULL" : " IS NULL";
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
