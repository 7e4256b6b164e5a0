// SPDX-License-Identifier: MIT
// One column of the album's data table and one search condition on it.
#pragma once

#include "platform/base/CStringArray.h"

struct KivFieldInfo {
    CString name; // column name in the database
    CString title; // shown to the user
    CString desc;
    int type = 0; // type code: 200 text, 2/4/5/16/20 numbers, 6 currency, 7 date/time, 11 yes/no
    int size = 0;
    CStringArray values; // values known for the column
    int notFlag = 0; // non-zero: the condition is negated
    int op = 0; // 0 =, 1 !=, 2 <, 3 >, 4 <=, 5 >=; any other acts as =
    CString value; // empty: "no value"
    int orFlag = 0; // 1: joins the previous condition with OR, else AND
};
