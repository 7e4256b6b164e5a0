// SPDX-License-Identifier: MIT
// The multi-document image editor: every open image in a window of its own
// inside the main window, a page list beside the image for files of several
// pages, and the application's commands in menus whose entries are enabled
// and checked by the library's update handlers. vandrel-imaging is this
// window alone; the studio opens it from its Tools menu.
#pragma once

#include "imaging/app/CKivLeadApp.h"

#include <QMainWindow>

#include <functional>
#include <map>

class CCmdUI;
class CKivLeadAppView;
class CKivLeadPageFrame;
class QMdiArea;
class QLabel;
class QMenu;

class RecentFiles;

class ImageEditor : public QMainWindow {
public:
    // profilePath: where the application keeps its settings (empty: the
    // user's configuration folder).
    explicit ImageEditor(const QString& profilePath = QString(), QWidget* parent = nullptr);
    ~ImageEditor() override;

    CKivLeadApp& app() { return *m_app; }
    // The frame and view of the active document; null when none is open.
    CKivLeadPageFrame* activeFrame() const;
    CKivLeadAppView* activeView() const;
    // The menu entry with this text (without &), null when there is none.
    QAction* action(const QString& text) const;
    // Runs the update handlers of every entry, as opening a menu does.
    void updateCommands();
    // "640 × 480 pixels, 100 %, page 2 of 3" for the active picture.
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Update = std::function<void(CCmdUI*)>;
    QAction* add(QMenu* menu, const QString& text, std::function<void()> run, Update update = {});
    // A command of the active view; disabled while there is none.
    QAction* addView(QMenu* menu, const QString& text, std::function<void(CKivLeadAppView*)> run,
        std::function<void(CKivLeadAppView*, CCmdUI*)> update = {});
    void buildMenus();
    void showStatus();
    void printToPdf();

    CKivLeadApp* m_app;
    QMdiArea* m_mdi;
    RecentFiles* m_recent = nullptr;
    QLabel* m_status = nullptr;
    std::map<QAction*, Update> m_updates;
};
