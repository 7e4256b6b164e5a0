#include "airfoil/ZopScanProgress.h"

ZopScanProgress::~ZopScanProgress() = default;
