// datagen DATA_DIR [CONTACT_SHEET.png [ICON.png]]
// Writes every data file of the game into DATA_DIR, deterministically, the
// contact sheet of every image for review, and the desktop icon.

#include <cstdio>
#include <string>

#include "tools/datagen/generator.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: datagen DATA_DIR [CONTACT_SHEET.png [ICON.png]]\n");
        return 2;
    }
    datagen::Output out(argv[1]);
    datagen::MakeFonts(out);
    datagen::MakeVehicles(out);
    datagen::MakeWeapons(out);
    datagen::MakePickupsAndEffects(out);
    datagen::MakeMarkers(out);
    datagen::MakeBackdrops(out);
    datagen::MakeSkin(out);
    datagen::MakeSoundEffects(out);
    datagen::MakeMusic(out);
    datagen::MakeArenas(out);
    if (argc >= 4) {
        // Shown on the sheet at the size of a desktop menu's icons.
        const datagen::Canvas icon = datagen::DesktopIcon();
        if (!icon.SavePng(argv[3])) {
            std::fprintf(stderr, "datagen: cannot write the icon %s\n", argv[3]);
            return 1;
        }
        out.Sheet("desktop icon", icon, 48.0 / icon.width());
    }
    if (argc >= 3 && !datagen::WriteContactSheet(out, argv[2])) {
        std::fprintf(stderr, "datagen: cannot write the contact sheet %s\n", argv[2]);
        return 1;
    }
    if (!out.ok()) {
        std::fprintf(stderr, "datagen: some files could not be written into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
