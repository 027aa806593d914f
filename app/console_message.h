#pragma once
// The game's log: every line goes to the report file at once and the latest
// lines stay in a list for the on-screen console. `ConsoleMessage::Create` is
// the one logging call of the game; any code may call it at any time.

#include <memory>
#include <string>
#include <vector>

/// Line colours.
enum ConsoleColour : int {
    kConsoleWhite = 1,
    kConsoleRed = 2,
    kConsoleGreen = 3,
    kConsoleYellow = 4
};

class ConsoleMessage {
public:
    std::string Text;
    int Color = 0;  ///< 1 white, 2 red, 3 green, 4 yellow; others keep the colour in force

    /// Logs a line: keeps it in `List` (at most seven lines from the eighth
    /// message on, oldest first) and writes it to the report file, flushed.
    static std::shared_ptr<ConsoleMessage> Create(const std::string& text, int colour);

    /// The kept lines, oldest first; Null until the first `Create`.
    static std::shared_ptr<std::vector<std::shared_ptr<ConsoleMessage>>> List;
    /// Lines ever created.
    static int MessageCount;

    /// Forgets every line and the count (a new run, or a test).
    static void Reset();
};

/// "[" + time of day + "] " + text, the form of every line the game posts.
std::string TimeStamped(const std::string& text);
