// SPDX-License-Identifier: MIT
// Groups: named folders recorded in KIV_GROUPS with their creation and
// last-access date-times, listed in a chosen order; and saved search texts
// in KIV_FINDS.
#pragma once

#include "database/KivAppData.h"

class CListBox;

class KIVADO_EXPORT KivGroupData : public KivAppData {
public:
    KivGroupData();
    KivGroupData(const KivGroupData& other);
    KivGroupData& operator=(const KivGroupData& other);
    ~KivGroupData() override;

    // 0 name, 1 path (ascending), 2 creation, 3 last access (descending).
    void SetSortField(int code);
    int GetSortField() const;

    // All groups (or the one with name and path), in the sort order; null
    // when nothing matches.
    _RecordsetPtr GetGroupRec(const char* name, const char* path);
    int FindGroup(const char* name, const char* path);
    CString GetGroupPath(int index);
    // Every group name by name; leaves the object unsorted.
    int GetGroupList(CStringArray* names);
    void ShowGroupRecord(CListBox* box);
    void ShowGroupRecord(CComboBox* box);
    int AppendGroup(const char* name, const char* path);
    int DeleteGroup(const char* name, const char* path);
    // Records now as the group's last access; a group not recorded yet is
    // added when append is non-zero.
    int SetAccessDate(const char* name, const char* path, int append);
    // Saves a search text once.
    int AddFind(const char* column, const char* text);

    // name: the file name without extension; folder: the path without its
    // extension. Each part holds at most 255 characters.
    static int SplitGroupPath(const char* path, CString& name, CString& folder);
};
