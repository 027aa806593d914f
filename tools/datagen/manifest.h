#pragma once
// Every data file the game reads at a fixed path, with what the game needs
// of it. The generator writes each one; a test loads each one through the
// engine and checks it against this table.

#include <array>

namespace datagen {

enum class Kind { kImage, kSound, kFont };

struct ManifestEntry {
    const char* path;  ///< as the game spells it (the engine resolves case)
    Kind kind;
    int width = 0;  ///< images: exact size required, 0 = any
    int height = 0;
    int frames = 1;  ///< images loaded as animation strips
    int cell = 0;    ///< cell size of those strips
};

inline constexpr std::array kManifest = {
    // Start-up images.
    ManifestEntry{"sprites/gradball.png", Kind::kImage},
    ManifestEntry{"Sprites/target.png", Kind::kImage},
    ManifestEntry{"sprites/bigdog.png", Kind::kImage},
    ManifestEntry{"sprites/backdrop/logo.png", Kind::kImage, 1024, 768},
    ManifestEntry{"sprites/backdrop/mainmenu.png", Kind::kImage, 1024, 768},
    // Car bodies and wrecks.
    ManifestEntry{"Sprites/jeep.png", Kind::kImage},
    ManifestEntry{"Sprites/car.png", Kind::kImage},
    ManifestEntry{"Sprites/sportscar.png", Kind::kImage},
    ManifestEntry{"Sprites/conceptcar.png", Kind::kImage},
    ManifestEntry{"Sprites/semitruck.png", Kind::kImage},
    ManifestEntry{"sprites/wrecked_jeep.png", Kind::kImage},
    ManifestEntry{"sprites/wrecked_car.png", Kind::kImage},
    ManifestEntry{"sprites/wrecked_sportscar.png", Kind::kImage},
    ManifestEntry{"sprites/wrecked_conceptcar.png", Kind::kImage},
    ManifestEntry{"sprites/wrecked_semitruck.png", Kind::kImage},
    // Weapons, projectiles, devices.
    ManifestEntry{"sprites/machinegun.png", Kind::kImage},
    ManifestEntry{"sprites/heavymachinegun.png", Kind::kImage},
    ManifestEntry{"sprites/rpg.png", Kind::kImage},
    ManifestEntry{"sprites/rocketlauncher.png", Kind::kImage},
    ManifestEntry{"sprites/phasecannon.png", Kind::kImage},
    ManifestEntry{"sprites/bullet.png", Kind::kImage},
    ManifestEntry{"sprites/phasebullet.png", Kind::kImage},
    ManifestEntry{"sprites/grenade.png", Kind::kImage},
    ManifestEntry{"sprites/mine.png", Kind::kImage},
    ManifestEntry{"sprites/Shield.png", Kind::kImage},
    ManifestEntry{"sprites/turretstand.png", Kind::kImage},
    // Pickups and effects.
    ManifestEntry{"sprites/health_pickup.png", Kind::kImage},
    ManifestEntry{"sprites/ammo_pickup.png", Kind::kImage},
    ManifestEntry{"sprites/secondary_pickup.png", Kind::kImage},
    ManifestEntry{"sprites/explosion.png", Kind::kImage},
    ManifestEntry{"sprites/scar.png", Kind::kImage},
    ManifestEntry{"sprites/tread.png", Kind::kImage},
    // The GUI skin.
    ManifestEntry{"Skin/graphics/panel.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/button.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/progress.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/checkbox.png", Kind::kImage, 15, 15, 2, 15},
    ManifestEntry{"Skin/graphics/textfield.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/search.png", Kind::kImage},
    ManifestEntry{"Skin/graphics/combobox.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/combobox arrow.png", Kind::kImage},
    ManifestEntry{"Skin/graphics/menu.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/scrollback.png", Kind::kImage},
    ManifestEntry{"Skin/graphics/scrollup.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/scrolldown.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/scrollleft.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/scrollright.png", Kind::kImage, 15, 15},
    ManifestEntry{"Skin/graphics/vscrollbar.png", Kind::kImage, 15, 7},
    ManifestEntry{"Skin/graphics/hscrollbar.png", Kind::kImage, 7, 15},
    ManifestEntry{"Skin/graphics/cursors/normal.png", Kind::kImage},
    ManifestEntry{"Skin/graphics/cursors/mouseover.png", Kind::kImage},
    ManifestEntry{"Skin/graphics/cursors/mousedown.png", Kind::kImage},
    // Fonts (the Windows font path falls back to fonts/ in the data folder).
    ManifestEntry{"Skin/Fonts/trebucbd.ttf", Kind::kFont},
    ManifestEntry{"fonts/tahoma.ttf", Kind::kFont},
    // Sound effects.
    ManifestEntry{"SFX/machine_gun_fire.wav", Kind::kSound},
    ManifestEntry{"SFX/heavy_machine_gun_fire.wav", Kind::kSound},
    ManifestEntry{"SFX/grenade_launcher_fire.wav", Kind::kSound},
    ManifestEntry{"SFX/rocket_launcher_fire.wav", Kind::kSound},
    ManifestEntry{"SFX/laser_fire.wav", Kind::kSound},
    ManifestEntry{"SFX/explosion.wav", Kind::kSound},
};

}  // namespace datagen
