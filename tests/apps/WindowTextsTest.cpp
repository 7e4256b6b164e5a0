// SPDX-License-Identifier: MIT
// The apps' windows in Korean: every text of their menus, titles, labels and
// buttons has its translation, and the C locale leaves them as written.
#include "WindowTexts.h"
#include "DatabasePage.h"
#include "DialogsMenu.h"
#include "ImageBrowser.h"
#include "ImageEditor.h"
#include "ImageWindow.h"
#include "StudioWindow.h"

#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <functional>

namespace {

QString firstMenuTitle(QWidget& window)
{
    return window.findChild<QMenuBar*>()->actions().first()->text();
}

} // namespace

TEST(WindowTexts, EveryWindowTextHasItsKoreanTranslation)
{
    testsupport::TempDir dir;
    const testsupport::InLocale korean(QLocale(QLocale::Korean, QLocale::SouthKorea));
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    ImageWindow image(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg");
    ImageBrowser browser(VANDREL_SOURCE_DIR "/samples/images", QString::fromStdString(dir.path().string()));
    DatabasePage database(QString::fromStdString(dir.file("album")));
    StudioWindow studio;
    QPlainTextEdit log;
    studio.menuBar()->addMenu(new DialogsMenu(VANDREL_SOURCE_DIR "/samples", &log, &studio));
    for (QWidget* window : std::initializer_list<QWidget*> {&editor, &image, &browser, &database, &studio}) {
        QStringList missing = WindowTexts::untranslated(window);
        // What the program writes from data: a file's name in a title, a count.
        missing.removeIf([](const QString& t) {
            return t.contains(" - Image") || t.contains(u'—') || t == "Vandrel Studio" // the product's name
                || QRegularExpression("^\\d+ (images?|record\\(s\\))$").match(t).hasMatch();
        });
        EXPECT_TRUE(missing.isEmpty()) << window->metaObject()->className() << ": "
                                       << missing.join(" | ").toStdString();
    }
    WindowTexts::translate(&editor);
    EXPECT_EQ(firstMenuTitle(editor), "파일(&F)");
}

TEST(WindowTexts, TheCLocaleKeepsTheTextsAsWritten)
{
    testsupport::TempDir dir;
    const testsupport::InLocale c(QLocale::c());
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    WindowTexts::translate(&editor);
    EXPECT_EQ(firstMenuTitle(editor), "&File");
}
