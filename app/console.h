#pragma once
// The debug console of a match: the latest log lines in their colours, a
// few statistics and a command line typed one character a frame, with
// eight command words.

#include <string>

/// One frame's step of the console (nothing while it is closed): takes one
/// typed character, runs the line on Enter. Draws nothing.
void ConsoleUpdate();
/// The open console as the frame shows it, before its step: the latest log
/// lines, the command line and the statistics (nothing while it is closed).
void ConsoleDraw();
/// Performs command `index` of the command table (0..7).
void RunCommand(int index);
/// The command being typed; it keeps its text while the console is closed.
std::string& ConsoleInputLine();
/// Bytes of heap the program holds now.
long long HeapBytesInUse();
