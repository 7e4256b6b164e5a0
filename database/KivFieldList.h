// SPDX-License-Identifier: MIT
// The user-defined columns of the album's data table and, at the same
// time, a search put together from them: each entry carries one condition.
// getFindExpr turns the conditions into an SQL condition whose values are
// quoted literals, so nothing typed into a value can change the statement.
// The list owns its entries; a holder calls removeData before letting it go.
#pragma once

#include "core/KivObjList.h"
#include "database/KivAdo_export.h"
#include "database/KivFieldInfo.h"

class CListBox;
class CListCtrl;

class KIVADO_EXPORT KivFieldList : public KivObjList {
public:
    KivFieldList();
    ~KivFieldList();

    KivFieldInfo* getAt(int index) const;
    // The first entry whose name equals name ignoring case; -1 when none.
    int findName(const char* name) const;
    // Appends a copy of info; nothing for null.
    void addField(const KivFieldInfo* info);
    void removeData();
    // Replaces the entries by copies of other's.
    void clone(const KivFieldList* other);
    CString getDesc(int index) const;

    // The conditions joined in list order, ANDed to base when both are there.
    // A condition on a name that is no plain column name matches nothing.
    CString getFindExpr(CString base, int useTitle) const;

    void showFieldList(CListBox* box) const;
    void showFieldList(CListCtrl* list) const;
    void showFieldLabel(CListCtrl* list) const;
    void showFindList(CListCtrl* list) const;

    static int isNumber(int type);
    static CString getType(int type);
    static int getType(const char* name);
    static CString addFindExpr(CString first, CString second, int useOr);
    static void showListLabel(CListCtrl* list);
    static void showFindLabel(CListCtrl* list);
};
