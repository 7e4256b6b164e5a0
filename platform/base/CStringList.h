// SPDX-License-Identifier: MIT
// A list of strings that a host fills (AddTail) for the calls that take one.
#pragma once

#include "platform/base/CString.h"

#include <list>

class KIVPLATFORM_EXPORT CStringList {
public:
    void AddTail(const CString& text) { m_items.push_back(text); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::list<CString> m_items;
};
