#include "objects/secondary_weapon.h"

#include "objects/devices.h"
#include "objects/vehicle.h"

namespace {

template <typename L, typename D>
std::shared_ptr<SecondaryWeapon> Equip(const char* name, int ammo, bool doubledOnConceptCar,
                                       const std::shared_ptr<Vehicle>& vehicle) {
    auto w = std::make_shared<L>();
    SecondaryWeapon::List.Append(w);
    w->Name = name;
    w->Ammo = ammo;
    w->ShotType = std::make_shared<D>();
    if (vehicle) {
        w->X = vehicle->X;
        w->Y = vehicle->Y;
        if (doubledOnConceptCar && vehicle->bonus == Vehicle::kConceptCarBonus) w->Ammo *= 2;
    }
    w->Parent = vehicle;
    return w;
}

}  // namespace

int SecondaryWeapon::Update() {
    if (Ammo <= 0) Destroy();
    return 0;
}

int ListedSecondaryWeapon::Destroy() {
    List.Remove(this);
    return 0;
}

std::shared_ptr<SecondaryWeapon> MineLayer::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<MineLayer, Mine>("Mine Layer", 5, true, vehicle);
}

std::shared_ptr<SecondaryWeapon> TurretLayer::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<TurretLayer, Turret>("Turret Placer", 3, true, vehicle);
}

std::shared_ptr<SecondaryWeapon> ShieldGen::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<ShieldGen, Shield>("Shield Generator", 1, false, vehicle);
}

int FireSecondary(Vehicle& vehicle, const std::shared_ptr<ControlObject>& controller, bool held) {
    SecondaryWeapon* w = vehicle.WeaponSlot2.get();
    if (!held || !w || w->Ammo <= 0 || !w->ShotType) return 0;
    w->ShotType->Fire(static_cast<int>(vehicle.X), static_cast<int>(vehicle.Y),
                      static_cast<int>(vehicle.Angle), controller);
    w->Ammo -= 1;
    return 1;
}
