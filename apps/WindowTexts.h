// SPDX-License-Identifier: MIT
// The apps' own texts in the user's language: as each window is first shown,
// its title, menus, labels, buttons, group boxes and placeholders are looked
// up in the catalogue (context "Studio") and replaced where it has them. The
// texts stay plain English in the code; a Korean locale gets Korean.
#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

class WindowTexts : public QObject {
public:
    explicit WindowTexts(QObject* parent = nullptr) : QObject(parent) { }

    // Translates window and everything in it (its menu bar's menus too).
    static void translate(QWidget* window);
    // The texts of window that have letters and no translation in the
    // current locale's catalogue.
    static QStringList untranslated(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
