// SPDX-License-Identifier: MIT
// The cell windows of one page of a thumbnail browser, in row-major order.
// The browser owns the cells through this list: clearIcon destroys and
// deletes them; destroying the list releases only its links.
#pragma once

#include "core/KivCtrl_export.h"

#include "core/KivObjList.h"

class CKivThumbCtrl;

class KIVCTRL_EXPORT KivIconList : public KivObjList {
public:
    KivIconList();
    ~KivIconList();

    CKivThumbCtrl* getAt(int index) const { return static_cast<CKivThumbCtrl*>(KivObjList::getAt(index)); }
    void clearIcon();
    // Cell i goes to column i % cols, row i / cols of a grid of width ×
    // height cells; nothing happens when cols < 1.
    void rearrange(int cols, int width, int height);
    void redrawAll();
};
