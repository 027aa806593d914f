#include "objects/secondary_weapon.h"

int SecondaryWeapon::Draw() {
    if (Ammo <= 0) Destroy();
    return 0;
}
