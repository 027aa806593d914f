#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ai/control_object.h"
#include "objects/game_object.h"
#include "objects/live_objects.h"
#include "objects/match_state.h"
#include "objects/object_list.h"

namespace {

struct Item {
    explicit Item(int id_) : id(id_) {}
    int id;
};
using ItemRef = std::shared_ptr<Item>;

std::vector<int> Ids(const ObjectList<Item>& list) {
    std::vector<int> out;
    for (const ItemRef& r : list.Items()) out.push_back(r->id);
    return out;
}

ObjectList<Item> ListOf(int n, std::vector<ItemRef>& keep) {
    ObjectList<Item> list;
    for (int i = 1; i <= n; ++i) {
        keep.push_back(std::make_shared<Item>(i));
        list.Append(keep.back());
    }
    return list;
}

TEST(ObjectList, WalkSurvivesRemovalOfSelfAndOthers) {
    std::vector<ItemRef> keep;
    ObjectList<Item> list = ListOf(5, keep);
    std::vector<int> visited;
    list.Walk([&](Item& item) {
        visited.push_back(item.id);
        if (item.id == 2) {
            list.Remove(&item);          // itself
            list.Remove(keep[3].get());  // 4, ahead of the walk
            list.Remove(keep[0].get());  // 1, behind it
            EXPECT_FALSE(list.Remove(&item)) << "removing twice does nothing";
        }
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(Ids(list), (std::vector<int>{3, 5}));
    EXPECT_EQ(list.Count(), 2);
}

TEST(ObjectList, ObjectsAppendedDuringAWalkAreVisitedByIt) {
    std::vector<ItemRef> keep;
    ObjectList<Item> list = ListOf(2, keep);
    std::vector<int> visited;
    list.Walk([&](Item& item) {
        visited.push_back(item.id);
        // Item 1 makes 10, which makes 11 (as blasts make fragments).
        if (item.id == 1) list.Append(std::make_shared<Item>(10));
        if (item.id == 10) list.Append(std::make_shared<Item>(11));
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 10, 11}));
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 10, 11}));
}

TEST(ObjectList, NestedWalksAndClearing) {
    std::vector<ItemRef> keep;
    ObjectList<Item> list = ListOf(3, keep);
    int inner_visits = 0;
    list.Walk([&](Item& outer) {
        list.Walk([&](Item& inner) {
            ++inner_visits;
            if (outer.id == 1 && inner.id == 3) list.Remove(&inner);
        });
    });
    EXPECT_EQ(inner_visits, 3 + 2) << "the outer walk no longer reaches 3";
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2}));
    std::vector<int> visited;
    list.Walk([&](Item& item) {
        visited.push_back(item.id);
        list.Clear();
    });
    EXPECT_EQ(visited, (std::vector<int>{1}));
    EXPECT_TRUE(list.Empty());
    list.Walk([&](Item&) { ADD_FAILURE() << "an empty list visits nothing"; });
}

TEST(ObjectList, TheVisitedObjectLivesUntilItsVisitEnds) {
    ObjectList<Item> list;
    std::weak_ptr<Item> weak;
    {
        auto item = std::make_shared<Item>(7);
        weak = item;
        list.Append(item);
    }
    list.Walk([&](Item& item) {
        list.Remove(&item);
        EXPECT_FALSE(weak.expired()) << "kept alive until the walk ends";
        EXPECT_EQ(item.id, 7);
        list.Walk([&](Item&) { ADD_FAILURE() << "no longer listed"; });
        EXPECT_FALSE(weak.expired()) << "an inner walk's end is not the end";
    });
    EXPECT_TRUE(weak.expired());
}

// The per-class count is kept by the list itself: it follows appends,
// removals (at once, also during a walk) and clearing.
TEST(ObjectList, CountsEachClassAsObjectsComeAndGo) {
    struct Classed {
        explicit Classed(int cls_) : cls(cls_) {}
        int Class() const { return cls; }
        int cls;
    };
    ObjectList<Classed> list;
    std::vector<std::shared_ptr<Classed>> keep;
    for (const int cls : {2, 5, 2, 2}) {
        keep.push_back(std::make_shared<Classed>(cls));
        list.Append(keep.back());
    }
    EXPECT_EQ(list.CountClass(2), 3);
    EXPECT_EQ(list.CountClass(5), 1);
    EXPECT_EQ(list.CountClass(3), 0);
    EXPECT_EQ(list.CountClass(40), 0) << "a class never listed";
    list.WalkClass(2, [&](Classed& c) {
        if (&c != keep[0].get()) return;
        list.Remove(&c);
        EXPECT_FALSE(list.Remove(&c));
        EXPECT_EQ(list.CountClass(2), 2) << "gone from the count before the walk ends";
        list.Append(std::make_shared<Classed>(5));
    });
    EXPECT_EQ(list.CountClass(2), 2);
    EXPECT_EQ(list.CountClass(5), 2);
    list.Walk([&](Classed&) { list.Clear(); });
    EXPECT_EQ(list.CountClass(2), 0);
    EXPECT_EQ(list.CountClass(5), 0);
    list.Append(keep[1]);
    EXPECT_EQ(list.CountClass(5), 1);
}

