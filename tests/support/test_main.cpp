// SPDX-License-Identifier: MIT
// Every test executable runs inside an offscreen QApplication, so widget tests
// need no display and message boxes never block (tests record them instead),
// and in the C locale, so the texts they check are the source texts whatever
// the machine's language (a program that tests the locales says so).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("VANDREL_TEST_KEEP_LOCALE"))
        QLocale::setDefault(QLocale::c());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
