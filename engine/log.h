#pragma once
// Diagnostics: standard-output lines, the debug-log hook, and the log sink
// through which code below the game (the tile map reader, the GUI kit)
// reports to the player's console.

#include <functional>
#include <string>

/// Writes a line to standard output and flushes it.
void con_print(const std::string& text);

/// Hands a diagnostic line to the debug-log hook; the default hook does nothing.
void dbg_log(const std::string& text);
void dbg_set_hook(std::function<void(const std::string&)> hook);

/// Receives console lines: the full text and a colour (1 white, 2 red,
/// 3 green, 4 yellow). The game connects it to its console at start-up.
using LogSink = std::function<void(const std::string& text, int colour)>;
/// Installs the sink; an empty function restores the default, which writes to
/// standard error.
void log_set_sink(LogSink sink);
/// Reports a line through the sink, prefixed with "[" + time of day + "] ".
void log_message(const std::string& text, int colour);
