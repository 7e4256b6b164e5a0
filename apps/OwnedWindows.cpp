// SPDX-License-Identifier: MIT
#include "OwnedWindows.h"

#include <QWidget>

bool CloseOwnedWindows(QWidget* owner)
{
    for (QWidget* window : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (window->isWindow() && window->isVisible() && (!CloseOwnedWindows(window) || !window->close()))
            return false;
    return true;
}
