// SPDX-License-Identifier: MIT
#include "controls/KivIconList.h"

#include "controls/CKivThumbCtrl.h"

KivIconList::KivIconList() = default;

KivIconList::~KivIconList() = default;

void KivIconList::clearIcon()
{
    const int n = getCount();
    for (int i = 0; i < n; ++i) {
        CKivThumbCtrl* cell = getAt(i);
        cell->DestroyWindow();
        delete cell;
    }
    removeAll();
}

void KivIconList::rearrange(int cols, int width, int height)
{
    if (cols <= 0)
        return;
    const int n = getCount();
    for (int i = 0; i < n; ++i)
        getAt(i)->MoveWindow((i % cols) * width, (i / cols) * height, width, height, TRUE);
}

void KivIconList::redrawAll()
{
    const int n = getCount();
    for (int i = 0; i < n; ++i)
        getAt(i)->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
