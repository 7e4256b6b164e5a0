// SPDX-License-Identifier: MIT
#include "database/ConnectString_p.h"
#include "database/ConnectionPool_p.h"
#include "database/StatementWatch_p.h"
#include "platform/io/ByteSource.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kivado {

namespace {

QMutex g_mutex;
QHash<QString, QString> g_names; // key (thread, string, user, password) -> Qt connection name
int g_serial = 0;

QString poolKey(const std::string& connect, const char* user, const char* password)
{
    const auto thread = reinterpret_cast<quintptr>(QThread::currentThread());
    return QString::number(thread) + QChar(1) + QString::fromStdString(connect) + QChar(1)
        + QString::fromUtf8(user ? user : "") + QChar(1) + QString::fromUtf8(password ? password : "");
}

// An SQLite file is opened only when it is one: a regular file that starts
// with the format's header, or an empty file (SQLite writes it on first
// use). Anything else would fail later, on the first statement, with a
// less helpful message, or block (a FIFO).
bool checkSqliteFile(const ConnectTarget& target, std::string& error)
{
    if (target.database == ":memory:")
        return true;
    ByteSource source;
    if (!source.openFile(target.database)) {
        if (source.error() == ENOENT && !target.mustExist) {
            const QFileInfo info(QString::fromStdString(target.database));
            if (info.absoluteDir().exists())
                return true;
            error = "the folder of " + target.database + " does not exist";
            return false;
        }
        error = "cannot open " + target.database + ": " + source.errorText();
        return false;
    }
    static const char kHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
    char header[16] = {};
    if (source.size() == 0)
        return true;
    if (!source.read(0, header, sizeof header) || std::memcmp(header, kHeader, sizeof header) != 0) {
        error = target.database + " is not an SQLite database";
        return false;
    }
    return true;
}

QString optionValue(const std::string& value)
{
    QString v = QString::fromStdString(value);
    v.replace('\\', "\\\\");
    v.replace('\'', "\\'");
    return '\'' + v + '\'';
}

bool configure(
    QSqlDatabase& db, const ConnectTarget& target, const char* user, const char* password, std::string& error)
{
    if (target.engine == ConnectTarget::Engine::SQLite) {
        db.setDatabaseName(QString::fromStdString(target.database));
        db.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(ConnectionPool::kBusyTimeoutMs));
        return true;
    }
    db.setHostName(QString::fromStdString(target.host));
    if (target.port > 0)
        db.setPort(target.port);
    db.setDatabaseName(QString::fromStdString(target.database));
    db.setUserName(QString::fromUtf8(user && *user ? user : target.user.c_str()));
    db.setPassword(QString::fromUtf8(password && *password ? password : target.password.c_str()));
    QStringList options;
    // libpq waits for ever with a time-out of 0 or less (or none): this one
    // waits kConnectTimeoutSeconds then. The server cancels a statement that
    // runs past the statement time-out itself; StatementWatch covers one
    // that does not answer at all.
    std::string serverOptions = "-c statement_timeout=" + std::to_string(StatementWatch::timeoutMs());
    int timeout = 0;
    for (const auto& [key, value] : target.options) {
        // Qt joins the options with ';' and turns each into a blank.
        if (value.find(';') != std::string::npos) {
            error = "the value of " + key + " may not hold a semicolon";
            return false;
        }
        if (key == "connect_timeout") {
            timeout = std::atoi(value.c_str());
            continue;
        }
        if (key == "options") {
            serverOptions = value + " " + serverOptions; // the caller's settings first; the last -c wins
            continue;
        }
        options << QString::fromStdString(key) + '=' + optionValue(value);
    }
    options << QString("connect_timeout=%1").arg(timeout > 0 ? timeout : ConnectionPool::kConnectTimeoutSeconds);
    options << "options=" + optionValue(serverOptions);
    db.setConnectOptions(options.join(';'));
    return true;
}

} // namespace

std::shared_ptr<AdoConnection> ConnectionPool::acquire(
    const std::string& connect, const char* user, const char* password, std::string& error)
{
    const ConnectTarget target = parseConnectString(connect);
    if (target.engine == ConnectTarget::Engine::None) {
        error = target.error;
        return nullptr;
    }
    auto connection = std::make_shared<AdoConnection>();
    connection->engine = target.engine == ConnectTarget::Engine::SQLite ? Engine::SQLite : Engine::PostgreSQL;
    const QString key = poolKey(connect, user, password);
    {
        const QMutexLocker lock(&g_mutex);
        if (const auto it = g_names.constFind(key); it != g_names.constEnd()) {
            QSqlDatabase db = QSqlDatabase::database(*it, false);
            if (db.isOpen()) {
                connection->name = *it;
                return connection;
            }
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(*it);
            g_names.remove(key);
        }
        connection->name = QString("vandrel-ado-%1").arg(++g_serial);
    }
    if (connection->engine == Engine::SQLite && !checkSqliteFile(target, error))
        return nullptr;
    const char* driver = connection->engine == Engine::SQLite ? "QSQLITE" : "QPSQL";
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        error = std::string("Qt's ") + driver + " driver is not installed";
        return nullptr;
    }
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection->name);
        if (configure(db, target, user, password, error)) {
            opened = db.open();
            if (!opened)
                error = db.lastError().text().toStdString();
        }
    }
    if (!opened) {
        QSqlDatabase::removeDatabase(connection->name);
        return nullptr;
    }
    const QMutexLocker lock(&g_mutex);
    g_names.insert(key, connection->name);
    return connection;
}

QSqlDatabase ConnectionPool::database(const AdoConnection& connection)
{
    return QSqlDatabase::database(connection.name, false);
}

void ConnectionPool::checkAlive(const AdoConnection& connection)
{
    {
        QSqlDatabase db = database(connection);
        if (!db.isOpen())
            return;
        QSqlQuery probe(db);
        const StatementWatch watch(connection);
        if (probe.exec("SELECT 1"))
            return;
        db.close(); // the next acquire opens it again
    }
}

void ConnectionPool::closeAll()
{
    const QMutexLocker lock(&g_mutex);
    const auto thread = QString::number(reinterpret_cast<quintptr>(QThread::currentThread())) + QChar(1);
    for (auto it = g_names.begin(); it != g_names.end();) {
        if (!it.key().startsWith(thread)) {
            ++it;
            continue;
        }
        {
            QSqlDatabase db = QSqlDatabase::database(*it, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(*it);
        it = g_names.erase(it);
    }
}

} // namespace kivado
