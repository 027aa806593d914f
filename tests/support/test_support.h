#pragma once
// Helpers shared by the test programs.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/engine.h"

namespace test_support {

/// A fresh temporary folder, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    /// path() + "/" + name
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

/// Changes into a folder for the lifetime of the object.
class ScopedChdir {
public:
    explicit ScopedChdir(const std::string& path);
    ~ScopedChdir();
    ScopedChdir(const ScopedChdir&) = delete;
    ScopedChdir& operator=(const ScopedChdir&) = delete;

private:
    std::string previous_;
};

/// Links every entry of the data folder `from` into the folder `to`, except
/// the files the game writes there (its configuration and its report), so
/// that a run in `to` sees the shipped data and writes only its own files.
void LinkDataFolder(const std::string& from, const std::string& to);

std::string ReadFile(const std::string& path);
/// Runs `command` through the shell and returns its exit status, or -1 when
/// it did not exit normally. What it printed on standard output and standard
/// error goes to `*output` when given.
int RunCommand(const std::string& command, std::string* output = nullptr);
/// Writes a mono 16-bit PCM WAV file with a quiet sine tone.
void WriteWav(const std::string& path, double seconds, int rate = 22050);
void WriteFile(const std::string& path, const std::string& bytes);

/// The engine with an off-screen 1024 x 768 (or given size) window, blank
/// frame and default drawing state; for tests that read pixels back.
class VideoEngine {
public:
    explicit VideoEngine(int width = 1024, int height = 768, bool video = true);
    ~VideoEngine();
    bool ok() const { return ok_; }

private:
    std::unique_ptr<Engine> engine_;
    bool ok_ = false;
};

/// The engine without video or sound: images, fonts and sounds load, nothing
/// is drawn or heard. For tests of data and of readers.
class HeadlessEngine {
public:
    HeadlessEngine();
    ~HeadlessEngine();
    bool ok() const { return engine_ && engine_->ok(); }

private:
    std::unique_ptr<Engine> engine_;
};

/// ARGB of one pixel of the current frame.
std::uint32_t PixelAt(int x, int y);
/// Red, green, blue of an ARGB value.
inline int R(std::uint32_t p) {
    return (p >> 16) & 0xFF;
}
inline int G(std::uint32_t p) {
    return (p >> 8) & 0xFF;
}
inline int B(std::uint32_t p) {
    return p & 0xFF;
}

}  // namespace test_support
