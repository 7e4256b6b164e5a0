// The resources of KivCtrl (the default dialog icon, 1000).
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/Resources.h"

KIVCTRL_EXPORT HINSTANCE KivCtrlResources();
