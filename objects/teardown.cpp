#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/minimap.h"
#include "objects/pickups.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

void ClearGameObjects(bool respawnPoints) {
    Vehicle::List.Clear();
    Weapon::List.Clear();
    SecondaryWeapon::List.Clear();
    Shot::List.Clear();
    Tread::List.Clear();
    Explosion::List.Clear();
    Scar::List.Clear();
    Wreckage::List.Clear();
    HealthPickUp::List.Clear();
    WeaponPickUp::List.Clear();
    SecondaryPickUp::List.Clear();
    Minimap::List.Clear();
    MinimapDot::List.Clear();
    if (respawnPoints) RespawnPoint::List.Clear();
    Explosion::SharedImage.reset();
    Scar::SharedImage.reset();
    Tread::SharedImage.reset();
}
