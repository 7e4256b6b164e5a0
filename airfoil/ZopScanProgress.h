// SPDX-License-Identifier: MIT
// What the folder listing of ZopAirfoil::DisplayAirfoilInfo tells while it
// reads the titles of a folder's coordinate files: a host shows it in a
// progress window, tests record it. The listing calls start once, show for
// every file listed and close once, in that order.
#pragma once

#include "airfoil/ZopLib_export.h"

class QWidget;

class ZOPLIB_EXPORT ZopScanProgress {
public:
    virtual ~ZopScanProgress();
    // owner is the window of the combo box being filled (may be null).
    virtual void start(QWidget* owner, const char* title) = 0;
    virtual void show(const char* message) = 0;
    virtual void close() = 0;
};
