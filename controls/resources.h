// SPDX-License-Identifier: MIT
// The resources of KivCtrl (the default dialog icon, 1000; the report list's
// sort arrows, 2016 up and 2017 down).
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/widgets/Resources.h"

KIVCTRL_EXPORT HINSTANCE KivCtrlResources();
