// SPDX-License-Identifier: MIT
#include "DbTestEngine.h"

#include "database/KivDatabase.h"

#include <QFile>

#include <fstream>

namespace dbtest {

namespace {

std::string g_server; // the connection string of the server, or empty
std::string g_skip;

std::string readState(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// Starts a server for this executable when no fixture has started one, and
// stops it at the end: no server outlives the tests.
class PostgresEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::string fixture = VANDREL_PG_STATE;
        std::string state = readState(fixture);
        if (!state.empty() && state.rfind("skip:", 0) != 0) {
            KivDatabase probe;
            if (probe.Open(state.c_str(), nullptr, nullptr)) {
                g_server = state;
                return;
            }
        }
        m_state = m_dir.file("state");
        const auto started = testsupport::run({"bash", VANDREL_PG_SCRIPT, "start", m_state});
        state = readState(m_state);
        if (started.status != 0 || state.empty())
            g_skip = "the PostgreSQL server did not start: " + started.err;
        else if (state.rfind("skip:", 0) == 0)
            g_skip = state;
        else
            g_server = state;
    }

    void TearDown() override
    {
        KivDatabase::ClosePool();
        if (!m_state.empty())
            testsupport::run({"bash", VANDREL_PG_SCRIPT, "stop", m_state});
    }

private:
    testsupport::TempDir m_dir;
    std::string m_state;
};

#ifdef VANDREL_TEST_POSTGRES
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new PostgresEnvironment);
#endif

} // namespace

bool onPostgres()
{
#ifdef VANDREL_TEST_POSTGRES
    return true;
#else
    return false;
#endif
}

std::string skipReason()
{
    return onPostgres() ? g_skip : std::string();
}

std::string freshDatabase(const testsupport::TempDir& dir)
{
    if (!onPostgres())
        return "sqlite:" + dir.file("album.db");
    KivDatabase db;
    EXPECT_EQ(db.Open(g_server.c_str(), nullptr, nullptr), 1) << KivDatabase::GetLastError();
    db.Execute("SET client_min_messages TO WARNING");
    EXPECT_EQ(db.Execute("DROP SCHEMA public CASCADE"), 1) << KivDatabase::GetLastError();
    EXPECT_EQ(db.Execute("CREATE SCHEMA public"), 1) << KivDatabase::GetLastError();
    return g_server;
}

std::string wrongPassword()
{
    std::string s = g_server;
    const auto at = s.find("password=");
    return s.substr(0, at) + "password=wrong";
}

} // namespace dbtest

void EngineTest::SetUp()
{
    if (!dbtest::skipReason().empty())
        GTEST_SKIP() << dbtest::skipReason();
    m_connect = dbtest::freshDatabase(m_dir);
}

void EngineTest::TearDown()
{
    // SQLite files go with the folder; their connections must not outlive it.
    if (!dbtest::onPostgres())
        KivDatabase::ClosePool();
}
