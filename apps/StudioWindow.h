// SPDX-License-Identifier: MIT
// The studio's main window, the browser a CAD user opens: the folder tree,
// the thumbnail grid of a folder's slides, slide-library members and
// drawings beside a second grid of its images, a preview of the current one, and the slide library manager's
// actions on the selection (add to a library, delete from it with a
// question, extract, export as PNG or SVG). The host adds its own menus.
#pragma once

#include <QMainWindow>

#include <map>
#include <string>
#include <vector>

class CKivLeadExpListCtrl;
class CKivThumbViewCtrl;
class FolderBrowser;
class QFileSystemModel;
class QMenu;
class QTabWidget;
class QTreeView;
class RecentFiles;

class StudioWindow : public QMainWindow {
public:
    explicit StudioWindow(QWidget* parent = nullptr);

    // Browses folder: the tree, the grid and the title follow.
    void openFolder(const QString& folder);
    // A folder is browsed; a slide, library or drawing opens in its viewer.
    void open(const QString& path);
    QString folder() const { return m_folder; }
    FolderBrowser& browser() { return *m_browser; }
    CKivThumbViewCtrl& preview() { return *m_preview; }
    // The folder's pictures, in the second tab.
    CKivLeadExpListCtrl& images() { return *m_images; }
    QTabWidget& tabs() { return *m_tabs; }
    QTreeView& tree() { return *m_tree; }
    // The menu entry with this text (without &), null when there is none.
    QAction* action(const QString& text) const;
    RecentFiles& recentFolders() { return *m_recent; }
    // The File and View menus, for the host's own entries after the window's.
    QMenu* fileMenu() const { return m_file; }
    QMenu* viewMenu() const { return m_view; }

    // The library actions, on the grid's selection; each says what it did
    // in the status bar and gives how many slides it changed or wrote.
    int addToLibrary();
    int deleteFromLibrary();
    int extractHere();
    int exportAs(const char* format);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The selected items' files ("lib.slb(NAME)" for a member) in grid order.
    std::vector<std::string> selection() const;
    // The selected library members' names, by library.
    std::map<std::string, std::vector<std::string>> selectedMembers() const;
    void showCurrent();
    void showImages();
    void refresh(const QString& said);

    QString m_folder;
    FolderBrowser* m_browser;
    CKivThumbViewCtrl* m_preview;
    QTreeView* m_tree;
    QFileSystemModel* m_folders;
    QTabWidget* m_tabs = nullptr;
    CKivLeadExpListCtrl* m_images = nullptr;
    QString m_imagesShown; // the folder the images tab was filled from
    RecentFiles* m_recent = nullptr;
    QMenu* m_file = nullptr;
    QMenu* m_view = nullptr;
};
