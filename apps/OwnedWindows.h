// SPDX-License-Identifier: MIT
// Closing a window that owns others (the studio and the image browser own
// the image windows they opened): the owned windows close first, deepest
// first, each asking about its changes as it would alone. Without this a
// closing owner would take them down unasked.
#pragma once

class QWidget;

// Whether every visible window owned by owner closed; the first that stays
// stops the rest.
bool CloseOwnedWindows(QWidget* owner);
