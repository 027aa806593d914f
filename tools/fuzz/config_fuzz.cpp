// libFuzzer target for the configuration file. Each input becomes the bytes of
// config.cfg; TConfig then reads every key the game uses and rewrites some of
// them, while a small model of the file format predicts each result and the
// file's bytes after every call. Any difference aborts, so libFuzzer reports
// it like a crash. The replay test links this same entry point.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tconfig.h"

namespace {

// The keys the game reads and writes, plus "Player Names", which belongs to
// "Player Name" by the prefix rule.
const char* const kKeys[] = {
    "Screen Format", "Sound Volume",   "Music Volume",         "Graphics Quality",
    "Player Name",   "Player Names",   "MapDefault",           "MatchTypeDefault",
    "AI1Default",    "AI1TeamDefault", "PlayerVehicleDefault", "PlayerTeamDefault",
};
// Written but never read first, so that Write also meets keys the file lacks.
const char* const kWriteOnlyKey = "AI5TeamDefault";

void require(bool condition, const char* what, const std::string& key) {
    if (condition) return;
    std::fprintf(stderr, "config_fuzz: %s (key \"%s\")\n", what, key.c_str());
    std::abort();
}

std::string read_file(const char* path) {
    std::string bytes;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

bool write_file(const char* path, const std::string& bytes) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool exists(const char* path) {
    struct stat st {};
    return ::lstat(path, &st) == 0;
}

// Calls `visit` with each line as the game sees it: split at line feeds; a
// carriage return before a line feed, or ending the file, is not part of the
// line. Stops early when `visit` returns false.
template <class Visit>
void for_each_line(std::string_view bytes, Visit visit) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!visit(line)) return;
        start = end + 1;
    }
}

bool belongs(std::string_view line, std::string_view key) {
    return line.substr(0, key.size()) == key;
}

std::optional<std::string> value_in(const std::string& bytes, const std::string& key) {
    std::optional<std::string> value;
    for_each_line(bytes, [&](std::string_view line) {
        if (!belongs(line, key)) return true;
        value = std::string(line.size() > key.size() + 3 ? line.substr(key.size() + 3)
                                                         : std::string_view());
        return false;
    });
    return value;
}

int lines_of(const std::string& bytes, const std::string& key) {
    int count = 0;
    for_each_line(bytes, [&](std::string_view line) {
        count += belongs(line, key) ? 1 : 0;
        return true;
    });
    return count;
}

// The file after a Read that found nothing appended key = value.
std::string after_append(const std::string& bytes, const std::string& key,
                         const std::string& value) {
    std::string glue;
    if (!bytes.empty() && bytes.back() == '\r')
        glue = "\n";
    else if (!bytes.empty() && bytes.back() != '\n')
        glue = "\r\n";
    return bytes + glue + key + " = " + value + "\r\n";
}

// The file after Write(key, value).
std::string after_write(const std::string& bytes, const std::string& key,
                        const std::string& value) {
    std::string out;
    bool found = false;
    for_each_line(bytes, [&](std::string_view line) {
        if (belongs(line, key)) {
            out += key + " = " + value;
            found = true;
        } else {
            out += line;
        }
        out += "\r\n";
        return true;
    });
    if (!found) out += key + " = " + value + "\r\n";
    return out;
}

// A value taken from the input, without line ends, so that written values
// carry the same odd bytes (NUL, invalid UTF-8, lone separators) as the file.
std::string value_from(const std::string& input, std::size_t offset, std::size_t length) {
    std::string value;
    for (std::size_t i = offset; i < input.size() && value.size() < length; ++i) {
        if (input[i] != '\r' && input[i] != '\n') value.push_back(input[i]);
    }
    return value;
}

