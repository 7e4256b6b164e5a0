// SPDX-License-Identifier: MIT
// Every test executable runs inside an offscreen QApplication, so widget tests
// need no display and message boxes never block (tests record them instead),
// and in the C locale, so the texts they check are the source texts whatever
// the machine's language (a program that tests the locales says so), with
// settings in a scratch folder rather than the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // Settings a test writes (recent files) go to a folder of its own.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    if (qEnvironmentVariableIsEmpty("VANDREL_TEST_KEEP_LOCALE"))
        QLocale::setDefault(QLocale::c());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
