// SPDX-License-Identifier: MIT
// The vandrel tool run as a process, the way a user runs it.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using testsupport::binary;
using testsupport::run;

namespace {
testsupport::RunResult vandrel(std::vector<std::string> args)
{
    return testsupport::runVandrel(std::move(args));
}
} // namespace

TEST(VandrelCalc, EvaluatesAndPrintsFifteenDigits)
{
    auto r = vandrel({"calc", "2*3^2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "36\n");
    r = vandrel({"calc", "1/3"});
    EXPECT_EQ(r.out, "0.333333333333333\n");
}

TEST(VandrelCalc, DivisionByZeroFailsWithTheMessageOnStderr)
{
    const auto r = vandrel({"calc", "6/0+2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "") << "a failure prints no result";
    EXPECT_NE(r.err.find("0으로 나눌 수 없습니다!"), std::string::npos) << r.err;
}

TEST(VandrelCalc, ListsAndSubstitutesParameters)
{
    auto r = vandrel({"calc", "W*2+H1-W", "--params"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "W\nH1\n");
    r = vandrel({"calc", "W*2+H1", "-p", "W=1+2", "--param", "H1=10"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "15\n"); // 1+2*2+10: the value's text goes in unchanged
    r = vandrel({"calc", "W*2"});
    EXPECT_EQ(r.status, 1);
}

TEST(VandrelCalc, MisuseIsReported)
{
    EXPECT_EQ(vandrel({"calc"}).status, 2) << "a usage error";
    EXPECT_EQ(vandrel({"calc", "1", "-p", "novalue"}).status, 1);
    EXPECT_EQ(vandrel({"calc", std::string(256, '1')}).status, 1);
    EXPECT_EQ(vandrel({"calc", "A", "-p", "A=" + std::string(200, '1') + "+" + std::string(60, '2')}).status, 1);
    EXPECT_EQ(vandrel({"nosuch"}).status, 2);
    const auto negative = vandrel({"calc", "--", "-2^2"});
    EXPECT_EQ(negative.status, 0);
    EXPECT_EQ(negative.out, "4\n");
}

TEST(VandrelCalc, HelpEverywhere)
{
    auto r = vandrel({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("calc"), std::string::npos);
    r = vandrel({"calc", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--params"), std::string::npos);
    r = vandrel({"help", "calc"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("NAME=VALUE"), std::string::npos);
}

TEST(VandrelCalc, FailuresNameTheirCauseAndPrintNothing)
{
    struct Case {
        std::vector<std::string> args;
        const char* cause;
    };
    for (const Case& c : std::vector<Case> {
             {{"calc", "W*H", "-p", "W=3"}, "unknown parameter 'H'"},
             {{"calc", "abc("}, "unknown parameter 'abc'"},
             {{"calc", "(1+2"}, "unbalanced parenthesis"},
             {{"calc", "1+2)"}, "unbalanced parenthesis"},
             {{"calc", "10^400"}, "no finite value"},
             {{"calc", "(0-8)^0.5"}, "no finite value"},
         }) {
        const auto r = vandrel(c.args);
        EXPECT_EQ(r.status, 1) << c.args[1];
        EXPECT_EQ(r.out, "") << c.args[1];
        EXPECT_NE(r.err.find(c.cause), std::string::npos) << c.args[1] << ": " << r.err;
    }
}

TEST(VandrelCalc, ANegativeNumberIsAnExpressionNotAnOption)
{
    auto r = vandrel({"calc", "-2^2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "4\n");
    r = vandrel({"calc", "-W", "-p", "W=2"});
    EXPECT_EQ(r.out, "-2\n") << r.err;
    r = vandrel({"calc", "-p", "W=-1", "W*3"});
    EXPECT_EQ(r.out, "-3\n") << r.err;
    EXPECT_EQ(vandrel({"calc", "sin(0)+1"}).out, "1\n");
}
