// SPDX-License-Identifier: MIT
// Opening connections: every accepted form, the pool, and the ways a
// connection fails (missing file, wrong file, lock, refused login, a server
// that drops the connection).
#include "DbTestEngine.h"

#include "database/KivDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <arpa/inet.h>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Connection : public EngineTest { };

std::string field(const std::string& connect, const char* key)
{
    const auto at = connect.find(std::string(key) + "=");
    if (at == std::string::npos)
        return {};
    const auto start = at + std::strlen(key) + 1;
    return connect.substr(start, connect.find(' ', start) - start);
}

TEST_F(Connection, EveryFormReachesTheSameDatabase)
{
    KivDatabase db;
    ASSERT_EQ(db.Open(m_connect.c_str(), nullptr, nullptr), 1) << KivDatabase::GetLastError();
    ASSERT_EQ(db.Execute("CREATE TABLE t (v VARCHAR(10))"), 1);
    ASSERT_EQ(db.Execute("INSERT INTO t VALUES ('here')"), 1);
    std::vector<std::string> forms;
    if (dbtest::onPostgres()) {
        const std::string host = field(m_connect, "host");
        std::string escaped;
        for (char c : host)
            escaped += c == '/' ? std::string("%2F") : std::string(1, c);
        forms.push_back(
            "postgresql://vandrel:secret@" + escaped + ":" + field(m_connect, "port") + "/postgres?connect_timeout=3");
        forms.push_back(KivDatabase::GetConnectOdbc("PostgreSQL Unicode", host.c_str(), "postgres", "vandrel", "secret")
            + ";Port=" + field(m_connect, "port"));
    } else {
        const std::string file = m_dir.file("album.db");
        forms.push_back(KivDatabase::GetConnectJet(file.c_str(), ""));
        forms.push_back(KivDatabase::GetConnectOdbc("SQLite3 ODBC Driver", "", file.c_str(), "", ""));
    }
    for (const auto& form : forms) {
        const _RecordsetPtr rs = KivDatabase::CreateRecord("SELECT v FROM t", form.c_str(), 1);
        ASSERT_NE(rs, nullptr) << form << ": " << KivDatabase::GetLastError();
        EXPECT_EQ(KivDatabase::GetValue(rs, "v"), "here");
    }
}

TEST_F(Connection, SqliteFilesThatCannotBeOpened)
{
    if (dbtest::onPostgres())
        GTEST_SKIP() << "SQLite files only";
    KivDatabase db;
    const std::string missingFolder = "sqlite:" + m_dir.file("no/such/folder/a.db");
    EXPECT_EQ(db.Open(missingFolder.c_str(), nullptr, nullptr), 0);
    EXPECT_NE(KivDatabase::GetLastError().find("does not exist"), std::string::npos);

    const std::string jetMissing = KivDatabase::GetConnectJet(m_dir.file("missing.mdb").c_str(), "");
    EXPECT_EQ(db.Open(jetMissing.c_str(), nullptr, nullptr), 0);

    // The first page of an Access file.
    const std::string mdb = m_dir.file("album.mdb");
    testsupport::Bytes page(4096, 0);
    const char magic[] = "\x00\x01\x00\x00Standard Jet DB";
    std::copy(magic, magic + sizeof magic - 1, page.begin());
    testsupport::writeFile(mdb, page);
    EXPECT_EQ(db.Open(KivDatabase::GetConnectJet(mdb.c_str(), "").c_str(), nullptr, nullptr), 0);
    EXPECT_NE(KivDatabase::GetLastError().find("not an SQLite database"), std::string::npos)
        << KivDatabase::GetLastError();
    EXPECT_EQ(KivDatabase::CreateRecord("SELECT 1", ("sqlite:" + mdb).c_str(), 1), nullptr);
    EXPECT_EQ(testsupport::readFile(mdb), page) << "the file is left alone";

    const std::string fifo = m_dir.file("pipe.db");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(db.Open(("sqlite:" + fifo).c_str(), nullptr, nullptr), 0) << "refused without blocking";
}

TEST_F(Connection, MemoryDatabaseIsSharedThroughThePool)
{
    if (dbtest::onPostgres())
        GTEST_SKIP() << "SQLite only";
    KivDatabase db;
    ASSERT_EQ(db.Open("sqlite::memory:", nullptr, nullptr), 1);
    ASSERT_EQ(db.Execute("CREATE TABLE m (v INTEGER)"), 1);
    ASSERT_EQ(db.Execute("INSERT INTO m VALUES (7)"), 1);
    const _RecordsetPtr rs = KivDatabase::CreateRecord("SELECT v FROM m", "sqlite::memory:", 1);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(KivDatabase::GetValue(rs, "v"), "7");
    KivDatabase copy = db;
    EXPECT_EQ(db.Close(), 1);
    EXPECT_EQ(copy.Execute("INSERT INTO m VALUES (8)"), 1) << "a copy shares the connection";
}

TEST_F(Connection, LockedSqliteFileFailsAfterTheBusyTimeOut)
{
    if (dbtest::onPostgres())
        GTEST_SKIP() << "SQLite only";
    KivDatabase db;
    ASSERT_EQ(db.Open(m_connect.c_str(), nullptr, nullptr), 1);
    ASSERT_EQ(db.Execute("CREATE TABLE t (v INTEGER)"), 1);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
        other.setDatabaseName(QString::fromStdString(m_dir.file("album.db")));
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
        EXPECT_EQ(db.Execute("INSERT INTO t VALUES (1)"), 0);
        EXPECT_EQ(KivDatabase::CreateRecord("SELECT * FROM t", m_connect.c_str(), 1), nullptr);
        lock.exec("ROLLBACK");
        other.close();
    }
    QSqlDatabase::removeDatabase("locker");
    EXPECT_EQ(db.Execute("INSERT INTO t VALUES (1)"), 1);
}

