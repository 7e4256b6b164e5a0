// SPDX-License-Identifier: MIT
// Every test executable runs inside an offscreen QApplication, so widget tests
// need no display and message boxes never block (tests record them instead).
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
