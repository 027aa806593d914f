// The path planner on hand-made grids of 64-pixel blocks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ai/path_planner.h"

namespace {

constexpr int kBlock = 64;
constexpr double kCell = kBlock / 2.0;

bool Same(const Vector2D& a, const Vector2D& b) {
    return a.x == b.x && a.y == b.y;
}

// '#' is a solid block, anything else open.
SolidGrid Grid(const std::vector<std::string>& rows) {
    SolidGrid grid;
    grid.rows = static_cast<int>(rows.size());
    grid.columns = static_cast<int>(rows.front().size());
    for (const std::string& row : rows) {
        for (const char c : row) grid.solid.push_back(c == '#' ? 1 : 0);
    }
    return grid;
}

// Every leg of the path from `from` is drivable and every waypoint is open.
void ExpectDrivable(const PathPlanner& planner, const Vector2D& from,
                    const std::vector<Vector2D>& path) {
    ASSERT_FALSE(path.empty());
    for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_TRUE(planner.Open(path[i])) << i;
        if (i > 0 || planner.Open(from)) {
            EXPECT_TRUE(planner.LineClear(i > 0 ? path[i - 1] : from, path[i])) << i;
        }
    }
}

TEST(PathPlannerTest, GoesRoundAWallAlongClearLegsThroughOpenCells) {
    // A wall down column 4 with a one-block gap above it and a two-block gap below.
    const PathPlanner planner(Grid({"..........", "....#.....", "....#.....", "....#.....",
                                    "....#.....", "....#.....", "..........", ".........."}),
                              20);
    const Vector2D from(100, 200), to(540, 200);
    ASSERT_FALSE(planner.LineClear(from, to));
    const auto path = planner.Plan(from, to);
    ExpectDrivable(planner, from, path);
    EXPECT_TRUE(Same(path.back(), to));
    // The gap above is too narrow for the clearance; the way is below the wall.
    EXPECT_TRUE(std::any_of(path.begin(), path.end(), [](const Vector2D& p) { return p.y > 384; }));

    // Scraping the wall: the path first gets back into the open, then the same.
    const Vector2D scraping(250, 200);
    ASSERT_FALSE(planner.Open(scraping));
    const auto out = planner.Plan(scraping, to);
    ExpectDrivable(planner, scraping, out);
    EXPECT_LT(std::hypot(out.front().x - scraping.x, out.front().y - scraping.y), kBlock);
    EXPECT_TRUE(Same(out.back(), to));
}

TEST(PathPlannerTest, AGoalInAWallOrOffTheGridEndsAtTheNearestOpenCell) {
    const SolidGrid grid =
        Grid({"........", "........", "..###...", "..###...", "..###...", "........", "........"});
    const PathPlanner planner(grid, 20);
    const Vector2D from(60, 60);
    for (const Vector2D& goal : {Vector2D(224, 224), Vector2D(-500, 130), Vector2D(900, 900)}) {
        ASSERT_FALSE(planner.Open(goal));
        const auto path = planner.Plan(from, goal);
        ExpectDrivable(planner, from, path);
        const Vector2D end = path.back();
        // No open cell's centre is nearer to the goal than the end.
        double nearest = 1e9;
        for (double y = kCell / 2; y < grid.rows * kBlock; y += kCell) {
            for (double x = kCell / 2; x < grid.columns * kBlock; x += kCell) {
                if (planner.Open(Vector2D(x, y))) {
                    nearest = std::min(nearest, std::hypot(x - goal.x, y - goal.y));
                }
            }
        }
        EXPECT_DOUBLE_EQ(std::hypot(end.x - goal.x, end.y - goal.y), nearest);
        // Already there: the plan is that cell's centre, never the goal itself.
        const auto there = planner.Plan(end, goal);
        ASSERT_EQ(there.size(), 1u);
        EXPECT_TRUE(Same(there[0], end));
    }
}

