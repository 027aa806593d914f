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

// True when the file is not empty and its last byte is not a line feed.
bool lacks_final_line_end(const StreamHandle& s) {
    const std::int64_t size = stream_size(s);
    if (size == 0) return false;
    stream_seek(s, size - 1);
    return stream_read_byte(s) != '\n';
}

}  // namespace

std::string TConfig::Path() const { return fs_current_dir() + "/" + Name + ".cfg"; }

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
    const bool needs_line_end = lacks_final_line_end(out);
    stream_seek(out, stream_size(out));
    if (needs_line_end) stream_write_string(out, CR.empty() ? std::string("\r\n") : CR);
    stream_write_string(out, key + " = " + default_value + CR);
    stream_close(out);
    return default_value;
}

void TConfig::Write(const std::string& key, const std::string& value) {
    const std::string path = Path();
    const std::string temp = path + ".tmp";
    StreamHandle out = stream_open_write(temp);
    if (!out) return;

    bool found = false;
    bool ok = true;
    StreamHandle in = stream_open_read(path);
    if (in) {
        // Line by line, so that a huge file never has to fit in memory.
        while (ok && !stream_eof(in)) {
            std::string line = stream_read_line(in);
            if (belongs_to(line, key)) {
                line = key + " = " + value;
                found = true;
            }
            ok = stream_write_line(out, line) == 1;
        }
        stream_close(in);
    }
    if (ok && !found) ok = stream_write_string(out, key + " = " + value + CR) == 1;
    if (ok) ok = stream_sync(out) == 1;
    if (stream_close(out) != 1) ok = false;
    if (!ok || fs_rename_file(temp, path) != 1) fs_delete_file(temp);
}
