// SPDX-License-Identifier: MIT
#include "airfoil/ZopScanProgress.h"

ZopScanProgress::~ZopScanProgress() = default;
