#include "app/tconfig.h"

#include "engine/filesystem.h"
#include "engine/stream.h"

namespace {

bool belongs_to(const std::string& line, const std::string& key) {
    return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

// The value of a line that belongs to `key`; a line too short to hold
// " = " after the key ("Sound Volume=7") has empty text as its value.
std::string value_of(const std::string& line, const std::string& key) {
    const std::size_t start = key.size() + 3;
    return start < line.size() ? line.substr(start) : std::string();
}

// What must precede a line appended to the file so that it does not glue onto
// an unfinished last line: nothing after a line feed (or in an empty file), a
// line feed after a carriage return (the reader already drops that CR, so the
// last line keeps its value), otherwise a whole line end.
std::string line_end_before_append(const StreamHandle& s) {
    const std::int64_t size = stream_size(s);
    if (size == 0) return std::string();
    stream_seek(s, size - 1);
    const int last = stream_read_byte(s);
    if (last == '\n') return std::string();
    if (last == '\r') return "\n";
    return "\r\n";
}

}  // namespace

std::string TConfig::Path() const {
    return (Folder.empty() ? fs_current_dir() : Folder) + "/" + Name + ".cfg";
}

void TConfig::Init() {
    CR = "\r\n";
    const std::string path = Path();
    if (fs_file_type(path) == 0) fs_create_file(path);
}

std::string TConfig::Read(const std::string& key, const std::string& default_value) {
    const std::string path = Path();
    StreamHandle in = stream_open_read(path);
    if (in) {
        while (!stream_eof(in)) {
            const std::string line = stream_read_line(in);
            if (belongs_to(line, key)) return value_of(line, key);
        }
        stream_close(in);
    }
    // Not found: append the key with its default. A file that cannot be
    // opened for writing (missing, read-only) just gives the default.
    StreamHandle out = stream_open(path, 1, 1);
    if (!out) return default_value;
    const std::string glue = line_end_before_append(out);
    stream_seek(out, stream_size(out));
    stream_write_string(out, glue + key + " = " + default_value + CR);
    stream_close(out);
    return default_value;
}

void TConfig::Write(const std::string& key, const std::string& value) {
    WriteAll({{key, value}});
}

void TConfig::WriteAll(const std::vector<std::pair<std::string, std::string>>& entries) {
    if (entries.empty()) return;
    const std::string path = Path();
    // The old file is opened for reading and writing, as an in-place rewrite
    // would: a file that exists but cannot be read is left alone rather than
    // replaced by a few lines, and so is a file the user made read-only.
    StreamHandle in = stream_open(path, 1, 1);
    if (!in && fs_file_type(path) != 0) return;
    const std::string temp = path + ".tmp";
    StreamHandle out = stream_open_write(temp);
    if (!out) return;

    // Each line passes through the keys in order, as if each key were
    // written by a rewrite of its own: a line that a key rewrote may belong
    // to a later key too.
    std::vector<bool> found(entries.size(), false);
    auto rewrite = [&](std::string& line) {
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (belongs_to(line, entries[k].first)) {
                line = entries[k].first + " = " + entries[k].second;
                found[k] = true;
            }
        }
    };
    bool ok = true;
    if (in) {
        // Line by line, so that a huge file never has to fit in memory.
        while (ok && !stream_eof(in)) {
            std::string line = stream_read_line(in);
            rewrite(line);
            ok = stream_write_line(out, line) == 1;
        }
        stream_close(in);
    }
    // Keys no line belonged to are appended in order; a later key may
    // belong to a line appended for an earlier one.
    std::vector<std::string> appended;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const auto& [key, value] = entries[k];
        bool seen = found[k];
        for (std::string& line : appended) {
            if (belongs_to(line, key)) {
                line = key + " = " + value;
                seen = true;
            }
        }
        if (!seen) appended.push_back(key + " = " + value);
    }
    for (std::size_t i = 0; ok && i < appended.size(); ++i)
        ok = stream_write_string(out, appended[i] + CR) == 1;
    if (ok) ok = stream_sync(out) == 1;
    if (stream_close(out) != 1) ok = false;
    if (!ok || fs_rename_file(temp, path) != 1) fs_delete_file(temp);
}
