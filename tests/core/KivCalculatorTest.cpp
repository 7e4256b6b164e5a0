// SPDX-License-Identifier: MIT
#include "core/KivCalculator.h"
#include "core/KivParamList.h"
#include "platform/services/MessageBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Eval {
    const char* text;
    double value;
    int ok;
};

void PrintTo(const Eval& e, std::ostream* os)
{
    *os << '"' << e.text << '"';
}

class Evaluates : public testing::TestWithParam<Eval> { };

} // namespace

TEST_P(Evaluates, ValueAndResult)
{
    MessageBoxRecorder boxes;
    double result = 12345.0;
    EXPECT_EQ(KivCalculator(GetParam().text, &result), GetParam().ok);
    EXPECT_DOUBLE_EQ(result, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Calculator, Evaluates,
    testing::Values(
        // precedence and associativity: ^ binds like * and /
        Eval {"1+2*3", 7, 1}, Eval {"(1+2)*3", 9, 1}, Eval {"2*3^2", 36, 1}, Eval {"2^3^2", 64, 1}, Eval {"-2^2", 4, 1},
        Eval {"8/2/2", 2, 1}, Eval {"10-4-3", 3, 1}, Eval {" 1.5 * 4 ", 6, 1},
        // brackets are square roots; functions take a primary
        Eval {"[16]", 4, 1}, Eval {"[16", 1, 0}, Eval {"(2", 1, 0}, Eval {"sin 0", 0, 1}, Eval {"cos(0)", 1, 1},
        Eval {"sin 0*3+1", 1, 1}, Eval {"Sin(0)", 0, 0}, Eval {"tan 0", 0, 1},
        // bad tokens, missing operands
        Eval {"2#3", 3, 0}, Eval {"2+", 3, 1}, Eval {"+2", 3, 0}, Eval {"2*W", 0, 0},
        // several expressions: the last one counts
        Eval {"1;2", 2, 1}, Eval {"1\n2", 2, 1}, Eval {"1)2", 2, 1}, Eval {"3=4", 4, 1}, Eval {"   ", -1.0e-30, 1},
        Eval {";", -1.0e-30, 1}, Eval {"", 0, 1},
        // numbers: no sign, no exponent (the "e3" is a name that ends the expression)
        Eval {"1.2.3", 1.2, 1}, Eval {".5", 0.5, 1}, Eval {"1e3", 1, 1},
        // bytes above 127 are bad tokens
        Eval {"2\xEA\xB0\x80", 2, 0}));

TEST(KivCalculator, NullTextGivesZero)
{
    double result = 7;
    EXPECT_EQ(KivCalculator(nullptr, &result), 1);
    EXPECT_EQ(result, 0.0);
    EXPECT_EQ(KivCalculator("1", nullptr), 0);
}

TEST(KivCalculator, DivisionByZeroShowsTheBoxAndZeroesTheLeftOperand)
{
    MessageBoxRecorder boxes;
    double result = 0;
    EXPECT_EQ(KivCalculator("6/0+2", &result), 0);
    EXPECT_EQ(result, 2.0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "0으로 나눌 수 없습니다!");
    EXPECT_EQ(boxes.shown()[0].caption, "Error");
    EXPECT_EQ(boxes.shown()[0].type, MB_ICONSTOP | MB_OK);

    // The term goes on after the zeroed operand: 6/0*5 is 0, not 5.
    EXPECT_EQ(KivCalculator("6/0*5", &result), 0);
    EXPECT_EQ(result, 0.0);
}

TEST(KivCalculator, NanDivisorIsDividedBy)
{
    MessageBoxRecorder boxes;
    double result = 0;
    // [-1] is NaN; dividing by it is no division by zero.
    KivCalculator("1/[0-1]", &result);
    EXPECT_TRUE(std::isnan(result));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(KivCalculator, ErrorCountRestartsOnEveryCall)
{
    double result = 0;
    EXPECT_EQ(KivCalculator("Sin(0)", &result), 0);
    EXPECT_EQ(KivCalculator("1+1", &result), 1);
    EXPECT_EQ(result, 2.0);
}

TEST(KivCalculator, OverlongTextsAreCutNotOverrun)
{
    // 300 characters: only the first 255 are read, nothing is written past.
    const std::string text = std::string(254, ' ') + "7" + std::string(45, '9');
    double result = 0;
    EXPECT_EQ(KivCalculator(text.c_str(), &result), 1);
    EXPECT_EQ(result, 7.0);

    const std::string nested = std::string(255, '(');
    EXPECT_EQ(KivCalculator(nested.c_str(), &result), 0);
    const std::string digits(400, '1');
    EXPECT_EQ(KivCalculator(digits.c_str(), &result), 1);
    EXPECT_EQ(result, std::atof(std::string(255, '1').c_str()));
}

TEST(KivGetCalcParam, NamesInOrderOfFirstAppearance)
{
    KivParamList list;
    list.addParam("old", "1");
    EXPECT_EQ(KivGetCalcParam("W*2+H1-W", &list), 1);
    ASSERT_EQ(list.getCount(), 2);
    EXPECT_STREQ(list.getParam(0), "W");
    EXPECT_STREQ(list.getParam(1), "H1");
    EXPECT_STREQ(list.getValue(0), "0.0");
    EXPECT_STREQ(list.getValue(1), "0.0");

    // Function names are names like any other; digits do not start one.
    KivGetCalcParam("sin(2A)+A", &list);
    ASSERT_EQ(list.getCount(), 2);
    EXPECT_STREQ(list.getParam(0), "sin");
    EXPECT_STREQ(list.getParam(1), "A");
}

TEST(KivGetCalcTrans, ReplacesNamesByTheirTextUnchanged)
{
    KivParamList list;
    list.addParam("W", "1+2");
    list.addParam("E", "");
    char out[256];
    KivGetCalcTrans("2*W", &list, out);
    EXPECT_STREQ(out, "2*1+2");
    double result = 0;
    KivCalculator(out, &result);
    EXPECT_EQ(result, 4.0);

    KivGetCalcTrans("2*X+E", &list, out);
    EXPECT_STREQ(out, "2*X+E");
    KivGetCalcTrans("", &list, out);
    EXPECT_STREQ(out, "");
    KivGetCalcTrans("W1 W", &list, out);
    EXPECT_STREQ(out, "W1 1+2");
}

TEST(KivGetCalcTrans, ExpansionStopsAtTheBuffer)
{
    KivParamList list;
    const std::string value(255, '9');
    list.addParam("A", value.c_str());
    char out[256 + 16];
    std::fill(std::begin(out), std::end(out), '#');
    KivGetCalcTrans("A+A+A", &list, out);
    EXPECT_EQ(std::string(out).size(), 255u);
    EXPECT_EQ(out[256], '#');

    char small[8];
    KivGetCalcTrans("A", &list, small, sizeof small);
    EXPECT_STREQ(small, "9999999");
}
