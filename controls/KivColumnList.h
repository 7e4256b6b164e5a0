// SPDX-License-Identifier: MIT
// The columns of a report list, in order. The list owns its records; a copy
// gets records of its own.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/KivColumnInfo.h"
#include "core/KivObjList.h"

class CStringArray;

class KIVCTRL_EXPORT KivColumnList {
public:
    KivColumnList();
    virtual ~KivColumnList();
    KivColumnList(const KivColumnList& other);
    KivColumnList& operator=(const KivColumnList& other);

    // A null name is an empty heading; a longer one is cut at 255 characters.
    void add(const char* name, int align, float width);
    // One column per string, all with the same alignment and width.
    void add(const CStringArray* names, int align, float width);
    // The record, null for an index out of range.
    virtual KivColumnInfo* getAt(int index) const;
    int getCount() const { return m_list.getCount(); }

private:
    void copyFrom(const KivColumnList& other);

    KivObjList m_list;
};
