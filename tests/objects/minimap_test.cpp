#include <gtest/gtest.h>

#include "engine/graphics.h"
#include "objects/minimap.h"
#include "tests/objects/arena_fixture.h"

namespace {

class MinimapTest : public ArenaTest {
protected:
    MinimapTest() : ArenaTest(true) {}
};

// Dots come in their drivers' team colours, team 5 in red; a driver of no
// team takes the colour in force, which every dot leaves white. A hidden
// minimap draws no dot, but its dots still follow the cars.
TEST_F(MinimapTest, DotsShowEachCarInItsTeamColourUnlessTheMapIsHidden) {
    // A 1024 x 768 arena: one minimap pixel for 6 x 5 arena pixels, the
    // square's corner at (874, 582).
    auto map = Minimap::Create(1024, 768, 1024, 768, 0);
    const auto red = MakeDriver(ObjectClass::Jeep, 300, 300, 1, 1);
    const auto blue = MakeDriver(ObjectClass::Jeep, 600, 300, 1, 3);
    const auto lone = MakeDriver(ObjectClass::Jeep, 300, 600, 1, 5);
    const auto plain = MakeDriver(ObjectClass::Jeep, 600, 600, 1, 0);
    const auto red_dot = MinimapDot::Create(map, red);
    for (const auto& d : {blue, lone, plain}) MinimapDot::Create(map, d);
    EXPECT_EQ(red_dot->X, 874 + 50);
    EXPECT_EQ(red_dot->Y, 582 + 60);

    struct Expected {
        int x, y, r, g, b;
    };
    const Expected dots[] = {{924, 642, 255, 0, 0},
                             {974, 642, 0, 0, 255},
                             {924, 702, 255, 0, 0},
                             {974, 702, 255, 255, 255}};
    gfx_cls();
    Minimap::DrawAll();
    for (const Expected& e : dots) {
        const std::uint32_t p = test_support::PixelAt(e.x + 2, e.y + 2);
        EXPECT_EQ(test_support::R(p), e.r) << e.x << ", " << e.y;
        EXPECT_EQ(test_support::G(p), e.g) << e.x << ", " << e.y;
        EXPECT_EQ(test_support::B(p), e.b) << e.x << ", " << e.y;
    }

    map->visible = 1;
    red->myVehicle->X = 360;
    gfx_cls();
    Minimap::DrawAll();
    Minimap::UpdateAll();
    EXPECT_EQ(test_support::PixelAt(926, 644) & 0xFFFFFFu, 0u) << "a hidden map draws no dot";
    EXPECT_EQ(red_dot->X, 874 + 60);
}

}  // namespace
