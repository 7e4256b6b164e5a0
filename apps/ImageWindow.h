// SPDX-License-Identifier: MIT
// The studio's image window: an image edit control with a menu of every
// edit command (undo and redo included), the four edit dialogs, zoom and the
// pan and crop tools, on a picture file.
#pragma once

#include "imaging/editor/CKivLeadEditCtrl.h"

#include <QMainWindow>

class CKivLeadScrollBars;
class QLabel;
class RecentFiles;

class ImageWindow : public QMainWindow {
public:
    explicit ImageWindow(const QString& file, QWidget* parent = nullptr);

    CKivLeadEditCtrl& edit() { return *m_edit; }
    CKivLeadScrollBars* scrollBars() const { return m_bars; }
    // The menu entry with this text (without &), null when there is none.
    QAction* action(const QString& text) const;
    // Runs one of the edit control's command handlers and shows whether the
    // image is now modified.
    void run(void (CKivLeadEditCtrl::*handler)());
    // Shows file in place of the picture shown, which it does not save.
    void open(const QString& file);
    // Zooms in (steps > 0) or out from the zoom shown, fitted or not.
    void zoom(int steps);
    // "640 × 480 pixels, 100 %, page 1 of 3": what the status bar shows.
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Asks whether to save a changed picture before it goes: false when the
    // user cancels, or a save that was asked for failed.
    bool maySave();
    // Saves the picture into file, saying why when it cannot; whether it did.
    bool saveTo(const QString& file);
    void updateTitle();

    CKivLeadEditCtrl* m_edit;
    CKivLeadScrollBars* m_bars = nullptr;
    QLabel* m_status = nullptr;
    QString m_file;
    int m_pages = 0;
    RecentFiles* m_recent = nullptr;
};
