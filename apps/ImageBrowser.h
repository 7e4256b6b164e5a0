// SPDX-License-Identifier: MIT
// The studio's image browser: the explorer view of the image controls on a
// folder the user picks, with every view mode and sort order in its menus
// and the thumbnails kept in one cache folder.
#pragma once

#include <QMainWindow>

class CKivLeadExpListCtrl;
class QLabel;

class ImageBrowser : public QMainWindow {
public:
    ImageBrowser(const QString& folder, const QString& cacheFolder, QWidget* parent = nullptr);
    // The viewer of the cells: the picture in an image window owned by
    // owner's window.
    static int OpenImage(QWidget* owner, int fileType, const char* file, const char* label);

    CKivLeadExpListCtrl& explorer() { return *m_explorer; }
    void open(const QString& folder);
    // The menu entry with this text (without &), null when there is none.
    QAction* action(const QString& text) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CKivLeadExpListCtrl* m_explorer = nullptr;
    QLabel* m_status = nullptr;
    QString m_cache;
};
