// SPDX-License-Identifier: MIT
// The studio's Block List for the drawing-file dialog: the names of a
// drawing's blocks. A DXF drawing gives its own; a DWG drawing keeps its
// blocks in a form the libraries do not read, so its DXF copy beside it
// (the same name, ".dxf") gives them, and without one the window says why
// it lists nothing.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

class BlockList : public QDialog {
public:
    explicit BlockList(const QString& drawing, QWidget* parent = nullptr);

    // The named blocks of drawing, in the file's order (the anonymous and
    // layout blocks, "*…", left out). Empty with why set when there are none
    // to show.
    static QStringList Names(const QString& drawing, QString* why, QString* readFrom = nullptr);

    // The callback KivDlgAppDwgFile takes: the list over owner, modal.
    static void Show(QWidget* owner, const char* drawing);

    QString heading() const;
    QStringList shown() const;

private:
    QLabel* m_heading = nullptr;
    QListWidget* m_names = nullptr;
};
