#include "objects/match_state.h"

#include <algorithm>

#include "ai/control_object.h"
#include "arena/tile_map.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/minimap.h"
#include "objects/pickups.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "spritebehaviors/world.h"

namespace {

// The matches alive, oldest first: the newest is the current one.
std::vector<Match*> g_alive;

}  // namespace

Match::Match() : TheMap(std::make_shared<TileMap>()), alive_(true) {
    g_alive.push_back(this);
}

Match::Match(Idle) : TheMap(std::make_shared<TileMap>()) {}

Match::~Match() {
    // The lists are emptied while this match is current, so that an object
    // that touches a class list as it goes finds this match's.
    if (alive_) {
        std::erase(g_alive, this);
        g_alive.push_back(this);
    }
    AIs.Clear();
    Players.Clear();
    Vehicles.Clear();
    Weapons.Clear();
    SecondaryWeapons.Clear();
    Shots.Clear();
    Minimaps.Clear();
    Wrecks.Clear();
    MinimapDots.Clear();
    Treads.Clear();
    WeaponPickUps.Clear();
    SecondaryPickUps.Clear();
    HealthPickUps.Clear();
    Explosions.Clear();
    Scars.Clear();
    RespawnPoints.Clear();
    DriverList.clear();
    HumanPlayer.reset();
    TheMinimap.reset();
    TheWorld.reset();
    TheMap.reset();
    if (alive_) g_alive.pop_back();
}

Match& TheMatch() {
    if (!g_alive.empty()) return *g_alive.back();
    // Never destroyed: it holds nothing between matches, and code that asks
    // for the match at exit still finds one.
    static Match* const idle = new Match(Match::Idle{});
    return *idle;
}

bool MatchAlive() {
    return !g_alive.empty();
}
