// SPDX-License-Identifier: MIT
// The engine a database test executable runs against: SQLite files in a
// temporary folder, or the PostgreSQL server that pg-server.sh starts (the
// CTest fixture's, or one of the executable's own when run by hand).
#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace dbtest {

bool onPostgres();
// Why the engine cannot be reached; empty when it can.
std::string skipReason();
// The connection string of a fresh, empty database (PostgreSQL: the public
// schema emptied).
std::string freshDatabase(const testsupport::TempDir& dir);
// The connection string of the server with another password.
std::string wrongPassword();

} // namespace dbtest

// A test on a fresh database of the executable's engine.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    testsupport::TempDir m_dir;
    std::string m_connect;
};
