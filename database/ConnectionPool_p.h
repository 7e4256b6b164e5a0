// SPDX-License-Identifier: MIT
// One open Qt SQL connection per connection string (and thread), shared by
// every KivDatabase and recordset that names the same string, as the
// original's provider pooled its connections. Connections stay open until
// closeAll or the end of the process; one that the server dropped is opened
// anew on its next use.
#pragma once

#include "database/SqlDialect_p.h"

#include <QString>

#include <memory>
#include <string>

class QSqlDatabase;

namespace kivado {

struct AdoConnection {
    QString name; // the Qt connection name
    Engine engine = Engine::SQLite;
};

class ConnectionPool {
public:
    // How long a connection attempt to a server may take.
    static constexpr int kConnectTimeoutSeconds = 5;
    // How long a statement waits for another writer's lock on an SQLite file.
    static constexpr int kBusyTimeoutMs = 2000;

    // The open connection for connect (user and password override those of
    // the string when not empty); null and error set when it cannot be opened.
    static std::shared_ptr<AdoConnection> acquire(
        const std::string& connect, const char* user, const char* password, std::string& error);
    // The Qt connection of a pooled one.
    static QSqlDatabase database(const AdoConnection& connection);
    // After a failed statement: forgets the connection when the server is gone,
    // so that the next acquire connects again.
    static void checkAlive(const AdoConnection& connection);
    // Closes every pooled connection of this thread.
    static void closeAll();
};

} // namespace kivado