TEST_F(Connection, RefusedLoginIsAFailure)
{
    if (!dbtest::onPostgres())
        GTEST_SKIP() << "a server's login";
    KivDatabase db;
    EXPECT_EQ(db.Open(dbtest::wrongPassword().c_str(), nullptr, nullptr), 0);
    EXPECT_NE(KivDatabase::GetLastError().find("password"), std::string::npos) << KivDatabase::GetLastError();
    EXPECT_EQ(KivDatabase::CreateRecord("SELECT 1", dbtest::wrongPassword().c_str(), 1), nullptr);
    EXPECT_EQ(db.Open(dbtest::wrongPassword().c_str(), "vandrel", "secret"), 1) << "the arguments win";
    const std::string noServer = "host=" + m_dir.path().string() + " port=1 dbname=x user=y";
    EXPECT_EQ(db.Open(noServer.c_str(), nullptr, nullptr), 0);
}

TEST_F(Connection, DroppedConnectionIsOpenedAgain)
{
    if (!dbtest::onPostgres())
        GTEST_SKIP() << "a server's connection";
    KivDatabase db;
    ASSERT_EQ(db.Open(m_connect.c_str(), nullptr, nullptr), 1);
    const _RecordsetPtr pid = KivDatabase::CreateRecord("SELECT pg_backend_pid() AS pid", m_connect.c_str(), 1);
    ASSERT_NE(pid, nullptr);
    const std::string other = m_connect + " connect_timeout=4";
    KivDatabase admin;
    ASSERT_EQ(admin.Open(other.c_str(), nullptr, nullptr), 1);
    ASSERT_EQ(admin.Execute(("SELECT pg_terminate_backend(" + KivDatabase::GetValue(pid, "pid") + ")").c_str()), 1);
    EXPECT_EQ(db.Execute("SELECT 1"), 0) << "the server went away";
    KivDatabase again;
    ASSERT_EQ(again.Open(m_connect.c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(again.Execute("SELECT 1"), 1) << KivDatabase::GetLastError();
    EXPECT_NE(KivDatabase::CreateRecord("SELECT 1 AS one", m_connect.c_str(), 1), nullptr);
}

// A TCP listener on loopback that accepts connections and never says a word.
class SilentServer {
public:
    SilentServer()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(m_listener, 8) != 0
            || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(m_listener); }
    int port() const { return m_port; }

private:
    int m_listener = -1;
    int m_port = 0;
};

TEST_F(Connection, ASilentServerNeverHangsTheCaller)
{
    if (dbtest::onPostgres())
        GTEST_SKIP() << "needs no server: run once";
    // The kernel completes the connection (the listen backlog); nobody answers.
    SilentServer server;
    ASSERT_NE(server.port(), 0);
    const std::string port = std::to_string(server.port());
    // No time-out, or one of 0 or less, would be libpq's "wait for ever".
    for (const std::string& connect : {"host=127.0.0.1 port=" + port + " dbname=x user=y sslmode=disable",
             "host=127.0.0.1 port=" + port + " dbname=x user=y sslmode=disable connect_timeout=0",
             "postgresql://y@127.0.0.1:" + port + "/x?sslmode=disable&connect_timeout=-1"}) {
        KivDatabase db;
        EXPECT_EQ(db.Open(connect.c_str(), nullptr, nullptr), 0) << connect;
        EXPECT_NE(KivDatabase::GetLastError().find("timeout"), std::string::npos) << KivDatabase::GetLastError();
    }
}

TEST_F(Connection, AStatementThatGetsNoAnswerFailsInTime)
{
    if (!dbtest::onPostgres())
        GTEST_SKIP() << "a server's statement";
    KivDatabase db;
    ASSERT_EQ(db.Open(m_connect.c_str(), nullptr, nullptr), 1);
    // The server cancels a statement past the time-out itself ...
    qputenv("VANDREL_STATEMENT_TIMEOUT_MS", "700");
    KivDatabase::ClosePool();
    KivDatabase short_;
    ASSERT_EQ(short_.Open(m_connect.c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(short_.Execute("SELECT pg_sleep(20)"), 0);
    EXPECT_NE(KivDatabase::GetLastError().find("statement timeout"), std::string::npos) << KivDatabase::GetLastError();
    // ... and where it does not answer at all, the connection is cut.
    qputenv("VANDREL_STATEMENT_TIMEOUT_MS", "30000");
    KivDatabase::ClosePool();
    KivDatabase patient;
    ASSERT_EQ(patient.Open(m_connect.c_str(), nullptr, nullptr), 1);
    qputenv("VANDREL_STATEMENT_TIMEOUT_MS", "700");
    EXPECT_EQ(patient.Execute("SELECT pg_sleep(20)"), 0);
    EXPECT_NE(KivDatabase::GetLastError().find("did not answer within 2700 ms"), std::string::npos)
        << KivDatabase::GetLastError();
    qunsetenv("VANDREL_STATEMENT_TIMEOUT_MS");
    KivDatabase again;
    ASSERT_EQ(again.Open(m_connect.c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(again.Execute("SELECT 1"), 1) << "the connection is opened anew";
}

} // namespace
