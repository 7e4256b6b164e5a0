// SPDX-License-Identifier: MIT
#include "imaging/app/KivLeadAppContext.h"

KivLeadAppContext::~KivLeadAppContext() = default;
