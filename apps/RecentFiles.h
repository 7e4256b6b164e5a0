// SPDX-License-Identifier: MIT
// The files (or folders) a window opened last, newest first, kept in the user's settings
// (Vandrel/<application>.ini) and shown as a menu: choosing one opens it
// again; a file that has gone is said so and leaves the list.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;

class RecentFiles : public QObject {
public:
    static constexpr int kMax = 8;

    // Fills menu with the list kept under key; open is called with the file
    // chosen.
    RecentFiles(const QString& key, QMenu* menu, std::function<void(const QString&)> open, QObject* parent);

    // Puts path at the top (once), keeps the list and shows it.
    void add(const QString& path);
    QStringList files() const;

private:
    void save(const QStringList& files) const;
    void rebuild();

    QString m_key;
    QMenu* m_menu;
    std::function<void(const QString&)> m_open;
};
