#pragma once
// The data generator: every image, sound and song the game reads, made from
// code, written into the data folder. Each `Make...` function writes one
// family of files through `Output`, which also collects the images for the
// contact sheet.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/datagen/art.h"

namespace datagen {

/// One image as the contact sheet shows it.
struct SheetItem {
    std::string path;
    double game_scale = 1.0;          ///< the scale the game draws it at
    std::vector<std::uint32_t> argb;  ///< straight-alpha pixels
    int width = 0;
    int height = 0;
};

class Output {
public:
    explicit Output(std::string root) : root_(std::move(root)) {}

    /// Writes `canvas` as a PNG at `path` (relative to the data folder,
    /// folders created) and lists it on the contact sheet, shown at 1:1 and
    /// at `game_scale`.
    void Image(const std::string& path, const Canvas& canvas, double game_scale);
    /// Writes mono or interleaved stereo samples (-1..1) as a 16-bit WAV.
    void Wav(const std::string& path, const std::vector<float>& samples, int channels, int rate);
    /// Lists an image on the contact sheet under `label` without writing it
    /// into the data folder (images kept outside it, such as the icon).
    void Sheet(const std::string& label, const Canvas& canvas, double game_scale);
    /// Writes raw bytes.
    void Bytes(const std::string& path, const std::string& bytes);
    /// Copies a file from the system (fonts).
    void Copy(const std::string& path, const std::string& from);

    const std::string& root() const { return root_; }
    const std::vector<SheetItem>& sheet() const { return sheet_; }
    /// False once any write failed.
    bool ok() const { return ok_; }

private:
    std::string Prepare(const std::string& path);

    std::string root_;
    std::vector<SheetItem> sheet_;
    bool ok_ = true;
};

// Families of files, each in its own source file.
void MakeVehicles(Output& out);           ///< car bodies and wrecks
void MakeWeapons(Output& out);            ///< guns, bullets, grenade, mine, shield, turret stand
void MakePickupsAndEffects(Output& out);  ///< pickups, explosion, scar, tread, particle glow
void MakeMarkers(Output& out);            ///< aiming mark, Big Dog marker
void MakeBackdrops(Output& out);          ///< loading screen and main menu backdrops
void MakeSkin(Output& out);               ///< the GUI kit's skin and cursors
void MakeFonts(Output& out);              ///< fonts copied from Debian's packages
void MakeSoundEffects(Output& out);       ///< SFX/*.wav
void MakeMusic(Output& out);              ///< mp3/*.ogg
void MakeArenas(Output& out);             ///< Arenas/*.arn and their tile maps

/// The explosion sprite, 320 x 320: a fireball in smoke (also in the icon).
Canvas ExplosionSprite();
/// The 256 x 256 application icon for the desktop's menus; it is not part
/// of the data folder.
Canvas DesktopIcon();

/// Draws every listed image at 1:1 and at its game scale, labelled, on a
/// mid-grey and on a dark background. False on failure.
bool WriteContactSheet(const Output& out, const std::string& path);

}  // namespace datagen
