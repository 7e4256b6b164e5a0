// SPDX-License-Identifier: MIT
#include "controls/CKivDirTreeCtrl.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Exposes the protected steps a derived tree uses.
struct Tree : CKivDirTreeCtrl {
    using CKivDirTreeCtrl::AddItem;
    using CKivDirTreeCtrl::GetDisk;
    using CKivDirTreeCtrl::GetItemPath;
    using CKivDirTreeCtrl::m_lastError;
};

struct Parent : CWnd {
    std::vector<int> codes;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
            codes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::vector<CString> children(const CTreeCtrl& tree, HTREEITEM item)
{
    std::vector<CString> out;
    for (HTREEITEM c = tree.GetChildItem(item); c; c = tree.GetNextSiblingItem(c))
        out.push_back(tree.GetItemText(c));
    return out;
}

HTREEITEM child(const CTreeCtrl& tree, HTREEITEM item, const CString& name)
{
    for (HTREEITEM c = tree.GetChildItem(item); c; c = tree.GetNextSiblingItem(c))
        if (tree.GetItemText(c) == name)
            return c;
    return nullptr;
}

bool placeholderOnly(const CTreeCtrl& tree, HTREEITEM item)
{
    return children(tree, item) == std::vector<CString> {""};
}

// drawings/            (sub-folders beta, Alpha, empty, files-only; plans)
//   Alpha/inner/deep/
//   beta/
//   empty/
//   files-only/a.txt
//   plan.DWG, b.dwg, notes.txt, gone.dwg (dangling)
struct Drawings {
    testsupport::TempDir dir;
    CString root;
    Drawings()
    {
        const fs::path r = dir.path() / "drawings";
        fs::create_directories(r / "Alpha" / "inner" / "deep");
        fs::create_directory(r / "beta");
        fs::create_directory(r / "empty");
        fs::create_directory(r / "files-only");
        testsupport::writeText(r / "files-only" / "a.txt", "");
        testsupport::writeText(r / "plan.DWG", "");
        testsupport::writeText(r / "b.dwg", "");
        testsupport::writeText(r / "notes.txt", "");
        fs::create_symlink(r / "missing.dwg", r / "gone.dwg");
        root = r.string() + "/";
    }
};

} // namespace

TEST(CKivDirTreeCtrl, FoldersArePlaceholdersUntilOpened)
{
    Drawings d;
    Tree tree;
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 0), 1);
    HTREEITEM top = tree.GetRootItem();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(tree.GetNextSiblingItem(top), nullptr);
    EXPECT_EQ(tree.GetItemText(top), "drawings");
    EXPECT_EQ(tree.GetPath(top), d.root);
    // Sorted ignoring case; only folders without files shown.
    EXPECT_EQ(children(tree, top), (std::vector<CString> {"Alpha", "beta", "empty", "files-only"}));
    HTREEITEM alpha = child(tree, top, "Alpha");
    EXPECT_TRUE(placeholderOnly(tree, alpha)) << "a sub-folder gives an expand button";
    EXPECT_FALSE(tree.ItemHasChildren(child(tree, top, "beta")));
    EXPECT_FALSE(tree.ItemHasChildren(child(tree, top, "files-only"))) << "files are not shown";
    EXPECT_EQ(tree.GetPath(alpha), d.root + "Alpha/");

    // Opened the way a person does: the real children replace the placeholder.
    tree.widget()->expandItem(alpha);
    EXPECT_EQ(children(tree, alpha), std::vector<CString> {"inner"});
    HTREEITEM inner = tree.GetChildItem(alpha);
    EXPECT_TRUE(placeholderOnly(tree, inner));
    EXPECT_EQ(tree.GetPath(inner), d.root + "Alpha/inner/");

    // Closed, it forgets; opened again, it reads afresh.
    tree.widget()->collapseItem(alpha);
    EXPECT_TRUE(placeholderOnly(tree, alpha));
    fs::create_directory(d.dir.path() / "drawings" / "Alpha" / "added");
    tree.widget()->expandItem(alpha);
    EXPECT_EQ(children(tree, alpha), (std::vector<CString> {"added", "inner"}));
}

TEST(CKivDirTreeCtrl, FilesOfTheFilterFollowTheFolders)
{
    Drawings d;
    Tree tree;
    tree.SetFileFilter(".dwg");
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 1), 1);
    HTREEITEM top = tree.GetRootItem();
    EXPECT_EQ(children(tree, top),
        (std::vector<CString> {"Alpha", "beta", "empty", "files-only", "b.dwg", "gone.dwg", "plan.DWG"}));
    // With files shown a folder holding other files still opens, to nothing
    // of the filter.
    HTREEITEM filesOnly = child(tree, top, "files-only");
    EXPECT_TRUE(placeholderOnly(tree, filesOnly));
    tree.widget()->expandItem(filesOnly);
    EXPECT_FALSE(tree.ItemHasChildren(filesOnly));

    tree.SetFileFilter("");
    tree.widget()->collapseItem(top);
    tree.widget()->expandItem(top);
    EXPECT_EQ(children(tree, top).size(), 8u) << "every file once the filter is gone";
}

