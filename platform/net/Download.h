// SPDX-License-Identifier: MIT
// Fetches an http:// or https:// address into a file, within limits: a
// connect time-out with retries, an overall time-out and a size cap. A
// transfer that fails for any reason leaves no partial file behind.
#pragma once

#include "platform/KivNet_export.h"

#include "platform/base/CString.h"

#include <cstdint>
#include <functional>
#include <memory>

struct KIVNET_EXPORT DownloadLimits {
    // A server that has not answered within this time is tried again.
    int connectTimeoutMs = 1000;
    int retries = 3;
    // The whole transfer, retries included.
    int timeoutMs = 30000;
    std::uint64_t maxBytes = std::uint64_t {256} << 20;

    // The values above, or those of VANDREL_DOWNLOAD_TIMEOUT_MS and
    // VANDREL_DOWNLOAD_MAX_BYTES where they are set to a positive number.
    static DownloadLimits Defaults();
};

// A transfer on the calling thread's event loop: nothing blocks, and done is
// called later from the event loop (never from within the constructor) with
// the outcome and, on failure, the reason. Destroying the job cancels a
// running transfer, removes its partial file and never calls done.
class KIVNET_EXPORT DownloadJob {
public:
    using Done = std::function<void(bool ok, const CString& error)>;

    DownloadJob(const char* url, CString target, Done done, const DownloadLimits& limits = DownloadLimits::Defaults());
    ~DownloadJob();
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    bool isRunning() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Blocks until the transfer ends. It runs on a thread of its own, so the
// caller's event loop is never entered: no paint, timer or posted message
// reaches the caller's windows meanwhile. false, with the reason in error,
// when nothing complete could be fetched.
KIVNET_EXPORT bool DownloadToFile(const char* url, const CString& target,
    const DownloadLimits& limits = DownloadLimits::Defaults(), CString* error = nullptr);

// A fresh, unique path in the system's temporary folder ending in suffix,
// made as an empty file; empty, with the reason in error, when none can be
// made. Should SIGINT, SIGTERM or SIGHUP end the process
// before RemoveTempPath lets it go, the file goes too (unless the host
// handles those signals itself).
KIVNET_EXPORT CString UniqueTempPath(const char* suffix, CString* error = nullptr);
// Removes a file UniqueTempPath made; true when it is gone.
KIVNET_EXPORT bool RemoveTempPath(const CString& path);
