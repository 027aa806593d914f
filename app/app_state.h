#pragma once
// Application-wide state: one instance for the whole run, read by name
// across the game. Tests reset it with `ResetAppState`.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/tconfig.h"
#include "app/user_folders.h"
#include "engine/audio.h"
#include "engine/font.h"
#include "engine/image.h"
#include "engine/stream.h"

/// Game states.
enum GameStateId : int { kStateMenus = 1, kStateMatch = 4 };

/// Effect sounds and their dedicated channels, in this order.
enum EffectSound : int {
    kSfxMachineGun = 0,
    kSfxHeavyMachineGun,
    kSfxGrenadeLauncher,
    kSfxRocketLauncher,
    kSfxLaser,
    kSfxExplosion,
    kEffectSoundCount
};

struct Song {
    std::string Name;   ///< file name inside the music folder
    SoundHandle Sound;  ///< never Null: only songs that loaded are listed
};

/// What outlives a match: settings, loaded assets, the console and the
/// frame's figures. A match's own state is its `Match` (objects/match_state.h).
struct AppState {
    int GameState = kStateMenus;
    /// Detail level 0..2, always set through `GraphicsQualityFrom`.
    int GraphicsQuality = 0;
    /// 1 while the debug console is open: keys go to it, not to the car.
    int ConsoleOpen = 0;
    bool ShowFPS = false;  ///< the frame rate in the top-right corner

    std::array<std::string, 26> AIDisplayNames;
    std::array<std::string, 8> ConsoleCommands;

    TConfig Config;
    StreamHandle ReportFile;
    /// Where the player's settings, log and files go.
    UserFolders User;

    FontHandle FontMedium;
    FontHandle FontLarge;
    FontHandle FontSmall;

    ImageHandle GradBall;     ///< particle image of the emitters
    ImageHandle TargetImage;  ///< aiming mark
    ImageHandle BigDogImage;  ///< Big Dog marker, mid-handled
    ImageHandle LogoBackdrop;
    ImageHandle MenuBackdrop;

    std::vector<Song> SongList;
    ChannelHandle MusicChannel;
    double SoundVolume = 0.5;
    double MusicVolume = 1.0;
    std::array<SoundHandle, kEffectSoundCount> EffectSounds;
    std::array<ChannelHandle, kEffectSoundCount> EffectChannels;

    double FrameDelta = 0.0;  ///< seconds the previous frame took

    /// Game object images by path, loaded once (see LoadGameImage).
    std::map<std::string, ImageHandle> ImageCache;
};

/// The detail level a configuration value stands for: the effects know 0, 1
/// and 2, and anything higher (the file's default is 3) reads as 2.
int GraphicsQualityFrom(const std::string& value);
int GraphicsQualityFrom(int level);

/// The one instance.
AppState& App();
/// Drops every reference and restores the defaults (between tests, at exit).
void ResetAppState();

/// An image of the game objects, loaded with the default flags on first use
/// and shared after that: each call gives a handle of its own (centre or
/// pivot as the caller sets it) over the same pixels and texture. A missing
/// file gives Null and one red console line.
ImageHandle LoadGameImage(const std::string& path);