TEST(CKivDirTreeCtrl, SetPathOpensEveryLevel)
{
    Drawings d;
    Tree tree;
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 0), 1);
    const CString deep = d.root + "Alpha/inner/deep";
    ASSERT_EQ(tree.SetPath(deep.c_str()), 1);
    HTREEITEM selected = tree.GetSelectedItem();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(tree.GetPath(selected), deep + "/");
    for (HTREEITEM at = tree.GetParentItem(selected); at; at = tree.GetParentItem(at))
        EXPECT_TRUE(tree.GetItemState(at, TVIS_EXPANDED)) << tree.GetItemText(at);

    // Again after a folder appeared: the opened levels are read afresh.
    fs::create_directory(d.dir.path() / "drawings" / "Alpha" / "inner" / "new");
    ASSERT_EQ(tree.SetPath((d.root + "Alpha/inner/new/").c_str()), 1);
    EXPECT_EQ(tree.GetPath(tree.GetSelectedItem()), d.root + "Alpha/inner/new/");

    // Written by hand: doubled separators, "." and ".." find the same item.
    ASSERT_EQ(tree.SetPath((d.root + "/beta/../Alpha/./inner//deep/").c_str()), 1);
    EXPECT_EQ(tree.GetPath(tree.GetSelectedItem()), deep + "/");

    const UINT count = tree.GetCount();
    EXPECT_EQ(tree.SetPath((d.root + "Alpha/none").c_str()), 0);
    EXPECT_EQ(tree.SetPath("/"), 0) << "outside the tree";
    EXPECT_EQ(tree.SetPath((d.root + "plan.DWG").c_str()), 0) << "no folder";
    EXPECT_EQ(tree.SetPath(nullptr), 0);
    EXPECT_EQ(tree.GetCount(), count) << "the tree as it was";
}

TEST(CKivDirTreeCtrl, VolumesWithTheirFolderInParentheses)
{
    Drawings d;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(d.dir.path().string()));
    Tree tree;
    const int shown = tree.DisplayTree(nullptr, 0);
    qputenv("HOME", oldHome);
    ASSERT_EQ(shown, 1);
    HTREEITEM home = tree.GetRootItem();
    ASSERT_NE(home, nullptr);
    const CString homePath = d.dir.path().string();
    EXPECT_EQ(tree.GetItemText(home), "Home (" + homePath + ")") << "the home folder first";
    EXPECT_EQ(tree.GetItemPath(home), homePath);
    EXPECT_EQ(tree.GetPath(home), homePath + "/");
    EXPECT_TRUE(placeholderOnly(tree, home));
    bool root = false;
    for (HTREEITEM top = home; top; top = tree.GetNextSiblingItem(top)) {
        CString disk = Tree::GetDisk(tree.GetItemText(top));
        if (disk != "/")
            disk += '/';
        EXPECT_EQ(disk, tree.GetPath(top)) << "parseable";
        root = root || tree.GetPath(top) == "/";
    }
    EXPECT_TRUE(root);

    // A path below the home folder opens through it.
    ASSERT_EQ(tree.SetPath((d.root + "Alpha/inner").c_str()), 1);
    HTREEITEM at = tree.GetSelectedItem();
    while (tree.GetParentItem(at))
        at = tree.GetParentItem(at);
    EXPECT_EQ(at, home);
}

TEST(CKivDirTreeCtrl, NamesAndDisksAreParsed)
{
    EXPECT_EQ(Tree::GetDisk("Data (C:)"), "C:");
    EXPECT_EQ(Tree::GetDisk("Home (/home/ann)"), "/home/ann");
    EXPECT_EQ(Tree::GetDisk("a (b) c (D:) tail"), "D:");
    EXPECT_EQ(Tree::GetDisk("no disk"), "");
    EXPECT_EQ(Tree::GetDisk("open (only"), "");
    EXPECT_EQ(CKivDirTreeCtrl::GetSubPath("/home/ann/Data/"), "Data");
    EXPECT_EQ(CKivDirTreeCtrl::GetSubPath("/home/ann/Data"), "Data");
    EXPECT_EQ(CKivDirTreeCtrl::GetSubPath("plain"), "plain");
    EXPECT_EQ(CKivDirTreeCtrl::GetSubPath(nullptr), "");

    CString label = "stale";
    EXPECT_EQ(CKivDirTreeCtrl::GetDiskLabel("/", &label), 1);
    testsupport::TempDir dir;
    EXPECT_EQ(CKivDirTreeCtrl::GetDiskLabel(dir.path().c_str(), &label), 0);
    EXPECT_EQ(label, "");
}

