// SPDX-License-Identifier: MIT
// The model of every thumbnail browser: one item per file with its label,
// a free data string, date, extension, size, type and a selection flag. The
// list owns its items; its owner frees them with removeData before it goes.
#pragma once

#include "core/KivCtrl_export.h"

#include "core/KivObjList.h"

class CKivThumbCtrl;

struct KivThumbItem {
    static constexpr int kTextSize = 256;

    int selected = 0;
    char file[kTextSize] = {};
    char label[kTextSize] = {};
    char data[kTextSize] = {};
    // The last-write time as COleDateTime formats it; key 3 parses it back.
    char date[kTextSize] = {};
    char extension[kTextSize] = {};
    int size = 0;
    char type[kTextSize] = {};
};

class KIVCTRL_EXPORT KivThumbList : public KivObjList {
public:
    KivThumbList();
    // Two lists sharing links would both release them: lists are never
    // copied (KivObjList).

    KivThumbItem* getAt(int index) const { return static_cast<KivThumbItem*>(KivObjList::getAt(index)); }

    // Appends the item even when the file cannot be found.
    void addItem(const char* file, const char* label, const char* data);
    // 1, or 0 when nothing has that name (the item is then unchanged).
    static int setFileInfo(const char* file, KivThumbItem* item);

    // Single selection clears the previous selected item first; selecting
    // the item selected last again changes nothing.
    void setSelect(int index, int select);
    int getSelect() const;
    // -1 toggles every flag; any other value is stored in every flag.
    void setSelectAll(int select);
    const char* getData() const;
    int findData(const char* data) const;
    void setThumbData(int index, CKivThumbCtrl* cell) const;

    // -1, 0 or +1 by key: 0 path, 1 size, 2 type, 3 date (each then path,
    // ignoring case); negated when descending. 0 when either is null.
    static int sortItem(const KivThumbItem* a, const KivThumbItem* b, int key, int descending);
    // A stable sort of the item pointers, relinked once: O(n log n).
    void sort(int key, int descending);

    int lastSelected = -1;
    int multiSelect = 0;
};
