// SPDX-License-Identifier: MIT
// The file layer's logging category, "vandrel.platform.io": files refused
// or not written, with the system's reason (QT_LOGGING_RULES turns it on).
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcIo)
