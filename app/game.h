#pragma once
// Start-up and the frame loop.

#include <cstdint>
#include <string>

#include "app/match.h"
#include "app/user_folders.h"

struct Replay;

struct StartOptions {
    bool has_seed = false;
    std::int64_t seed = 0;
    /// Start this match right after start-up instead of showing the menus.
    const MatchSetup* quick_match = nullptr;
    /// Play this recorded match instead (its results are printed like a
    /// quick match's).
    const Replay* replay = nullptr;
    /// Where the player's settings, log, replays and arenas go; by default
    /// the working folder.
    UserFolders user;
};

/// Runs the start-up sequence once (a second call returns true at once):
/// names, report file, title, console words, channels, random seed,
/// configuration, graphics mode, fonts, images, loading screen, music,
/// effect sounds; then the quick match when one is asked for. False when no
/// graphics mode could be opened or the quick match could not start (the
/// reason is on the console and in `StartUpError`).
bool StartUp(const StartOptions& options);
/// Why the last StartUp failed.
const std::string& StartUpError();

/// One pass of the frame loop in the current state, ending with the flip.
/// Returns false when the program should end (Escape held, window closed,
/// "Exit Game").
bool RunFrame();

/// Called with the frame drawn and not yet presented (for screenshots).
using BeforeFlipHook = void (*)(void* user);
void SetBeforeFlipHook(BeforeFlipHook hook, void* user);

/// Ends the run: closes the report file and drops the state (also used by
/// tests between runs).
void ShutDown();

/// The one-line footer of the menus.
extern const char* const kMenuFooter;
