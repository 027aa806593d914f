#include "tests/support/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/graphics.h"

namespace test_support {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "crashmoor-test-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    if (!made) throw std::runtime_error("mkdtemp failed");
    path_ = made;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

ScopedChdir::ScopedChdir(const std::string& path) {
    previous_ = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

ScopedChdir::~ScopedChdir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

int RunCommand(const std::string& command, std::string* output) {
    std::FILE* pipe = ::popen(("(" + command + ") 2>&1").c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = ::pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteWav(const std::string& path, double seconds, int rate) {
    const std::uint32_t samples = static_cast<std::uint32_t>(seconds * rate);
    std::string bytes;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&](std::uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    bytes += "RIFF";
    put32(36 + samples * 2);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(static_cast<std::uint32_t>(rate));
    put32(static_cast<std::uint32_t>(rate) * 2);
    put16(2);
    put16(16);
    bytes += "data";
    put32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double v = std::sin(i * 2.0 * 3.141592653589793 * 440.0 / rate) * 3000.0;
        put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    WriteFile(path, bytes);
}

VideoEngine::VideoEngine(int width, int height, bool video) {
    EngineOptions options;
    options.video = video;
    options.audio = false;
    options.windowed = true;
    options.uncapped = true;
    engine_ = std::make_unique<Engine>(options);
    if (!engine_->ok()) return;
    ok_ = gfx_open(width, height, 0, 60, 0) == 1;
    gfx_cls();
}

VideoEngine::~VideoEngine() = default;

HeadlessEngine::HeadlessEngine() {
    EngineOptions options;
    options.video = false;
    options.audio = false;
    engine_ = std::make_unique<Engine>(options);
}

HeadlessEngine::~HeadlessEngine() = default;

std::uint32_t PixelAt(int x, int y) {
    return gfx_read_pixels(x, y, 1, 1)[0];
}

}  // namespace test_support

namespace test_support {

void LinkDataFolder(const std::string& from, const std::string& to) {
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (name == "config.cfg" || name == "debug_console_report.txt") continue;
        std::filesystem::create_symlink(entry.path(), to + "/" + name);
    }
}

}  // namespace test_support
