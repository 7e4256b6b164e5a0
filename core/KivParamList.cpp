// SPDX-License-Identifier: MIT
#include "core/KivParamList.h"

#include <cstring>

KivParamData::KivParamData()
{
    name[0] = '\0';
    value[0] = '\0';
}

KivParamData::KivParamData(const char* n, const char* v)
{
    CopyBounded(name, sizeof name, n);
    CopyBounded(value, sizeof value, v);
}

KivParamList::KivParamList()
{
    setElementDeleter(&deleteElement<KivParamData>);
}

KivParamList::~KivParamList()
{
    removeData();
}

void KivParamList::addParam(const char* name, const char* value)
{
    if (!name || !value)
        return;
    if (std::strlen(name) >= KivParamData::kTextSize || std::strlen(value) >= KivParamData::kTextSize)
        return;
    addTail(new KivParamData(name, value));
}

KivParamData* KivParamList::getAt(int index) const
{
    return static_cast<KivParamData*>(KivObjList::getAt(index));
}

const char* KivParamList::getParam(int index) const
{
    const KivParamData* record = getAt(index);
    return record ? record->name : nullptr;
}

const char* KivParamList::getValue(int index) const
{
    const KivParamData* record = getAt(index);
    return record ? record->value : nullptr;
}

const KivParamData* KivParamList::findByName(const char* name) const
{
    if (!name)
        return nullptr;
    for (const KivObjLink* link = getHead(); link; link = link->next) {
        const auto* record = static_cast<const KivParamData*>(link->data);
        if (record && std::strcmp(record->name, name) == 0)
            return record;
    }
    return nullptr;
}

int KivParamList::isExist(const char* name) const
{
    return findByName(name) ? 1 : 0;
}

int KivParamList::getValue(const char* name, char* value) const
{
    if (!value)
        return 0;
    value[0] = '\0';
    const KivParamData* record = findByName(name);
    if (!record)
        return 0;
    CopyBounded(value, KivParamData::kTextSize, record->value);
    return 1;
}

int KivParamList::getParamStr(int index, char* text) const
{
    const KivParamData* record = getAt(index);
    if (!text || !record)
        return 0;
    FormatBounded(text, 2 * KivParamData::kTextSize, "%s=%s", record->name, record->value);
    return 1;
}

CString KivParamList::getParamStr(const KivParamData* record) const
{
    if (!record)
        return {};
    return StringFormat("%s=\"%s\"", record->name, record->value);
}

CString KivParamList::getParamStr() const
{
    CString text;
    for (const KivObjLink* link = getHead(); link; link = link->next) {
        if (!text.empty())
            text += ' ';
        text += getParamStr(static_cast<const KivParamData*>(link->data));
    }
    return text;
}
