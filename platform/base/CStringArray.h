// SPDX-License-Identifier: MIT
// An indexed array of strings with the framework's calls (GetSize, GetAt,
// Add, RemoveAll). GetAt gives an empty string for an index outside the
// array rather than reading outside it.
#pragma once

#include "platform/base/CString.h"

#include <vector>

class KIVPLATFORM_EXPORT CStringArray {
public:
    CStringArray() = default;
    CStringArray(const CStringArray&) = default;
    CStringArray& operator=(const CStringArray&) = default;
    virtual ~CStringArray();

    int GetSize() const { return static_cast<int>(m_items.size()); }
    const CString& GetAt(int index) const;
    // The index of the new element.
    int Add(const CString& text);
    void RemoveAll() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

protected:
    std::vector<CString> m_items;
};
