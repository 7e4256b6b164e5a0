// SPDX-License-Identifier: MIT
#include "WindowTexts.h"

#include "platform/base/Translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QWidget>

#include <functional>

namespace {

const char* const kDone = "vandrelTextsTranslated";

// Calls visit on every text of window with the setter that replaces it.
void forEachText(QWidget* window, const std::function<void(const QString&, const std::function<void(QString)>&)>& visit)
{
    visit(window->windowTitle(), [window](QString t) { window->setWindowTitle(t); });
    // Every menu once: those of the menu bar and those held elsewhere (a
    // context menu), whatever the order they are found in.
    QSet<QMenu*> seen;
    std::function<void(QMenu*)> menu = [&](QMenu* m) {
        if (seen.contains(m) || m->property(kDone).toBool())
            return;
        seen.insert(m);
        visit(m->title(), [m](QString t) { m->setTitle(t); });
        for (QAction* a : m->actions()) {
            if (a->menu())
                menu(a->menu());
            else if (!a->isSeparator() && !a->property("vandrelData").toBool())
                visit(a->text(), [a](QString t) { a->setText(t); });
        }
    };
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* a : bar->actions())
            if (a->menu())
                menu(a->menu());
    for (QMenu* m : window->findChildren<QMenu*>())
        menu(m);
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->textFormat() != Qt::RichText && !l->property("vandrelData").toBool())
            visit(l->text(), [l](QString t) { l->setText(t); });
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        visit(b->text(), [b](QString t) { b->setText(t); });
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        visit(g->title(), [g](QString t) { g->setTitle(t); });
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        visit(e->placeholderText(), [e](QString t) { e->setPlaceholderText(t); });
    for (QTabWidget* t : window->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i)
            visit(t->tabText(i), [t, i](QString text) { t->setTabText(i, text); });
    for (QDockWidget* d : window->findChildren<QDockWidget*>())
        visit(d->windowTitle(), [d](QString t) { d->setWindowTitle(t); });
}

bool hasWords(const QString& text)
{
    static const QRegularExpression letters("[A-Za-z]{2}");
    return text.contains(letters);
}

} // namespace

void WindowTexts::translate(QWidget* window)
{
    forEachText(window, [](const QString& text, const std::function<void(QString)>& set) {
        if (!hasWords(text))
            return;
        const QByteArray source = text.toUtf8();
        const QString translated = KivTranslateText("Studio", source.constData());
        if (translated != text)
            set(translated);
    });
    for (QMenu* m : window->findChildren<QMenu*>())
        m->setProperty(kDone, true);
}

QStringList WindowTexts::untranslated(QWidget* window)
{
    QStringList missing;
    forEachText(window, [&missing](const QString& text, const std::function<void(QString)>&) {
        const QByteArray source = text.toUtf8();
        if (hasWords(text) && KivTranslateText("Studio", source.constData()) == text && !missing.contains(text))
            missing << text;
    });
    return missing;
}

bool WindowTexts::eventFilter(QObject* watched, QEvent* event)
{
    // Once, when a window first shows: texts set later (a file's name in a
    // title, a count in a status line) are the program's data.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && !widget->property(kDone).toBool()) {
            widget->setProperty(kDone, true);
            translate(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}
