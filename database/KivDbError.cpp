// SPDX-License-Identifier: MIT
#include "database/KivDbError.h"

KivDbError::KivDbError(const CString& source, const CString& description)
    : std::runtime_error(source.empty() ? description : source + ": " + description), m_source(source),
      m_description(description)
{
}

KivDbError::~KivDbError() = default;
