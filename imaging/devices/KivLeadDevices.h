// SPDX-License-Identifier: MIT
// The devices that need more than Qt Gui: printing (Qt Print Support) and
// scanning (SANE). They live in KivLead beside the controls; the rest of the
// toolkit (KivLeadToolkit.h) needs neither.
#pragma once

#include "imaging/KivLead_export.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <string>
#include <vector>

// Prints one page fitted to the printable area; with pdfFile set, to that PDF.
KIVLEAD_EXPORT int KivLeadPrint(const CLeadBitmap* bitmap, const char* pdfFile = nullptr);

// Scanning (SANE) ---------------------------------------------------------------
struct KivLeadScanDevice {
    std::string name; // what KivLeadScanAcquire takes
    std::string vendor;
    std::string model;
    std::string type;
};
// Every device the SANE backends find (an empty list is a success).
KIVLEAD_EXPORT int KivLeadScanListDevices(std::vector<KivLeadScanDevice>* devices);
// One image from device with its current settings: 8-bit grey or 24-bit
// colour (1-bit scans become grey, 16-bit samples keep their high byte).
// A frame beyond KivLeadLimits fails with KIVLEAD_ERROR_IMAGE_TOO_LARGE
// before anything is allocated; a frame of unknown length grows up to them.
KIVLEAD_EXPORT int KivLeadScanAcquire(const char* device, CLeadBitmap* bitmap);
// The same from device, or from the first device SANE finds when device is
// null or empty (KIVLEAD_ERROR_NO_SCANNER when it finds none).
KIVLEAD_EXPORT int KivLeadScanAcquireAny(const char* device, CLeadBitmap* bitmap);
