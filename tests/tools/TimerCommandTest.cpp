// SPDX-License-Identifier: MIT
// vandrel timer, run as a process.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(VandrelTimer, CountsDownAndExitsWhenTheTimeIsReached)
{
    TempDir dir;
    auto r = runVandrel({"timer", "--countdown", "00:00:01"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00:00:00:00\n") << "a pipe gets the final time only";

    r = runVandrel({"timer", "--up", "1"}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00:00:01:00\n");

    EXPECT_EQ(runVandrel({"timer", "--countdown", "1:xx"}, dir.path()).status, 1);
    EXPECT_EQ(runVandrel({"timer", "--countdown", "100:00:00"}, dir.path()).status, 1);
    EXPECT_EQ(runVandrel({"timer"}, dir.path()).status, 2) << "no mode is a usage error";
    r = runVandrel({"timer", "--countdown", "0", "--sound", "missing.wav"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.wav"), std::string::npos);
    EXPECT_EQ(runVandrel({"timer", "--help"}, dir.path()).status, 0);
}
