#pragma once
// The running match as one object: every object list of the game and the
// state a match has (arena, steering world, drivers, limits, view, clock).
// Ending the match is destroying it, so no object of a finished match
// outlives it.
//
// The class-wide names stay: `Vehicle::List` and the others are views of
// the current match's lists (`MatchList`), so the rules' code reads as a
// class list. Between matches the current match is an idle, empty one.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "arena/tile_map.h"
#include "engine/image.h"
#include "objects/object_list.h"
#include "spritebehaviors/world.h"

class AI;
class ControlObject;
class Explosion;
class HealthPickUp;
class Minimap;
class MinimapDot;
class Player;
class RespawnPoint;
class Scar;
class SecondaryPickUp;
class SecondaryWeapon;
class Shot;
class Tread;
class Vehicle;
class Weapon;
class WeaponPickUp;
class Wreckage;

class Match {
public:
    /// A fresh match with empty lists and an empty tile map; it is the
    /// current match until it is destroyed or a newer one is made.
    Match();
    /// Tears the match down: every list emptied in the fixed order, then
    /// the drivers, the minimap, the steering world and the map let go.
    ~Match();
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // The object lists, in the order the teardown empties them.
    ObjectList<AI> AIs;
    ObjectList<Player> Players;
    ObjectList<Vehicle> Vehicles;
    ObjectList<Weapon> Weapons;
    ObjectList<SecondaryWeapon> SecondaryWeapons;
    ObjectList<Shot> Shots;
    ObjectList<Minimap> Minimaps;
    ObjectList<Wreckage> Wrecks;
    ObjectList<MinimapDot> MinimapDots;
    ObjectList<Tread> Treads;
    ObjectList<WeaponPickUp> WeaponPickUps;
    ObjectList<SecondaryPickUp> SecondaryPickUps;
    ObjectList<HealthPickUp> HealthPickUps;
    ObjectList<Explosion> Explosions;
    ObjectList<Scar> Scars;
    /// The respawn points of the arena being played.
    ObjectList<RespawnPoint> RespawnPoints;

    /// Every driver of the match, human and computer, in joining order.
    std::vector<std::shared_ptr<ControlObject>> DriverList;
    /// The human driver; Null in a spectator match.
    std::shared_ptr<Player> HumanPlayer;
    std::shared_ptr<Minimap> TheMinimap;
    /// The arena's tile map, empty until the arena loads.
    std::shared_ptr<TileMap> TheMap;
    /// The steering world, made when the arena loads.
    std::shared_ptr<GameWorld> TheWorld;
    double WorldWidth = 0.0;  ///< arena pixels
    double WorldHeight = 0.0;

    int ScoreLimit = 0;
    int GameType = 0;  ///< 0 Deathmatch, 1 Big Dog
    int TimeLeft = 0;  ///< seconds
    int RespawnPenalty = 0;
    bool Autopilot = false;  ///< the demo's autopilot drives the human car

    /// Top-left corner of the view, arena pixels.
    int ScrollX = 0;
    int ScrollY = 0;

    /// The match clock: the game-clock time of its next second, and the
    /// length of a second (milliseconds).
    std::int64_t ClockNextTick = 0;
    int ClockInterval = 1000;

    /// Images every blast, scar and tread of the match draws, loaded on
    /// first use.
    ImageHandle ExplosionImage;
    ImageHandle ScarImage;
    ImageHandle TreadImage;

private:
    struct Idle {};
    explicit Match(Idle);
    friend Match& TheMatch();

    bool alive_ = false;  ///< false for the idle match
};

/// The current match: the newest one alive, or an idle one between matches.
Match& TheMatch();
/// Whether a match object is alive (not the idle one).
bool MatchAlive();

/// The current match's list `Member`, with the calls of a list: what the
/// class-wide `List` members are.
template <typename T, ObjectList<T> Match::*Member>
class MatchList {
public:
    using Ref = typename ObjectList<T>::Ref;

    ObjectList<T>& Get() const { return TheMatch().*Member; }

    void Append(Ref object) const { Get().Append(std::move(object)); }
    bool Remove(const T* object) const { return Get().Remove(object); }
    bool Contains(const T* object) const { return Get().Contains(object); }
    template <typename Visit>
    void Walk(Visit&& visit) const {
        Get().Walk(std::forward<Visit>(visit));
    }
    template <typename Keep, typename Visit>
    void WalkIf(Keep&& keep, Visit&& visit) const {
        Get().WalkIf(std::forward<Keep>(keep), std::forward<Visit>(visit));
    }
    template <typename Class, typename Visit>
    void WalkClass(Class cls, Visit&& visit) const {
        Get().WalkClass(cls, std::forward<Visit>(visit));
    }
    std::vector<Ref> Items() const { return Get().Items(); }
    int Count() const { return Get().Count(); }
    bool Empty() const { return Get().Empty(); }
    template <typename Class>
    int CountClass(Class cls) const {
        return Get().CountClass(cls);
    }
    void Clear() const { Get().Clear(); }
};
