// SPDX-License-Identifier: MIT
// An HTTP server on loopback for download tests. It runs on a thread of its
// own, so it answers while the test waits for a blocking download or for a
// process it started.
#pragma once

#include "support/TestSupport.h"

#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <string>

namespace testsupport {

class HttpTestServer : public QThread {
public:
    enum class Mode {
        Serve, // the body, at once
        Trickle, // a byte now and then, never all of it
        Endless, // data without end and without a length
        Silent, // the request is read and never answered
    };

    explicit HttpTestServer(Mode mode, Bytes body = {});
    ~HttpTestServer() override;

    std::string url(const std::string& name = "d.dwg") const;
    // Requests received so far.
    int requests() const { return m_requests.load(); }

protected:
    void run() override;

private:
    Mode m_mode;
    Bytes m_body;
    std::atomic<int> m_requests {0};
    std::atomic<int> m_port {0};
    QSemaphore m_ready;
};

} // namespace testsupport
