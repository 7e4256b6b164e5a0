// SPDX-License-Identifier: MIT
#include "platform/net/Download.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

DownloadLimits DownloadLimits::Defaults()
{
    DownloadLimits limits;
    bool ok = false;
    const int timeout = qEnvironmentVariableIntValue("VANDREL_DOWNLOAD_TIMEOUT_MS", &ok);
    if (ok && timeout > 0)
        limits.timeoutMs = timeout;
    const qulonglong cap = qgetenv("VANDREL_DOWNLOAD_MAX_BYTES").toULongLong(&ok);
    if (ok && cap > 0)
        limits.maxBytes = cap;
    return limits;
}

struct DownloadJob::Impl : QObject {
    QUrl url;
    QString target;
    Done done;
    DownloadLimits limits;
    QNetworkAccessManager manager;
    QFile out;
    QPointer<QNetworkReply> reply;
    QTimer overall, connectTimer;
    int attempts = 0;
    bool answered = false;
    bool running = true;
    bool created = false; // the target is ours to remove
    std::uint64_t received = 0;

    void start();
    void attempt();
    void receive();
    void ended();
    void finish(bool ok, const QString& error);
    void stop();
};

void DownloadJob::Impl::start()
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != "http" && scheme != "https"))
        return finish(false, "not an http or https address");
    out.setFileName(target);
    // Unbuffered: each block reaches the file, and a full disk is noticed, at once.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return finish(false, QString("cannot write %1: %2").arg(target, out.errorString()));
    created = true;
    overall.setSingleShot(true);
    QObject::connect(&overall, &QTimer::timeout, this,
        [this] { finish(false, QString("no complete answer within %1 s").arg(limits.timeoutMs / 1000.0)); });
    overall.start(limits.timeoutMs);
    connectTimer.setSingleShot(true);
    QObject::connect(&connectTimer, &QTimer::timeout, this, [this] {
        if (!answered && reply)
            reply->abort(); // ends as a failed attempt, tried again
    });
    attempt();
}

void DownloadJob::Impl::attempt()
{
    ++attempts;
    answered = false;
    received = 0;
    out.resize(0);
    out.seek(0);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    reply = manager.get(request);
    // The network thread reads no further ahead than this: a server that
    // floods cannot fill memory, and the thread stays free to stop.
    reply->setReadBufferSize(1 << 20);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        answered = true;
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toULongLong() > limits.maxBytes)
            finish(false, QString("larger than the cap of %1 bytes").arg(limits.maxBytes));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, this, [this] { receive(); });
    QObject::connect(reply, &QNetworkReply::finished, this, [this] { ended(); });
    connectTimer.start(limits.connectTimeoutMs);
}

void DownloadJob::Impl::receive()
{
    // Only bytes are an answer: a reply aborted by the connect time-out
    // arrives here too, and must be tried again.
    while (running && reply && reply->bytesAvailable() > 0) {
        answered = true;
        const QByteArray block = reply->read(65536);
        received += static_cast<std::uint64_t>(block.size());
        if (received > limits.maxBytes)
            return finish(false, QString("larger than the cap of %1 bytes").arg(limits.maxBytes));
        // A disk that fills takes part of a block first, and says why only
        // when the rest is written.
        for (qint64 done = 0; done < block.size();) {
            const qint64 n = out.write(block.constData() + done, block.size() - done);
            if (n <= 0)
                return finish(false, QString("cannot write %1: %2").arg(target, out.errorString()));
            done += n;
        }
    }
}

void DownloadJob::Impl::ended()
{
    if (!running || !reply)
        return;
    receive();
    if (!running)
        return;
    const QNetworkReply::NetworkError failure = reply->error();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString why = reply->errorString();
    reply->deleteLater();
    reply = nullptr;
    if (failure == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300))) {
        if (!out.flush())
            return finish(false, QString("cannot write %1: %2").arg(target, out.errorString()));
        return finish(true, {});
    }
    // Only a server that never answered is tried again, as a connect retry.
    if (!answered && attempts <= limits.retries)
        return attempt();
    if (!answered && failure == QNetworkReply::OperationCanceledError) // the connect time-out
        return finish(
            false, QString("no answer within %1 s, %2 times").arg(limits.connectTimeoutMs / 1000.0).arg(attempts));
    finish(false, status >= 300 ? QString("the server answered %1").arg(status) : why);
}

