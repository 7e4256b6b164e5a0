// SPDX-License-Identifier: MIT
// Named parameters: a name and a value of at most 255 characters each, and the
// list that owns them. Names are not unique; lookups take the first match.
#pragma once

#include "core/KivCore_export.h"

#include "core/KivObjList.h"
#include "platform/base/CString.h"

struct KIVCORE_EXPORT KivParamData {
    static constexpr int kTextSize = 256; // 255 characters and the NUL

    KivParamData();
    // Longer texts are cut at 255 characters.
    KivParamData(const char* name, const char* value);

    char name[kTextSize];
    char value[kTextSize];
};

class KIVCORE_EXPORT KivParamList : public KivObjList {
public:
    KivParamList();
    // The records are the list's: a holder calls removeData before letting it
    // go, but a list that still holds records frees them itself.
    ~KivParamList();

    // Ignores null pointers and texts of 256 characters or more.
    void addParam(const char* name, const char* value);

    KivParamData* getAt(int index) const;
    const char* getParam(int index) const;
    const char* getValue(int index) const;
    int isExist(const char* name) const;
    // value must hold 256 characters; it is emptied first.
    int getValue(const char* name, char* value) const;
    // text must hold 512 characters; "%s=%s".
    int getParamStr(int index, char* text) const;
    // "%s=\"%s\"" of one record, and of all records joined by a blank.
    CString getParamStr(const KivParamData* record) const;
    CString getParamStr() const;

private:
    const KivParamData* findByName(const char* name) const;
};