TEST(GeometryHelpers, PointDistanceAndRandomSign) {
    EXPECT_FLOAT_EQ(PointDistance(0, 0, 3, 4), 5.0f);
    EXPECT_FLOAT_EQ(PointDistance(-3, 10, 0, 6), 5.0f);
    int negative = 0;
    for (int i = 0; i < 1000; ++i) {
        const float s = RandomSign(2.5f);
        ASSERT_TRUE(s == 2.5f || s == -2.5f);
        negative += s < 0 ? 1 : 0;
    }
    EXPECT_GT(negative, 400);
    EXPECT_LT(negative, 600);
}

TEST(GeometryHelpers, WithinDistanceAgreesWithPointDistanceForEveryRadiusInUse) {
    for (const int radius : {25, 50, 80, 120, 650, 1000}) {
        for (int dy = 0; dy <= radius + 1; ++dy) {
            for (int dx = 0; dx <= radius + 1; ++dx) {
                ASSERT_EQ(WithinDistance(7, -3, 7 + dx, -3 - dy, radius),
                          PointDistance(7, -3, 7 + dx, -3 - dy) < static_cast<float>(radius))
                    << radius << ": " << dx << ", " << dy;
            }
        }
    }
}

// A match's points in the order the arena designates them; one leaves by
// itself, the match's end lets go of the rest.
TEST(RespawnPoints, AreListedInOrderAndLeaveOneByOneOrWithTheirMatch) {
    auto match = std::make_unique<Match>();
    auto a = RespawnPoint::Designate(64, 64);
    auto b = RespawnPoint::Designate(128, 64);
    auto c = RespawnPoint::Designate(999, 999);
    const auto points = RespawnPoint::List.Items();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0]->GetX(), 64);
    EXPECT_EQ(points[2]->GetY(), 999);
    EXPECT_EQ(points[1]->Active, 0);
    b->Destroy();
    EXPECT_EQ(RespawnPoint::List.Count(), 2);
    match.reset();
    EXPECT_TRUE(RespawnPoint::List.Empty());
    EXPECT_EQ(LiveObjectCount("RespawnPoint"), 3) << "still held here";
}

// The class lists are the current match's: the newest alive, whichever
// ends first; between matches an idle one with nothing in it.
TEST(MatchObject, TheNewestMatchAliveOwnsTheListsAndEndsItsObjects) {
    ASSERT_FALSE(MatchAlive());
    Match& idle = TheMatch();
    EXPECT_TRUE(RespawnPoint::List.Empty());
    {
        auto older = std::make_unique<Match>();
        EXPECT_TRUE(MatchAlive());
        EXPECT_NE(&TheMatch(), &idle);
        RespawnPoint::Designate(1, 1);
        older->DriverList.push_back(std::make_shared<ControlObject>());
        {
            Match newer;
            EXPECT_EQ(&TheMatch(), &newer);
            EXPECT_TRUE(RespawnPoint::List.Empty()) << "a fresh match shares nothing";
            RespawnPoint::Designate(2, 2);
            RespawnPoint::Designate(3, 3);
            EXPECT_EQ(LiveObjectCount("RespawnPoint"), 3);
        }
        EXPECT_EQ(LiveObjectCount("RespawnPoint"), 1) << "the newer match's points ended with it";
        EXPECT_EQ(&TheMatch(), older.get());
        EXPECT_EQ(RespawnPoint::List.Count(), 1);

        // Ending out of turn: the older of two goes first.
        auto newer = std::make_unique<Match>();
        RespawnPoint::Designate(4, 4);
        older.reset();
        EXPECT_EQ(&TheMatch(), newer.get());
        EXPECT_EQ(RespawnPoint::List.Count(), 1);
        EXPECT_EQ(LiveObjectCount("RespawnPoint"), 1);
    }
    EXPECT_FALSE(MatchAlive());
    EXPECT_EQ(&TheMatch(), &idle);
    EXPECT_TRUE(TheMatch().DriverList.empty());
    EXPECT_EQ(LiveObjectTotal(), 0) << LiveObjectSummary();
}

}  // namespace
