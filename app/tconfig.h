#pragma once
// The configuration file: lines of key, " = " and value in
// fs_current_dir() + "/" + Name + ".cfg". There is no cache: every read and
// write goes to the file. Reading a key the file lacks appends it with its
// default, so the file fills itself with every setting the game asks for.
//
// A line belongs to key k when its first len(k) characters equal k (case
// matters); its value is the text from character len(k) + 3 on.

#include <string>
#include <utility>
#include <vector>

class TConfig {
public:
    /// Text appended after a line this object writes itself ("\r\n" after Init).
    std::string CR;
    /// Base name of the file; the game sets "config".
    std::string Name;
    /// The folder of the file; empty for the current folder.
    std::string Folder;

    /// Sets `CR` and creates the file empty when it does not exist.
    void Init();
    /// Rewrites every line of the key with the new value, or appends one line
    /// when none belongs to it. The new content goes to a temporary file in
    /// the same folder that replaces the old one only once completely
    /// written, so a crash or a full disk never loses the settings. A file
    /// that exists but cannot be read and written is left alone.
    void Write(const std::string& key, const std::string& value);
    /// Writes several keys in one rewrite of the file, with the result of
    /// writing them one after the other in the order given.
    void WriteAll(const std::vector<std::pair<std::string, std::string>>& entries);
    /// The value of the first line of the key; when none belongs to it,
    /// appends key = default and returns the default. A file that cannot be
    /// read or written gives the default.
    std::string Read(const std::string& key, const std::string& default_value);
    /// The file's path: in `Folder`, or formed anew from the current folder.
    std::string Path() const;
};
