// SPDX-License-Identifier: MIT
#include "database/KivRecordset.h"

#include <new>

KivRecordset::KivRecordset()
{
    try {
        m_recordset = std::make_shared<AdoRecordset>();
    } catch (const std::bad_alloc&) {
        m_recordset = nullptr;
    }
}

KivRecordset::~KivRecordset() = default;
