// SPDX-License-Identifier: MIT
#include "platform/widgets/CTreeCtrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <vector>

namespace {

// Keeps a copy of every tree notification it is sent.
struct Parent : CWnd {
    std::vector<NMTREEVIEW> got;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
            got.push_back(*reinterpret_cast<const NMTREEVIEW*>(lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int count(int code) const
    {
        int n = 0;
        for (const NMTREEVIEW& g : got)
            n += g.hdr.code == code;
        return n;
    }
};

} // namespace

TEST(CTreeCtrl, InsertsWhereAskedAndWalksTheTree)
{
    CTreeCtrl tree;
    HTREEITEM b = tree.InsertItem("b");
    HTREEITEM a = tree.InsertItem("a", TVI_ROOT, TVI_FIRST);
    HTREEITEM c = tree.InsertItem("c", TVI_ROOT, a);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(tree.GetRootItem(), a);
    EXPECT_EQ(tree.GetNextSiblingItem(a), c);
    EXPECT_EQ(tree.GetNextSiblingItem(c), b);
    EXPECT_EQ(tree.GetNextSiblingItem(b), nullptr);

    HTREEITEM child = tree.InsertItem("child", a);
    EXPECT_EQ(tree.GetParentItem(child), a);
    EXPECT_EQ(tree.GetParentItem(a), nullptr);
    EXPECT_EQ(tree.GetChildItem(a), child);
    EXPECT_TRUE(tree.ItemHasChildren(a));
    EXPECT_FALSE(tree.ItemHasChildren(b));
    EXPECT_EQ(tree.GetCount(), 4u);

    CTreeCtrl other;
    HTREEITEM foreign = other.InsertItem("x");
    EXPECT_EQ(tree.InsertItem("y", foreign), nullptr) << "a parent of another tree";
    EXPECT_EQ(tree.InsertItem("y", TVI_ROOT, foreign), nullptr);
    EXPECT_FALSE(tree.DeleteItem(foreign));
    EXPECT_EQ(other.GetCount(), 1u);

    EXPECT_TRUE(tree.SetItemData(child, 42));
    EXPECT_EQ(tree.GetItemData(child), 42);
    EXPECT_TRUE(tree.DeleteItem(a));
    EXPECT_EQ(tree.GetCount(), 2u) << "with its child";
    EXPECT_TRUE(tree.DeleteItem(TVI_ROOT));
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

TEST(CTreeCtrl, TextsComeBackByteForByte)
{
    CTreeCtrl tree;
    const char* latin1 = "caf\xe9 \xff\xfe";
    HTREEITEM odd = tree.InsertItem(latin1);
    HTREEITEM korean = tree.InsertItem("도면");
    EXPECT_EQ(tree.GetItemText(odd), latin1);
    EXPECT_EQ(tree.GetItemText(korean), "도면");
    EXPECT_TRUE(tree.widget()->topLevelItem(0)->text(0).startsWith("caf")) << "shown as far as it reads";
    tree.SetItemText(odd, "plain");
    EXPECT_EQ(tree.GetItemText(odd), "plain");
    EXPECT_EQ(tree.GetItemText(nullptr), "");
}

TEST(CTreeCtrl, ExpandByCodeIsQuietAndCollapseResetDropsChildren)
{
    Parent parent;
    CTreeCtrl tree;
    tree.Create(TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 200, 200), &parent, 7);
    HTREEITEM a = tree.InsertItem("a");
    tree.InsertItem("a1", a);
    EXPECT_EQ(tree.GetItemState(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
    EXPECT_TRUE(tree.Expand(a, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemState(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    tree.Expand(a, TVE_COLLAPSE);
    EXPECT_EQ(tree.GetItemState(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), TVIS_EXPANDEDONCE);
    EXPECT_TRUE(tree.ItemHasChildren(a)) << "a plain collapse keeps the children";
    tree.Expand(a, TVE_TOGGLE);
    tree.Expand(a, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_FALSE(tree.ItemHasChildren(a));
    EXPECT_EQ(tree.GetItemState(a, TVIS_EXPANDEDONCE), 0u);
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.count(TVN_ITEMEXPANDED), 0);
    EXPECT_FALSE(tree.Expand(nullptr, TVE_EXPAND));
}

// What a person does with the keyboard reaches the parent as Win32 tree
// notifications once the events are delivered.
TEST(CTreeCtrl, UserExpandAndSelectionReachTheParent)
{
    Parent parent;
    parent.resize(300, 300);
    CTreeCtrl tree;
    tree.Create(TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 200, 200), &parent, 7);
    parent.show();
    HTREEITEM a = tree.InsertItem("a");
    tree.SetItemData(a, 5);
    HTREEITEM a1 = tree.InsertItem("a1", a);
    tree.InsertItem("b");
    tree.SelectItem(a);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.count(TVN_SELCHANGED), 1);
    EXPECT_EQ(parent.got.back().itemNew.hItem, a);
    EXPECT_EQ(parent.got.back().itemNew.lParam, 5);
    EXPECT_EQ(parent.got.back().hdr.idFrom, 7u);
    parent.got.clear();

    QTest::keyClick(tree.widget(), Qt::Key_Right);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.count(TVN_ITEMEXPANDED), 1);
    EXPECT_EQ(parent.got.back().action, TVE_EXPAND);
    EXPECT_EQ(parent.got.back().itemNew.hItem, a);
    EXPECT_TRUE(parent.got.back().itemNew.state & TVIS_EXPANDED);

    QTest::keyClick(tree.widget(), Qt::Key_Down);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.count(TVN_SELCHANGED), 1);
    EXPECT_EQ(parent.got.back().itemOld.hItem, a);
    EXPECT_EQ(parent.got.back().itemNew.hItem, a1);
    EXPECT_EQ(tree.GetSelectedItem(), a1);

    QTest::keyClick(tree.widget(), Qt::Key_Left); // to the parent
    QTest::keyClick(tree.widget(), Qt::Key_Left); // closes it
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.count(TVN_ITEMEXPANDED), 2);
    EXPECT_EQ(parent.got.back().action, TVE_COLLAPSE);
}

TEST(CTreeCtrl, IconsComeFromTheAttachedList)
{
    CImageList images;
    images.Create(16, 16, ILC_COLOR32, 2, 2);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red);
    CTreeCtrl tree;
    HTREEITEM before = tree.InsertItem("before", 0, 0);
    EXPECT_TRUE(tree.widget()->topLevelItem(0)->icon(0).isNull()) << "no list yet";
    EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), nullptr);
    EXPECT_FALSE(tree.widget()->topLevelItem(0)->icon(0).isNull()) << "given when the list comes";
    QImage blue = red;
    blue.fill(Qt::blue);
    const int later = images.Add(blue);
    tree.InsertItem("after", later, 0);
    const QImage shown = tree.widget()->topLevelItem(1)->icon(0).pixmap(16, 16).toImage();
    EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::blue)) << "an image added after attaching";
    int image = -2, selected = -2;
    EXPECT_TRUE(tree.GetItemImage(before, image, selected));
    EXPECT_EQ(image, 0);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &images);
}
