// SPDX-License-Identifier: MIT
#include "controls/KivColumnList.h"

#include "platform/base/CString.h"
#include "platform/base/CStringArray.h"

KivColumnList::KivColumnList()
{
}

KivColumnList::~KivColumnList()
{
    for (int i = 0; i < m_list.getCount(); ++i)
        delete static_cast<KivColumnInfo*>(m_list.getAt(i));
    m_list.removeAll();
}

// Two lists sharing their records would each free them: a copy copies them.
KivColumnList::KivColumnList(const KivColumnList& other)
{
    copyFrom(other);
}

KivColumnList& KivColumnList::operator=(const KivColumnList& other)
{
    if (this != &other) {
        for (int i = 0; i < m_list.getCount(); ++i)
            delete static_cast<KivColumnInfo*>(m_list.getAt(i));
        m_list.removeAll();
        copyFrom(other);
    }
    return *this;
}

void KivColumnList::copyFrom(const KivColumnList& other)
{
    for (int i = 0; i < other.m_list.getCount(); ++i)
        m_list.addTail(new KivColumnInfo(*static_cast<const KivColumnInfo*>(other.m_list.getAt(i))));
}

void KivColumnList::add(const char* name, int align, float width)
{
    auto* info = new KivColumnInfo;
    CopyBounded(info->name, sizeof info->name, name ? name : "");
    info->align = align;
    info->width = width;
    m_list.addTail(info);
}

void KivColumnList::add(const CStringArray* names, int align, float width)
{
    if (!names)
        return;
    for (int i = 0; i < names->GetSize(); ++i)
        add(names->GetAt(i).c_str(), align, width);
}

KivColumnInfo* KivColumnList::getAt(int index) const
{
    return static_cast<KivColumnInfo*>(m_list.getAt(index));
}
