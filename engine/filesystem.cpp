#include "engine/filesystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

namespace stdfs = std::filesystem;

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

int lower_byte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

bool equal_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower_byte(static_cast<unsigned char>(a[i])) !=
            lower_byte(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Names in a folder, without "." and "..", unsorted. Empty when unreadable.
std::vector<std::string> raw_listing(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    stdfs::directory_iterator it(path.empty() ? std::string(".") : path, ec);
    if (ec) return names;
    for (; it != stdfs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        names.push_back(it->path().filename().string());
    }
    return names;
}

int upper_byte(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

}  // namespace

// Folding to upper case, as the Windows file system orders names: "_" and
// the other signs between "Z" and "a" sort after the letters.
void fs_sort_names(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const int ca = upper_byte(static_cast<unsigned char>(a[i]));
            const int cb = upper_byte(static_cast<unsigned char>(b[i]));
            if (ca != cb) return ca < cb;
        }
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    });
}

std::string fs_resolve(const std::string& path) {
    if (path.empty() || exists(path)) return path;

    std::string resolved;
    std::size_t start = 0;
    if (path[0] == '/') {
        resolved.push_back('/');
        start = 1;
    }
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        const bool last = end >= path.size();
        const std::string folder = resolved.empty() ? std::string(".") : resolved;
        std::string chosen = part;
        if (!part.empty() && part != "." && part != ".." && !exists(resolved + part)) {
            std::vector<std::string> names = raw_listing(folder);
            fs_sort_names(names);
            for (const std::string& name : names) {
                if (equal_ignoring_case(name, part)) {
                    chosen = name;
                    break;
                }
            }
        }
        resolved += chosen;
        if (last) break;
        resolved += '/';
        start = end + 1;
    }
    return resolved;
}

std::string fs_current_dir() {
    std::error_code ec;
    stdfs::path p = stdfs::current_path(ec);
    return ec ? std::string() : p.string();
}

int fs_change_dir(const std::string& path) {
    return ::chdir(fs_resolve(path).c_str()) == 0 ? 1 : 0;
}

int fs_create_file(const std::string& path) {
    std::FILE* f = std::fopen(fs_resolve(path).c_str(), "wb");
    if (!f) return 0;
    return std::fclose(f) == 0 ? 1 : 0;
}

int fs_delete_file(const std::string& path) {
    const std::string resolved = fs_resolve(path);
    if (fs_file_type(resolved) != 1) return 0;
    return std::remove(resolved.c_str()) == 0 ? 1 : 0;
}

int fs_rename_file(const std::string& from, const std::string& to) {
    return std::rename(fs_resolve(from).c_str(), fs_resolve(to).c_str()) == 0 ? 1 : 0;
}

int fs_file_type(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(fs_resolve(path).c_str(), &st) != 0) return 0;
    if (S_ISDIR(st.st_mode)) return 2;
    return 1;
}

std::string fs_extract_ext(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::string();
    if (path.find('/', dot) != std::string::npos) return std::string();
    return path.substr(dot + 1);
}

DirHandle fs_read_dir(const std::string& path) {
    const std::string resolved = fs_resolve(path);
    if (fs_file_type(resolved) != 2) return nullptr;
    std::vector<std::string> names = raw_listing(resolved);
    names.push_back(".");
    names.push_back("..");
    fs_sort_names(names);
    return std::make_shared<DirListing>(std::move(names));
}

std::string fs_next_file(const DirHandle& dir) {
    return dir ? dir->Next() : std::string();
}

void fs_close_dir(DirHandle& dir) {
    dir.reset();
}

std::vector<std::string> fs_load_dir(const std::string& path) {
    const std::string resolved = fs_resolve(path);
    if (fs_file_type(resolved) != 2) return {};
    std::vector<std::string> names = raw_listing(resolved);
    fs_sort_names(names);
    return names;
}

std::string fs_executable_dir() {
    std::error_code ec;
    const stdfs::path exe = stdfs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

int fs_make_dirs(const std::string& path) {
    if (path.empty()) return 0;
    std::string prefix;
    std::size_t at = 0;
    while (at != std::string::npos) {
        at = path.find('/', at + 1);
        prefix = path.substr(0, at);
        if (!prefix.empty() && !exists(prefix)) ::mkdir(prefix.c_str(), 0700);
    }
    return fs_file_type(path) == 2 ? 1 : 0;
}

int fs_copy_file(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(fs_resolve(from).c_str(), "rb");
    if (!in) return 0;
    const std::string temporary = to + ".tmp";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    bool ok = out != nullptr;
    char buffer[1 << 14];
    while (ok) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, in);
        if (n > 0 && std::fwrite(buffer, 1, n, out) != n) ok = false;
        if (n < sizeof buffer) {
            ok = ok && std::ferror(in) == 0;
            break;
        }
    }
    std::fclose(in);
    if (out && std::fclose(out) != 0) ok = false;
    ok = ok && std::rename(temporary.c_str(), to.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok ? 1 : 0;
}

std::string fs_absolute(const std::string& path) {
    std::error_code ec;
    const stdfs::path p = stdfs::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}
