// SPDX-License-Identifier: MIT
// The keys of the apps' menus: no two entries of one menu answer the same
// Alt letter, in English or in Korean, and the standard shortcuts are where
// a desktop user presses them.
#include "DialogsMenu.h"
#include "ImageBrowser.h"
#include "ImageEditor.h"
#include "ImageWindow.h"
#include "StudioWindow.h"
#include "WindowTexts.h"

#include "imaging/widgets/resources.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <functional>

namespace {

QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return text.at(i + 1).toUpper();
    }
    return {};
}

// "menu: A in x and y" for each letter two entries of one menu share.
QStringList clashesIn(const QString& name, const QList<QAction*>& actions)
{
    QStringList clashes;
    QMap<QChar, QString> seen;
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QChar key = mnemonicOf(a->text());
        if (key.isNull())
            continue;
        if (seen.contains(key))
            clashes << QString("%1: %2 in \"%3\" and \"%4\"").arg(name, key, seen[key], a->text());
        else
            seen[key] = a->text();
        if (a->menu())
            clashes << clashesIn(a->text(), a->menu()->actions());
    }
    return clashes;
}

QStringList clashesOf(QWidget& window)
{
    QStringList clashes;
    for (QMenuBar* bar : window.findChildren<QMenuBar*>())
        clashes << clashesIn(window.windowTitle(), bar->actions());
    return clashes;
}

QStringList contextMenuClashes()
{
    QStringList clashes;
    int count = 0;
    for (const auto& [name, items] : {std::pair {"thumbnail menu", kivlead::ThumbMenu(&count)}}) {
        QMenu menu;
        kivlead::BuildMenu(menu, items, count);
        clashes << clashesIn(name, menu.actions());
    }
    const kivlead::MenuItem* explorer = kivlead::ExplorerMenu(&count);
    QMenu menu;
    kivlead::BuildMenu(menu, explorer, count);
    clashes << clashesIn("explorer menu", menu.actions());
    return clashes;
}

} // namespace

TEST(MenuKeys, NoTwoEntriesOfAMenuShareAnAltLetter)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Korean, QLocale::SouthKorea)}) {
        SCOPED_TRACE(locale.name().toStdString());
        const testsupport::InLocale in(locale);
        testsupport::TempDir dir;
        ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
        ImageWindow image(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg");
        ImageBrowser browser(VANDREL_SOURCE_DIR "/samples/images", QString::fromStdString(dir.path().string()));
        StudioWindow studio;
        QPlainTextEdit log;
        studio.menuBar()->addMenu(new DialogsMenu(VANDREL_SOURCE_DIR "/samples", &log, &studio));
        QStringList clashes = contextMenuClashes();
        for (QWidget* window : std::initializer_list<QWidget*> {&editor, &image, &browser, &studio}) {
            WindowTexts::translate(window);
            clashes << clashesOf(*window);
        }
        EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    }
}

TEST(MenuKeys, TheStandardShortcutsAreWhereADesktopUserPressesThem)
{
    testsupport::TempDir dir;
    ImageEditor editor(QString::fromStdString(dir.file("profile.ini")));
    ImageWindow image(VANDREL_SOURCE_DIR "/samples/images/clouds.jpg");
    ImageBrowser browser(VANDREL_SOURCE_DIR "/samples/images", QString::fromStdString(dir.path().string()));
    const auto keysOf = [](QWidget& window) {
        QList<QKeySequence> keys;
        for (const QAction* a : window.findChildren<QAction*>())
            keys << a->shortcut();
        return keys;
    };
    using K = QKeySequence;
    for (const K::StandardKey key : {K::New, K::Open, K::Save, K::SaveAs, K::Print, K::Close, K::Quit, K::Undo, K::Copy,
             K::Paste, K::ZoomIn, K::ZoomOut})
        EXPECT_TRUE(keysOf(editor).contains(K(key))) << "editor: " << K(key).toString().toStdString();
    for (const K::StandardKey key :
        {K::Open, K::Save, K::SaveAs, K::Print, K::Close, K::Undo, K::Redo, K::ZoomIn, K::ZoomOut})
        EXPECT_TRUE(keysOf(image).contains(K(key))) << "image window: " << K(key).toString().toStdString();
    for (const K::StandardKey key : {K::Open, K::Close})
        EXPECT_TRUE(keysOf(browser).contains(K(key))) << "browser: " << K(key).toString().toStdString();
}
