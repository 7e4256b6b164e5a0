// SPDX-License-Identifier: MIT
// A holder of one recordset, made but not opened; copies share it.
#pragma once

#include "database/AdoRecordset.h"

class KIVADO_EXPORT KivRecordset {
public:
    KivRecordset();
    ~KivRecordset();
    KivRecordset(const KivRecordset&) = default;
    KivRecordset& operator=(const KivRecordset&) = default;

    _RecordsetPtr m_recordset;
};
