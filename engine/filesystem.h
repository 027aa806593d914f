#pragma once
// File-system services: the current folder, file types, listings and path
// resolution. The game's data names folders with inconsistent case ("sprites/"
// and "Sprites/"), so every path that does not exist as written is resolved by
// matching each component case-insensitively against the folder's entries.

#include <memory>
#include <string>
#include <vector>

/// Returns `path` unchanged when it exists as written; otherwise the path with
/// each component replaced by the first entry (in listing order) of its folder
/// whose name matches case-insensitively. Components that match nothing are kept
/// as written, so the result also names where a new file would be created.
std::string fs_resolve(const std::string& path);

/// The current working folder as an absolute path (empty if unknown).
std::string fs_current_dir();
/// Changes the working folder. Returns 1 on success, 0 on failure.
int fs_change_dir(const std::string& path);
/// Creates (or truncates) an empty file. Returns 1 on success, 0 on failure.
int fs_create_file(const std::string& path);
/// Deletes a file. Returns 1 on success, 0 on failure.
int fs_delete_file(const std::string& path);
/// Renames `from` to `to`, replacing `to` atomically. Returns 1 on success.
int fs_rename_file(const std::string& from, const std::string& to);
/// 0 no such entry, 1 file, 2 folder.
int fs_file_type(const std::string& path);
/// Text after the last "." when no "/" follows it, else empty ("a.b/c" gives "").
std::string fs_extract_ext(const std::string& path);

/// Sorts names the way the listings return them: case-insensitively, with byte
/// order breaking ties, so that indexes into a listing are stable.
void fs_sort_names(std::vector<std::string>& names);

/// An open folder listing, read entry by entry with `fs_next_file`.
class DirListing {
public:
    explicit DirListing(std::vector<std::string> names) : names_(std::move(names)) {}
    /// Next name, or empty text at the end.
    std::string Next() { return next_ < names_.size() ? names_[next_++] : std::string(); }

private:
    std::vector<std::string> names_;
    std::size_t next_ = 0;
};
using DirHandle = std::shared_ptr<DirListing>;

/// Opens a listing of `path` including "." and "..", sorted; Null when the
/// folder cannot be read.
DirHandle fs_read_dir(const std::string& path);
/// The next entry name of the listing, empty text at its end or for Null.
std::string fs_next_file(const DirHandle& dir);
void fs_close_dir(DirHandle& dir);
/// Entry names of `path` without "." and "..", sorted; empty when the folder is
/// missing. Never changes the working folder.
std::vector<std::string> fs_load_dir(const std::string& path);

/// The folder holding the running program (empty if unknown).
std::string fs_executable_dir();
/// An absolute form of `path` relative to the current folder.
std::string fs_absolute(const std::string& path);
/// Creates the folder and the folders above it that are missing (private to
/// the user: mode 0700). Returns 1 when the folder exists afterwards.
int fs_make_dirs(const std::string& path);
/// Copies a file's bytes to `to` through a temporary file beside it, so that
/// `to` is either whole or absent. Returns 1 on success.
int fs_copy_file(const std::string& from, const std::string& to);
