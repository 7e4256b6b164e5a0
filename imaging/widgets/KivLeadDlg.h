// SPDX-License-Identifier: MIT
// The toolkit's value dialogs: each asks the values of one edit command,
// starting from what the outputs hold. KIVLEAD_SUCCESS (1) on OK, with the
// outputs written; KIVLEAD_ERROR_USER_ABORT on Cancel, outputs untouched.
// None previews anything.
#pragma once

#include "imaging/KivLead_export.h"
#include "platform/base/Win32Types.h"

#include <cstddef>
#include <string>
#include <vector>

class QWidget;

KIVLEAD_EXPORT int KivLeadDlgGetValue(
    QWidget* owner, const char* title, const char* label, int minimum, int maximum, int* value);
KIVLEAD_EXPORT int KivLeadDlgGetValues(QWidget* owner, const char* title, const char* label1, int min1, int max1,
    int* value1, const char* label2, int min2, int max2, int* value2);
// One of the KivLeadSpatialFilter kernels.
KIVLEAD_EXPORT int KivLeadDlgSpatialFilter(QWidget* owner, int* filter);
// Bits 1, 4, 8, 24 or 32, and dithering 0 or 1.
KIVLEAD_EXPORT int KivLeadDlgColorResolution(QWidget* owner, int* bits, int* dither);
KIVLEAD_EXPORT int KivLeadDlgWindowLevel(QWidget* owner, int* low, int* high);
KIVLEAD_EXPORT int KivLeadDlgGamma(QWidget* owner, int* gamma); // × 100
KIVLEAD_EXPORT int KivLeadDlgIntensity(QWidget* owner, int* low, int* high);
// Angle in hundredths of a degree, the resize (rotate) or horizontal
// (shear) flag, and the fill colour.
KIVLEAD_EXPORT int KivLeadDlgRotate(QWidget* owner, int shear, int* angle, int* flag, COLORREF* fill);
KIVLEAD_EXPORT int KivLeadDlgSize(QWidget* owner, int* width, int* height);
KIVLEAD_EXPORT int KivLeadDlgColor(QWidget* owner, COLORREF* colour);
// One of choices; *index in: the one chosen first, out on OK.
KIVLEAD_EXPORT int KivLeadDlgChoose(
    QWidget* owner, const char* title, const char* label, const std::vector<std::string>& choices, int* index);
// The file to open (file holds size bytes, the starting name in, the path
// out) and, for a file of several pages, which page: a second step shows
// the page's picture when preview is 1. A path that does not fit is
// refused with KIVLEAD_ERROR_INVALID_ARGUMENT.
KIVLEAD_EXPORT int KivLeadDlgOpenFile(
    QWidget* owner, const char* title, char* file, std::size_t size, int* page, int preview);