// Folders that vanish or lock, dangling links and names in no UTF-8 neither
// crash the tree nor stop it.
TEST(CKivDirTreeCtrl, BadEntriesOpenToWhatCanBeRead)
{
    Drawings d;
    const fs::path r = d.dir.path() / "drawings";
    const CString odd = "caf\xe9";
    fs::create_directories(r / odd / "sub");
    fs::create_directory_symlink(r / "nowhere", r / "dangling.dwg");
    Tree tree;
    tree.SetFileFilter(".dwg");
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 1), 1);
    HTREEITEM top = tree.GetRootItem();
    HTREEITEM latin = child(tree, top, odd);
    ASSERT_NE(latin, nullptr) << "the name byte for byte";
    EXPECT_EQ(tree.GetPath(latin), d.root + odd + "/");
    ASSERT_EQ(tree.SetPath((d.root + odd + "/sub").c_str()), 1);
    EXPECT_EQ(tree.GetPath(tree.GetSelectedItem()), d.root + odd + "/sub/");
    HTREEITEM dangling = child(tree, top, "dangling.dwg");
    ASSERT_NE(dangling, nullptr) << "listed as a file";
    EXPECT_FALSE(tree.ItemHasChildren(dangling));

    // A folder gone between listing and opening opens empty.
    HTREEITEM beta = child(tree, top, "beta");
    testsupport::writeText(r / "beta" / "x.dwg", "");
    tree.widget()->collapseItem(top);
    tree.widget()->expandItem(top);
    beta = child(tree, top, "beta");
    ASSERT_TRUE(placeholderOnly(tree, beta));
    fs::remove_all(r / "beta");
    tree.widget()->expandItem(beta);
    EXPECT_FALSE(tree.ItemHasChildren(beta));
}

// A pipe in a folder is listed by its name; nothing waits for a writer.
TEST(CKivDirTreeCtrl, PipesAreListedWithoutBeingOpened)
{
    Drawings d;
    for (const char* name : {"pipe.unknownkind", "pipe.dwg", "pipe"})
        ASSERT_EQ(testsupport::run({"mkfifo", d.root + name}).status, 0);
    Tree tree;
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 1), 1);
    HTREEITEM top = tree.GetRootItem();
    EXPECT_NE(child(tree, top, "pipe.unknownkind"), nullptr);
    EXPECT_NE(child(tree, top, "pipe.dwg"), nullptr);
    EXPECT_NE(child(tree, top, "pipe"), nullptr);
}

TEST(CKivDirTreeCtrl, UnreadableFolderOpensToNothing)
{
    Drawings d;
    const fs::path r = d.dir.path() / "drawings";
    fs::create_directory(r / "locked");
    fs::create_directory(r / "locked" / "inside");
    Tree tree;
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 0), 1);
    HTREEITEM locked = child(tree, tree.GetRootItem(), "locked");
    ASSERT_TRUE(placeholderOnly(tree, locked));
    fs::permissions(r / "locked", fs::perms::none);
    tree.widget()->expandItem(locked);
    const bool bound = !tree.ItemHasChildren(locked);
    fs::permissions(r / "locked", fs::perms::owner_all);
    if (!bound)
        GTEST_SKIP() << "permissions do not bind this user";
}

TEST(CKivDirTreeCtrl, FailuresKeepTheirText)
{
    Tree tree;
    EXPECT_EQ(tree.AddItem(TVI_ROOT, "/no/such/folder/anywhere"), nullptr);
    EXPECT_EQ(tree.m_lastError, CKivDirTreeCtrl::kNoFileInfo);
    EXPECT_EQ(tree.DisplayTree("/no/such/folder/anywhere", 0), 1) << "a root shows even before it exists";
    EXPECT_EQ(tree.GetChildItem(tree.GetRootItem()), nullptr);
}

TEST(CKivDirTreeCtrl, OpeningByKeyboardReachesTheParent)
{
    Drawings d;
    Parent parent;
    parent.resize(300, 300);
    Tree tree;
    tree.Create(TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS, CRect(0, 0, 300, 300), &parent, 9);
    parent.show();
    ASSERT_EQ(tree.DisplayTree(d.root.c_str(), 0), 1);
    EXPECT_FALSE(tree.GetStyle() & TVS_EDITLABELS) << "names cannot be edited";
    HTREEITEM alpha = child(tree, tree.GetRootItem(), "Alpha");
    tree.SelectItem(alpha);
    QCoreApplication::processEvents();
    parent.codes.clear();
    QTest::keyClick(tree.widget(), Qt::Key_Right);
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.codes, std::vector<int> {TVN_ITEMEXPANDED});
    EXPECT_EQ(children(tree, alpha), std::vector<CString> {"inner"});
    QTest::keyClick(tree.widget(), Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.codes.back(), TVN_SELCHANGED);
    EXPECT_EQ(tree.GetPath(tree.GetSelectedItem()), d.root + "Alpha/inner/");
}
