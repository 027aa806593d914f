#pragma once
// Pickups: spinning items placed by the arena. Driving over one applies its
// effect (repair, a random limited gun, a random device) and empties it for
// 750 frames. Each carries a steering sprite at its position for the
// computer drivers to seek.

#include <memory>

#include "engine/image.h"
#include "objects/game_object.h"
#include "spritebehaviors/sprite.h"

class Vehicle;

class PickUp : public GameObject {
public:
    static constexpr int kRechargeFrames = 750;
    static constexpr int kReach = 71;  ///< a car nearer than this takes it

    /// Drawn while full, at (X, Y) minus the view, turned by Angle (the
    /// frame draws pickups before their step).
    virtual int Draw();
    /// Every car within reach (dead ones on the list included) gets the
    /// effect; the pickup is empty from then on.
    virtual int Collision();
    /// The cars' test, the count-down of an empty pickup and the spin.
    int Update() override;

    ImageHandle Image;
    int Angle = 0;
    int Recharge = 0;
    int Empty = 0;
    SpriteRef mySprite;

protected:
    /// Sets up a pickup of an image at (x, y).
    void Place(int x, int y, const char* image);
    /// An empty pickup counts down to full (from the frame it was taken);
    /// every pickup turns by a degree.
    void RechargeAndSpin();
    virtual void Apply(Vehicle& v) = 0;

private:
    LiveTally tally_{"PickUp"};
};

class HealthPickUp : public PickUp {
public:
    static std::shared_ptr<HealthPickUp> Make(int x, int y);
    /// An empty health pickup is neither drawn nor tested.
    int Update() override;
    int Draw() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::HealthPickUp; }
    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();

    /// The empty image, given to the sprite when taken; never loaded.
    ImageHandle Image2;
    static constexpr MatchList<HealthPickUp, &Match::HealthPickUps> List{};

protected:
    void Apply(Vehicle& v) override;
};

class WeaponPickUp : public PickUp {
public:
    static std::shared_ptr<WeaponPickUp> Make(int x, int y);
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::WeaponPickUp; }
    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();
    static constexpr MatchList<WeaponPickUp, &Match::WeaponPickUps> List{};

protected:
    void Apply(Vehicle& v) override;
};

class SecondaryPickUp : public PickUp {
public:
    static std::shared_ptr<SecondaryPickUp> Make(int x, int y);
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::SecondaryPickUp; }
    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();
    static constexpr MatchList<SecondaryPickUp, &Match::SecondaryPickUps> List{};

protected:
    void Apply(Vehicle& v) override;
};
