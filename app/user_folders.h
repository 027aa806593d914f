#pragma once
// The player's own folders: the settings, the log and the player's data
// (saved replays, arenas of their own) live there, never in the game's data
// folder, which may be shared and read-only.

#include <string>

struct UserFolders {
    std::string config;  ///< "config.cfg"
    std::string state;   ///< "debug_console_report.txt"
    std::string data;    ///< "replays/" and "Arenas/"
    /// True when no folder is set: the files go to the working folder (a
    /// program run from a test's folder).
    bool InWorkingFolder() const { return config.empty() && state.empty() && data.empty(); }
};

/// The base-directory convention's folders, each with "crashmoor" below:
/// `$XDG_CONFIG_HOME` (default `~/.config`), `$XDG_STATE_HOME` (default
/// `~/.local/state`) and `$XDG_DATA_HOME` (default `~/.local/share`). A
/// variable that is unset, empty or not an absolute path reads as its
/// default. The home folder is `$HOME`, else the account's; without one,
/// the working folder is used.
UserFolders XdgUserFolders();
/// All three in one folder (`--user-dir`).
UserFolders UserFoldersIn(const std::string& dir);

/// The path of a file in a folder; the name alone for the working folder.
std::string UserPath(const std::string& folder, const std::string& name);
