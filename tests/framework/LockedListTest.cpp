#include "framework/LockedList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Counts how often items are deleted.
struct Counted {
    explicit Counted(int v, int* deletions) : value(v), deleted(deletions) {}
    ~Counted() { ++*deleted; }
    int value;
    int* deleted;
};

std::vector<int> Values(LockedList<Counted>& list) {
    std::vector<int> out;
    for (Counted* c : list) out.push_back(c->value);
    return out;
}
}  // namespace

TEST(LockedList, InsertsAtBothEndsAndInTheMiddle) {
    int deleted = 0;
    LockedList<Counted> list;
    list.Add(new Counted(2, &deleted));
    list.Add(new Counted(4, &deleted), 99);  // not below the count: appended
    list.Add(new Counted(1, &deleted), 0);
    list.Add(new Counted(3, &deleted), 2);
    list.Add(new Counted(5, &deleted), -1);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(5), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(LockedList, CursorWalksOneStepPerAccessInBothDirections) {
    int deleted = 0;
    LockedList<Counted> list;
    for (int i = 0; i < 100; ++i) list.Add(new Counted(i, &deleted));
    long before = list.Steps();
    for (int i = 0; i < 100; ++i) ASSERT_EQ(list.Get(i)->value, i);
    EXPECT_EQ(list.Steps() - before, 100);  // from the head: one step per index
    before = list.Steps();
    for (int i = 99; i >= 0; --i) ASSERT_EQ(list.Get(i)->value, i);
    EXPECT_EQ(list.Steps() - before, 99);  // backwards from index 99
    // Mixed access: forward and back by small amounts costs only the distance.
    before = list.Steps();
    EXPECT_EQ(list.Get(3)->value, 3);
    EXPECT_EQ(list.Get(1)->value, 1);
    EXPECT_EQ(list.Get(2)->value, 2);
    EXPECT_EQ(list.Steps() - before, 3 + 2 + 1);
    // A removal puts the cursor back to the head.
    list.RemoveAt(50);
    before = list.Steps();
    EXPECT_EQ(list.Get(0)->value, 0);
    EXPECT_EQ(list.Steps() - before, 1);
    EXPECT_EQ(list.Get(50)->value, 51);
}

TEST(LockedList, RefusesDuplicatesOnlyWhenAsked) {
    int deleted = 0;
    LockedList<Counted> list;
    Counted* a = new Counted(1, &deleted);
    EXPECT_TRUE(list.Add(a, -1, true));
    EXPECT_FALSE(list.Add(a, -1, true));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Add(a));  // allowed without the option
    EXPECT_EQ(list.Count(), 2);
    list.Clear(false);
    delete a;
    EXPECT_EQ(deleted, 1);
}

TEST(LockedList, OwnershipDeletesEachItemExactlyOnce) {
    int deleted = 0;
    {
        LockedList<Counted> list;
        Counted* keep = new Counted(7, &deleted);
        list.Add(new Counted(1, &deleted));
        list.Add(keep);
        list.Add(new Counted(3, &deleted));
        list.Add(new Counted(4, &deleted));
        EXPECT_EQ(list.RemoveAt(0), nullptr);  // deleted
        EXPECT_EQ(deleted, 1);
        EXPECT_TRUE(list.Remove(keep, false));  // only unlinked
        EXPECT_EQ(deleted, 1);
        EXPECT_FALSE(list.Remove(keep));  // no longer in the list
        delete keep;
        EXPECT_EQ(deleted, 2);
        EXPECT_EQ(list.RemoveAt(5), nullptr);  // out of range: nothing
        Counted* unlinked = list.RemoveAt(1, false);
        ASSERT_NE(unlinked, nullptr);
        EXPECT_EQ(unlinked->value, 4);
        delete unlinked;
        EXPECT_EQ(deleted, 3);
    }  // the destructor deletes the one left
    EXPECT_EQ(deleted, 4);
}

TEST(LockedList, ClearWithoutDeletionLeavesItemsAlive) {
    int deleted = 0;
    Counted a(1, &deleted), b(2, &deleted);
    {
        LockedList<Counted> list;
        list.Add(&a);
        list.Add(&b);
        EXPECT_EQ(list.IndexOf(&b), 1);
        list.Clear(false);
        EXPECT_TRUE(list.Empty());
    }
    EXPECT_EQ(deleted, 0);
}
