#pragma once
// Short-lived and decorative objects: explosions (growing, spinning blasts
// that hurt vehicles and shields every frame and set off mines), scars,
// smoking wrecks and tyre treads.

#include <memory>

#include "engine/image.h"
#include "objects/game_object.h"
#include "spritebehaviors/emitter.h"

class ControlObject;
class Vehicle;

class Explosion : public std::enable_shared_from_this<Explosion> {
public:
    virtual ~Explosion() = default;

    /// A blast of size 0 (spark), 1 (grenade), 2 (rocket) or 3 (vehicle,
    /// mine) at (x, y), credited to parent (Null: nobody).
    static std::shared_ptr<Explosion> Make(int x, int y, int size,
                                           const std::shared_ptr<ControlObject>& parent);
    /// The blast as it stands: scaled, turned, at 0.8 alpha.
    virtual int Draw();
    /// One frame's step: spins, grows, hurts, leaves a scar at quality 2 on
    /// its second-to-last frame, and ends when its life is over. Draws
    /// nothing.
    virtual int Update();
    /// Damage to unshielded vehicles, mines set off, shields worn down, all
    /// within the radius of its size.
    virtual int Collision();
    virtual int Destroy();
    static int UpdateAll();
    static int DrawAll();
    /// The frame's pass over the blasts: each is drawn (when `draw`) and
    /// then stepped, in one walk. A blast shows the frame the pose it has
    /// before its step, and one set off during the walk (a mine another
    /// blast reaches) is stepped by the walk too, so it is drawn there, as
    /// it starts, and not after the walk.
    static int FramePass(bool draw);
    static int DestroyAll();

    /// Radius and strength of a blast of the size (0 for sparks).
    static int RadiusOf(int size);

    float X = 0;
    float Y = 0;
    int Size = 0;
    int angDelta = 0;
    int Angle = 0;
    float scaleDelta = 0;
    float Scale = 0;
    int Life = 0;
    std::shared_ptr<ControlObject> Parent;
    /// The car a death blast came from: the blast neither hurts nor is
    /// credited on it (a computer car lives on in the same object).
    std::weak_ptr<Vehicle> Spared;

    static constexpr MatchList<Explosion, &Match::Explosions> List{};

private:
    LiveTally tally_{"Explosion"};
};

/// The start scale of a blast or scar of the size.
float ScaleForSize(int size);

class Scar : public std::enable_shared_from_this<Scar> {
public:
    virtual ~Scar() = default;
    static std::shared_ptr<Scar> Make(int x, int y, int size);
    /// Scars have no step: they lie still until the match ends.
    virtual int Draw();
    virtual int Destroy();
    static int DrawAll();
    static int DestroyAll();

    float X = 0;
    float Y = 0;
    int Size = 0;
    float Scale = 0;
    float Angle = 0;

    static constexpr MatchList<Scar, &Match::Scars> List{};

private:
    LiveTally tally_{"Scar"};
};

class Wreckage : public std::enable_shared_from_this<Wreckage> {
public:
    Wreckage();
    virtual ~Wreckage() = default;
    /// The wreck of model 1..5 (Jeep, Car, SportsCar, ConceptCar,
    /// SemiTruck) with its smoke, for 1000 frames.
    static std::shared_ptr<Wreckage> Make(int x, int y, int angle, int model);
    /// The wreck and its smoke as they stand (the frame draws them before
    /// the step).
    virtual int Draw();
    /// The smoke's step and the wreck's life.
    virtual int Update();
    virtual int Destroy();
    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();

    int X = 0;
    int Y = 0;
    ImageHandle Image;
    SpriteEmitterRef Emitter;
    int Angle = 0;
    int Life = 0;

    static constexpr MatchList<Wreckage, &Match::Wrecks> List{};

private:
    LiveTally tally_{"Wreckage"};
};

class Tread : public GameObject {
public:
    /// A tyre mark at (x, y) that lasts 750, 500 or 100 frames by graphics
    /// quality. Returns 0.
    static int Make(int x, int y, int angle);
    virtual int Draw();
    /// Counts the life down and ends the mark (the frame draws it before
    /// the step, so a mark shows in the frame its life ends).
    int Update() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::Tread; }
    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();

    int Angle = 0;
    int Life = 0;
    float Alpha = 0;

    static constexpr MatchList<Tread, &Match::Treads> List{};

private:
    LiveTally tally_{"Tread"};
};
