// SPDX-License-Identifier: MIT
// A bound on how long a statement waits for a PostgreSQL server. libpq
// waits for an answer as long as the connection stands, and a server that
// accepts and then stalls (or a network that swallows packets while the
// peer's kernel still answers) would hang the caller for ever. While a watch
// lives, a thread of its own shuts the connection's socket once the time is
// up: the statement fails at once, the pool opens the connection anew on its
// next use, and expired() tells the caller why. SQLite connections need no
// watch: their waits are bounded by the busy time-out.
#pragma once

#include "database/ConnectionPool_p.h"

#include <cstdint>

namespace kivado {

class StatementWatch {
public:
    // How long a statement may run: 30 s unless VANDREL_STATEMENT_TIMEOUT_MS
    // says otherwise (values below 1 mean the default). The server cancels a
    // statement then.
    static int timeoutMs();
    // How long a statement waits for an answer before the connection is cut:
    // a little longer, so a server that is there cancels first and the
    // connection stays.
    static int cutOffMs();

    explicit StatementWatch(const AdoConnection& connection);
    ~StatementWatch();
    StatementWatch(const StatementWatch&) = delete;
    StatementWatch& operator=(const StatementWatch&) = delete;

    // The time ran out and the connection was cut.
    bool expired() const;

private:
    std::uint64_t m_id = 0; // 0: nothing watched
};

} // namespace kivado
