// SPDX-License-Identifier: MIT
// The database error the recordset walkers let through to their callers,
// as the original let its COM error through: a source and a description.
// Every other public operation absorbs it (KivDatabase::CheckError).
#pragma once

#include "database/KivAdo_export.h"
#include "platform/base/CString.h"

#include <stdexcept>

class KIVADO_EXPORT KivDbError : public std::runtime_error {
public:
    KivDbError(const CString& source, const CString& description);
    ~KivDbError() override;

    const CString& Source() const { return m_source; }
    const CString& Description() const { return m_description; }

private:
    CString m_source;
    CString m_description;
};
