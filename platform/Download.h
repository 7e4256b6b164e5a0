// Fetches an http:// or https:// address into a file, blocking the calling
// thread the way the original internet session did.
#pragma once

#include "platform/CString.h"

// Gives up on a connection that has not answered within connectTimeoutMs,
// trying again retries times. false when nothing could be fetched.
KIVPLATFORM_EXPORT bool DownloadToFile(
    const char* url, const CString& target, int connectTimeoutMs = 1000, int retries = 3);

// A fresh, unique path in the system's temporary folder ending in suffix.
KIVPLATFORM_EXPORT CString UniqueTempPath(const char* suffix);