void DownloadJob::Impl::stop()
{
    running = false;
    overall.stop();
    connectTimer.stop();
    if (reply) {
        QNetworkReply* r = reply;
        reply = nullptr;
        r->disconnect(this);
        r->abort();
        r->deleteLater();
    }
    if (out.isOpen())
        out.close();
}

void DownloadJob::Impl::finish(bool ok, const QString& error)
{
    if (!running)
        return;
    stop();
    if (!ok && created)
        QFile::remove(target);
    // Called from the event loop, not from within the network stack, so
    // done may destroy the job.
    const CString reason = error.toStdString();
    QTimer::singleShot(0, this, [this, ok, reason] {
        if (done)
            done(ok, reason);
    });
}

DownloadJob::DownloadJob(const char* url, CString target, Done done, const DownloadLimits& limits)
    : d(std::make_unique<Impl>())
{
    d->url = QUrl(QString::fromUtf8(url ? url : ""));
    d->target = QString::fromStdString(target);
    d->done = std::move(done);
    d->limits = limits;
    d->start();
}

DownloadJob::~DownloadJob()
{
    if (d->running) {
        d->stop();
        if (d->created)
            QFile::remove(d->target);
    }
}

bool DownloadJob::isRunning() const
{
    return d->running;
}

namespace {

class DownloadThread : public QThread {
public:
    DownloadThread(const char* url, const CString& target, const DownloadLimits& limits)
        : m_url(url ? url : ""), m_target(target), m_limits(limits)
    {
    }
    bool ok = false;
    CString error;

protected:
    void run() override
    {
        {
            DownloadJob job(
                m_url.c_str(), m_target,
                [this](bool result, const CString& reason) {
                    ok = result;
                    error = reason;
                    quit();
                },
                m_limits);
            exec();
        }
        // The replies and the network objects the job let go of are deleted
        // later, by this thread's loop, which has ended: delete them now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    CString m_url;
    CString m_target;
    DownloadLimits m_limits;
};

} // namespace

Q_LOGGING_CATEGORY(lcNet, "vandrel.platform.net", QtWarningMsg)

bool DownloadToFile(const char* url, const CString& target, const DownloadLimits& limits, CString* error)
{
    DownloadThread thread(url, target, limits);
    thread.start();
    thread.wait();
    if (!thread.ok)
        qCDebug(lcNet, "download of %s failed: %s", url ? url : "", thread.error.c_str());
    if (error)
        *error = thread.error;
    return thread.ok;
}

namespace {

// The files UniqueTempPath made and nobody removed yet, for a signal that
// ends the process to take along. Slots hold plain bytes, so the handler
// touches nothing but them and unlink().
constexpr int kTempSlots = 64;
struct TempSlot {
    std::atomic<bool> claimed {false}; // taken by a thread filling it
    std::atomic<bool> used {false}; // path is whole and the file ours
    char path[4096] = {};
};
TempSlot g_temp[kTempSlots];

void removeTempFiles(int signal)
{
    for (TempSlot& slot : g_temp)
        if (slot.used.load())
            ::unlink(slot.path);
    // Then end as the signal would have.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void watchSignals()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction old { };
            // A host that handles the signal itself keeps its handler.
            if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
                continue;
            struct sigaction action { };
            action.sa_handler = &removeTempFiles;
            sigemptyset(&action.sa_mask);
            ::sigaction(signal, &action, nullptr);
        }
    });
}

void remember(const CString& path)
{
    if (path.size() >= sizeof(TempSlot::path))
        return;
    for (TempSlot& slot : g_temp) {
        bool expected = false;
        if (!slot.claimed.compare_exchange_strong(expected, true))
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.used.store(true); // only now may the handler read it
        return;
    }
}

} // namespace

CString UniqueTempPath(const char* suffix, CString* error)
{
    watchSignals();
    QTemporaryFile file(QDir::tempPath() + "/vandrel-XXXXXX" + QString::fromUtf8(suffix ? suffix : ""));
    file.setAutoRemove(false);
    if (!file.open()) {
        if (error)
            *error = QString("cannot make a temporary file in %1: %2")
                         .arg(QDir::tempPath(), file.errorString())
                         .toStdString();
        return {};
    }
    const CString path = QFile::encodeName(file.fileName()).toStdString();
    remember(path);
    return path;
}

bool RemoveTempPath(const CString& path)
{
    for (TempSlot& slot : g_temp)
        if (slot.used.load() && path == slot.path) {
            slot.used.store(false);
            slot.claimed.store(false);
        }
    return path.empty() || ::unlink(path.c_str()) == 0 || errno == ENOENT;
}
