// SPDX-License-Identifier: MIT
// The volumes a person browses, standing in for a machine's drives: the home
// folder first, the root file system, then removable and network mounts.
// Pseudo file systems (proc, sysfs, tmpfs, overlay, cgroup …), system mounts
// and read-only images are left out.
#pragma once

#include "platform/base/CString.h"

#include <vector>

struct KIVPLATFORM_EXPORT Volume {
    CString root; // the folder, without a trailing '/' except for "/" itself
    CString name; // what a person calls it: a label, "Home", "File System"
};

// The volumes in the order above; never empty (the root file system is
// always there).
KIVPLATFORM_EXPORT std::vector<Volume> MountedVolumes();
// Whether a mount of type fsType at mountPoint is one a person cares about.
KIVPLATFORM_EXPORT bool IsUserVolume(const char* fsType, const char* mountPoint);
// The label of the volume mounted at root; empty when it has none or root is
// no mount point.
KIVPLATFORM_EXPORT CString VolumeLabel(const char* root);
