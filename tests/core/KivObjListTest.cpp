// SPDX-License-Identifier: MIT
#include "core/KivObjList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int a = 1, b = 2, c = 3, d = 4, x = 9;

// What the list holds, walked by position as callers do.
std::vector<void*> contents(const KivObjList& list)
{
    std::vector<void*> out;
    for (int i = 0; void* e = list.getAt(i); ++i)
        out.push_back(e);
    return out;
}

struct Probe : KivObjList {
    using KivObjList::getHead;
    using KivObjList::getLink;
    using KivObjList::getTail;
    using KivObjList::isValid;
    using KivObjList::setElementDeleter;

    // The links agree with each other in both directions.
    bool consistent() const
    {
        int n = 0;
        const KivObjLink* prev = nullptr;
        for (const KivObjLink* l = getHead(); l; l = l->next, ++n) {
            if (l->previous != prev)
                return false;
            prev = l;
        }
        return prev == getTail() && n == getCount();
    }
};

} // namespace

TEST(KivObjList, AddHeadOnEmptyAndBeforeFirst)
{
    Probe list;
    list.addHead(&a);
    EXPECT_EQ(contents(list), (std::vector<void*> {&a}));
    list.addHead(&b);
    EXPECT_EQ(contents(list), (std::vector<void*> {&b, &a}));
    EXPECT_EQ(list.head(), &b);
    EXPECT_EQ(list.tail(), &a);
    EXPECT_TRUE(list.consistent());
}

TEST(KivObjList, InsertByPositionAndByElement)
{
    Probe list;
    list.insertBefore(5, &a); // empty list: becomes the only link
    list.addTail(&c);
    list.insertAfter(0, &b);
    list.insertBefore(&a, &d);
    EXPECT_EQ(contents(list), (std::vector<void*> {&d, &a, &b, &c}));
    list.insertAfter(&c, &x);
    EXPECT_EQ(list.tail(), &x);
    EXPECT_TRUE(list.consistent());

    // Positions or elements that name no link insert nothing.
    list.insertBefore(99, &x);
    list.insertAfter(-1, &x);
    int stranger = 0;
    list.insertBefore(&stranger, &x);
    EXPECT_EQ(list.getCount(), 5);
    EXPECT_TRUE(list.consistent());
}

TEST(KivObjList, FindStartsAtTheGivenPosition)
{
    KivObjList list;
    for (void* e : {&x, &a, &x, &b})
        list.addTail(e);
    EXPECT_EQ(list.find(&x, 0), 0);
    EXPECT_EQ(list.find(&x, 1), 2);
    EXPECT_EQ(list.find(&x, 3), -1);
    EXPECT_EQ(list.find(&x, 4), -1);
    EXPECT_EQ(list.find(&x, -1), -1);
    EXPECT_EQ(list.find(&c, 0), -1);
}

TEST(KivObjList, RemovingFromEmptyAndOnlyLink)
{
    Probe list;
    EXPECT_EQ(list.removeHead(), nullptr);
    EXPECT_EQ(list.removeTail(), nullptr);
    EXPECT_EQ(list.isEmpty(), 1);
    list.addTail(&a);
    EXPECT_EQ(list.removeTail(), &a);
    EXPECT_EQ(list.head(), nullptr);
    EXPECT_EQ(list.getHead(), nullptr);
    EXPECT_EQ(list.getTail(), nullptr);
    list.addTail(&a);
    list.addTail(&b);
    EXPECT_EQ(list.removeHead(), &a);
    EXPECT_EQ(list.head(), &b);
    EXPECT_TRUE(list.consistent());
}

TEST(KivObjList, RemoveAtAndSetAtOutsideChangeNothing)
{
    Probe list;
    for (void* e : {&a, &b, &c})
        list.addTail(e);
    EXPECT_EQ(list.setAt(3, &x), 0);
    EXPECT_EQ(list.setAt(-1, &x), 0);
    list.removeAt(3);
    list.removeAt(-1);
    EXPECT_EQ(contents(list), (std::vector<void*> {&a, &b, &c}));
    EXPECT_EQ(list.setAt(1, &x), 1);
    list.removeAt(0);
    EXPECT_EQ(contents(list), (std::vector<void*> {&x, &c}));
    list.swap(0, 1);
    EXPECT_EQ(contents(list), (std::vector<void*> {&c, &x}));
    list.swap(0, 7);
    EXPECT_EQ(contents(list), (std::vector<void*> {&c, &x}));
    EXPECT_EQ(list.isValid(1), 1);
    EXPECT_EQ(list.isValid(2), 0);
    EXPECT_EQ(list.getLink(-1), nullptr);
    EXPECT_TRUE(list.consistent());
}

TEST(KivObjList, CursorNeverServesAStaleLink)
{
    // Positional reads after every kind of change must see the change.
    KivObjList list;
    for (void* e : {&a, &b, &c, &d})
        list.addTail(e);
    EXPECT_EQ(list.getAt(2), &c);
    list.removeAt(1);
    EXPECT_EQ(list.getAt(2), &d);
    list.insertBefore(1, &x);
    EXPECT_EQ(list.getAt(1), &x);
    EXPECT_EQ(list.getAt(2), &c);
    list.removeHead();
    EXPECT_EQ(list.getAt(0), &x);
    list.addHead(&b);
    EXPECT_EQ(list.getAt(1), &x);
    EXPECT_EQ(list.getAt(3), &d);
    list.removeTail();
    EXPECT_EQ(list.getAt(3), nullptr);
    list.removeAll();
    EXPECT_EQ(list.getAt(0), nullptr);
    EXPECT_EQ(list.getCount(), 0);
}

TEST(KivObjList, WalkBackwardsAndRandomlyMatchesPositions)
{
    std::vector<int> values(200);
    KivObjList list;
    for (auto& v : values)
        list.addTail(&v);
    for (int i = 199; i >= 0; --i)
        ASSERT_EQ(list.getAt(i), &values[static_cast<std::size_t>(i)]);
    for (int i : {0, 150, 3, 199, 100, 101, 99, 7})
        ASSERT_EQ(list.getAt(i), &values[static_cast<std::size_t>(i)]);
}

TEST(KivObjList, RemoveDataFreesWithTheListsDeleter)
{
    static int freed = 0;
    freed = 0;
    Probe list;
    list.setElementDeleter([](void* e) {
        ++freed;
        delete static_cast<int*>(e);
    });
    list.addTail(new int(1));
    list.addTail(new int(2));
    list.removeData();
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(list.isEmpty(), 1);
    list.addTail(new int(3)); // reusable after emptying
    list.removeData();
    EXPECT_EQ(freed, 3);
}
