// SPDX-License-Identifier: MIT
#include "database/StatementWatch_p.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>

#include <dlfcn.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace kivado {

namespace {

using Clock = std::chrono::steady_clock;

struct Watched {
    Clock::time_point deadline;
    int socket = -1;
};

// One thread for every watch of the process, started with the first.
class Watchdog {
public:
    static Watchdog& instance()
    {
        static Watchdog* dog = new Watchdog; // lives as long as the process
        return *dog;
    }

    std::uint64_t watch(int socket, Clock::time_point deadline)
    {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
        const std::uint64_t id = ++m_serial;
        m_watched[id] = {deadline, socket};
        m_changed.notify_one();
        return id;
    }

    void release(std::uint64_t id)
    {
        std::lock_guard lock(m_mutex);
        m_watched.erase(id);
        m_expired.erase(id);
    }

    bool expired(std::uint64_t id)
    {
        std::lock_guard lock(m_mutex);
        return m_expired.count(id) > 0;
    }

private:
    Watchdog() = default;

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            Clock::time_point next = Clock::time_point::max();
            const Clock::time_point now = Clock::now();
            for (auto& [id, w] : m_watched) {
                if (w.socket >= 0 && w.deadline <= now) {
                    // The statement's own thread is blocked in a read on
                    // this socket; shutting it down wakes that read.
                    ::shutdown(w.socket, SHUT_RDWR);
                    w.socket = -1;
                    m_expired.insert(id);
                } else if (w.socket >= 0) {
                    next = std::min(next, w.deadline);
                }
            }
            if (next == Clock::time_point::max())
                m_changed.wait(lock);
            else
                m_changed.wait_until(lock, next);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
    std::map<std::uint64_t, Watched> m_watched;
    std::set<std::uint64_t> m_expired;
    std::uint64_t m_serial = 0;
};

int socketOf(const AdoConnection& connection)
{
    const QSqlDatabase db = ConnectionPool::database(connection);
    if (!db.isOpen() || !db.driver())
        return -1;
    // Qt's driver hands its connection out under the struct's own name.
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0)
        return -1;
    auto* conn = *static_cast<PGconn* const*>(handle.data());
    // The client library is the one Qt's driver loaded: looked up, not
    // linked, so that a program using SQLite alone never loads it.
    using SocketOf = int (*)(const PGconn*);
    static const SocketOf socketOfConnection = [] {
        void* library = ::dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        return library ? reinterpret_cast<SocketOf>(::dlsym(library, "PQsocket")) : nullptr;
    }();
    return conn && socketOfConnection ? socketOfConnection(conn) : -1;
}

} // namespace

int StatementWatch::timeoutMs()
{
    constexpr int kDefaultMs = 30000;
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("VANDREL_STATEMENT_TIMEOUT_MS", &ok);
    return ok && ms > 0 ? ms : kDefaultMs;
}

int StatementWatch::cutOffMs()
{
    constexpr int kGraceMs = 2000;
    const int timeout = timeoutMs();
    return timeout > std::numeric_limits<int>::max() - kGraceMs ? timeout : timeout + kGraceMs;
}

StatementWatch::StatementWatch(const AdoConnection& connection)
{
    if (connection.engine != Engine::PostgreSQL)
        return;
    const int socket = socketOf(connection);
    if (socket >= 0)
        m_id = Watchdog::instance().watch(socket, Clock::now() + std::chrono::milliseconds(cutOffMs()));
}

StatementWatch::~StatementWatch()
{
    if (m_id)
        Watchdog::instance().release(m_id);
}

bool StatementWatch::expired() const
{
    return m_id && Watchdog::instance().expired(m_id);
}

} // namespace kivado
