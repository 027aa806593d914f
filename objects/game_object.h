#pragma once
// The base of the game objects, their class identities (which fix the order
// of the per-class passes over a shared list), the two geometry helpers
// every object uses, and the arena's respawn points.
//
// Units: arena pixels (x to the right, y down), angles in degrees turning
// clockwise on screen from +x, speeds in pixels per frame, lifetimes in
// frames.

#include <memory>

#include "engine/image.h"
#include "objects/live_objects.h"
#include "objects/match_state.h"
#include "objects/object_list.h"

/// The concrete game classes that share a list with others.
enum class ObjectClass {
    None,
    // Vehicle.List
    Jeep,
    Car,
    SportsCar,
    ConceptCar,
    SemiTruck,
    // Weapon.List
    MachineGun,
    HeavyMachineGun,
    RPG,
    RocketLauncher,
    PhaseGun,
    // Shot.List
    MGBullet,
    HMGBullet,
    PGBullet,
    RPGBullet,
    RLBullet,
    Shrapnel,
    Mine,
    Shield,
    Turret,
    // Lists of one class each
    Tread,
    HealthPickUp,
    WeaponPickUp,
    SecondaryPickUp,
};

/// Position fields shared by the moving and stationary objects.
class GameObject : public std::enable_shared_from_this<GameObject> {
public:
    GameObject() = default;
    virtual ~GameObject() = default;
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    /// One frame's step: moves, collides, fires; draws nothing (each class
    /// draws in a call of its own). Does nothing here.
    virtual int Update() { return 0; }
    /// Final effects and removal from the class list. Does nothing here.
    virtual int Destroy() { return 0; }
    /// The concrete class, for the per-class passes.
    virtual ObjectClass Class() const { return ObjectClass::None; }

    /// This object as its own class.
    template <typename T>
    std::shared_ptr<T> SelfAs() {
        return std::static_pointer_cast<T>(shared_from_this());
    }

    float X = 0;  ///< centre, arena pixels
    float Y = 0;
    int OldX = 0;  ///< previous X truncated (vehicles only)
    int OldY = 0;
};

/// Walks a list shared by several classes once per class in `order`, each
/// pass visiting only the objects of that class.
template <typename List, typename Visit, std::size_t N>
void WalkByClass(const List& list, const ObjectClass (&order)[N], Visit&& visit) {
    for (const ObjectClass cls : order) {
        list.WalkClass(cls, visit);
    }
}

/// Distance between two points given as truncated coordinates.
float PointDistance(int x1, int y1, int x2, int y2);
/// PointDistance(...) < radius without the square root: the same answer for
/// every whole radius up to 1000 (the float distance of the nearest point
/// inside stays below the radius).
inline bool WithinDistance(int x1, int y1, int x2, int y2, int radius) {
    const long long dx = static_cast<long long>(x2) - x1, dy = static_cast<long long>(y2) - y1;
    return dx * dx + dy * dy < static_cast<long long>(radius) * radius;
}
/// -v or v with even chances (from the engine's generator).
float RandomSign(float v);

/// How a game object's image is drawn: turned by `rotation` degrees
/// (clockwise on screen), scaled by `scale` both ways, at `alpha`,
/// alpha-blended and untinted.
DrawParams ObjectLook(double rotation, double scale, double alpha = 1.0);
/// Draws frame 0 of the image with its handle at the arena position
/// (x, y), the view's offset taken off, with the parameters given whatever
/// the drawing state.
void DrawInArena(const ImageHandle& image, float x, float y, const DrawParams& params);

/// A place where a vehicle may be spawned. The list holds the points of the
/// arena being played, designated by the loader; they end with the match.
class RespawnPoint : public std::enable_shared_from_this<RespawnPoint> {
public:
    static std::shared_ptr<RespawnPoint> Designate(float x, float y);
    virtual ~RespawnPoint() = default;
    /// Removes this point from the list.
    virtual int Destroy();
    virtual float GetX() const { return X; }
    virtual float GetY() const { return Y; }

    float X = 0;
    float Y = 0;
    int Active = 0;

    static constexpr MatchList<RespawnPoint, &Match::RespawnPoints> List{};

private:
    LiveTally tally_{"RespawnPoint"};
};

/// A spawn point drawn at random from the respawn points: (x, y) and the
/// point, or (0, 0) and Null when there is none.
std::shared_ptr<RespawnPoint> PickSpawnPoint(int& x, int& y);

class ControlObject;

/// The part of making a driver shared by the human and the computer
/// drivers: `Style` = style, `Team` = team unless it is 5 (no team, left
/// at 0), and the driver joins `DriverList`.
void EnrollDriver(const std::shared_ptr<ControlObject>& driver, int style, int team);
/// Whether the driver is in the match (`DriverList`); false for Null.
bool InMatch(const std::shared_ptr<ControlObject>& driver);