TEST(PathPlannerTest, NoPathWhenTheGoalIsEnclosedOrNothingIsOpen) {
    const PathPlanner planner(
        Grid({"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........"}), 20);
    const Vector2D inside(192, 192), outside(60, 350);
    ASSERT_TRUE(planner.Open(inside));
    EXPECT_TRUE(planner.Plan(outside, inside).empty());
    EXPECT_TRUE(planner.Plan(inside, outside).empty());

    // Two blocks meeting at a corner leave no way through the point they share.
    const PathPlanner pinch(Grid({"#.", ".#"}), 0);
    const Vector2D above(96, 32), below(32, 96);
    ASSERT_TRUE(pinch.Open(above) && pinch.Open(below));
    EXPECT_FALSE(pinch.LineClear(above, below));
    EXPECT_TRUE(pinch.Plan(above, below).empty());

    const Vector2D a(10, 10), b(150, 100);
    const PathPlanner none(SolidGrid{}, 20);
    EXPECT_TRUE(none.Plan(a, b).empty());
    EXPECT_FALSE(none.Open(a) || none.LineClear(a, b));
    EXPECT_TRUE(PathPlanner(Grid({"###", "###"}), 0).Plan(a, b).empty());
}

TEST(PathPlannerTest, ClearanceKeepsToTheMiddleOfACorridorAndClosesANarrowOne) {
    // An L-shaped corridor two blocks wide: down x 64..192, then across y 256..384.
    const PathPlanner planner(
        Grid({"########", "#..#####", "#..#####", "#..#####", "#.......", "#.......", "########"}),
        40);
    const Vector2D from(128, 100);
    const auto path = planner.Plan(from, Vector2D(440, 320));
    ExpectDrivable(planner, from, path);
    // Every waypoint is 40 px clear of the walls of the leg it is in.
    for (const Vector2D& p : path) {
        const bool down = p.x >= 104 && p.x <= 152 && p.y >= 104 && p.y <= 344;
        const bool across = p.y >= 296 && p.y <= 344 && p.x >= 104 && p.x <= 472;
        EXPECT_TRUE(down || across) << p.x << ", " << p.y;
    }

    // Two rooms joined by a one-block gap: too tight at 40, passable at 10.
    const SolidGrid rooms = Grid({"#########", "#...#...#", "#...#...#", "#........", "#...#...#",
                                  "#...#...#", "#########"});
    const Vector2D left(130, 160), right(450, 160);
    EXPECT_TRUE(PathPlanner(rooms, 40).Plan(left, right).empty());
    const PathPlanner slim(rooms, 10);
    ExpectDrivable(slim, left, slim.Plan(left, right));
}

TEST(PathPlannerTest, SmoothingLeavesOnlyWaypointsThatCannotBeSkipped) {
    // Open ground: corner to far corner, and two points in one cell, are one leg.
    const PathPlanner open(Grid(std::vector<std::string>(8, "........")), 20);
    for (const auto& [from, to] : {std::pair{Vector2D(40, 470), Vector2D(470, 90)},
                                   std::pair{Vector2D(200, 200), Vector2D(210, 220)}}) {
        const auto path = open.Plan(from, to);
        ASSERT_EQ(path.size(), 1u);
        EXPECT_TRUE(Same(path[0], to));
    }

    // Round a pillar: every waypoint is needed, its neighbours cannot see each other.
    const PathPlanner pillar(
        Grid({"........", "........", "...##...", "...##...", "........", "........"}), 20);
    const Vector2D from(60, 200), to(460, 200);
    auto path = pillar.Plan(from, to);
    ExpectDrivable(pillar, from, path);
    ASSERT_GE(path.size(), 2u);
    path.insert(path.begin(), from);
    for (std::size_t i = 1; i + 1 < path.size(); ++i) {
        EXPECT_FALSE(pillar.LineClear(path[i - 1], path[i + 1])) << i;
    }
}

}  // namespace
