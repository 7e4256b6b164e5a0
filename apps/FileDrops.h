// SPDX-License-Identifier: MIT
// Files and folders dropped on a window from a file manager: the window
// accepts a drag that carries local paths and hands them over on the drop.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

class FileDrops : public QObject {
public:
    using Open = std::function<void(const QStringList& paths)>;

    // Makes window accept drops of local files; open gets their paths.
    static void accept(QWidget* window, Open open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FileDrops(QObject* parent, Open open) : QObject(parent), m_open(std::move(open)) { }
    Open m_open;
};