void check_write(TConfig& config, const std::string& key, const std::string& value) {
    const std::string before = read_file("config.cfg");
    config.Write(key, value);
    const std::string after = read_file("config.cfg");
    require(after == after_write(before, key, value), "Write produced other bytes", key);
    require(!exists("config.cfg.tmp"), "Write left its temporary file", key);
    require(lines_of(after, key) >= 1, "no line belongs to the key after Write", key);
    require(config.Read(key, "unused default") == value, "Read after Write lost the value", key);
    // Every line end written is CR LF, and keys unrelated to this one by the
    // prefix rule keep their values.
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == '\n')
            require(i > 0 && after[i - 1] == '\r', "Write left a bare line feed", key);
    }
    for (const char* other : kKeys) {
        const std::string k = other;
        if (belongs(k, key) || belongs(key, k)) continue;
        require(value_in(after, k) == value_in(before, k), "Write changed another key", k);
    }
}

void run(const std::string& input) {
    // An empty input stands for a missing file, which Init must create.
    if (input.empty())
        std::remove("config.cfg");
    else if (!write_file("config.cfg", input))
        return;

    TConfig config;
    config.Name = "config";
    config.Init();
    std::string file = read_file("config.cfg");
    require(file == input, "Init changed the file", "");

    // Every key once, as start-up and the menus do. A key the file lacks is
    // appended with its default and is found, not appended, on the next read.
    std::vector<std::string> first_values;
    for (const char* name : kKeys) {
        const std::string key = name;
        const std::string fallback = "default of " + key;
        const std::optional<std::string> expected = value_in(file, key);
        const std::string got = config.Read(key, fallback);
        if (expected) {
            require(got == *expected, "Read returned another value", key);
            require(read_file("config.cfg") == file, "Read of a present key changed the file", key);
        } else {
            require(got == fallback, "Read of a missing key did not return the default", key);
            file = after_append(file, key, fallback);
            require(read_file("config.cfg") == file, "Read appended other bytes", key);
            require(config.Read(key, "other") == fallback, "appended default not found again", key);
            require(read_file("config.cfg") == file, "second Read appended again", key);
        }
        first_values.push_back(got);
    }
    // Appending later keys must not change the value of an earlier one.
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        require(config.Read(kKeys[i], "other") == first_values[i], "value changed by an append",
                kKeys[i]);
    }

    const std::size_t pick = static_cast<unsigned char>(input.empty() ? 0 : input[0]);
    check_write(config, kKeys[pick % std::size(kKeys)], value_from(input, 1, 24));
    check_write(config, kWriteOnlyKey, value_from(input, input.size() / 2, 12));
    check_write(config, "MapDefault", "2");
}

// Where the private folder goes: $TMPDIR when set, else the memory file
// system when there is one, because every Write syncs its file to the disk
// and a disk would make that the slowest part of each input.
std::filesystem::path temp_root() {
    std::error_code ec;
    if (!std::getenv("TMPDIR") && std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
    return std::filesystem::temp_directory_path(ec);
}

// The private folder every input is written to: made on first use and
// removed with everything in it when the process exits.
class WorkDir {
public:
    WorkDir() {
        path_ = (temp_root() / "crashmoor-config-fuzz-XXXXXX").string();
        if (!::mkdtemp(path_.data())) {
            std::fprintf(stderr, "config_fuzz: cannot make a temporary folder\n");
            std::abort();
        }
    }
    ~WorkDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// TConfig works in the current folder, so each input runs inside the private
// folder. The caller's folder is restored afterwards, because libFuzzer reads
// its corpus and writes crash files by the paths it was given, which may be
// relative.
class InWorkDir {
public:
    InWorkDir() {
        static const WorkDir dir;
        if (::chdir(dir.path().c_str()) != 0) {
            std::fprintf(stderr, "config_fuzz: cannot enter %s\n", dir.path().c_str());
            std::abort();
        }
    }
    ~InWorkDir() {
        if (previous_ < 0) return;
        if (::fchdir(previous_) != 0)
            std::fprintf(stderr, "config_fuzz: cannot return to the caller's folder\n");
        ::close(previous_);
    }
    InWorkDir(const InWorkDir&) = delete;
    InWorkDir& operator=(const InWorkDir&) = delete;

private:
    int previous_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const InWorkDir in_work_dir;
    run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
