#include <cmath>
#include <filesystem>
#include <fstream>

#include "tools/datagen/generator.h"

namespace datagen {

std::string Output::Prepare(const std::string& path) {
    const std::filesystem::path full = std::filesystem::path(root_) / path;
    std::error_code ec;
    std::filesystem::create_directories(full.parent_path(), ec);
    if (ec) ok_ = false;
    return full.string();
}

void Output::Image(const std::string& path, const Canvas& canvas, double game_scale) {
    if (!canvas.SavePng(Prepare(path))) ok_ = false;
    Sheet(path, canvas, game_scale);
}

void Output::Sheet(const std::string& label, const Canvas& canvas, double game_scale) {
    SheetItem item;
    item.path = label;
    item.game_scale = game_scale;
    item.width = canvas.width();
    item.height = canvas.height();
    item.argb.resize(static_cast<std::size_t>(item.width) * item.height);
    for (int y = 0; y < item.height; ++y)
        for (int x = 0; x < item.width; ++x) item.argb[y * item.width + x] = canvas.Pixel(x, y);
    sheet_.push_back(std::move(item));
}

void Output::Wav(const std::string& path, const std::vector<float>& samples, int channels,
                 int rate) {
    std::string b;
    auto put32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&b](std::uint16_t v) {
        b.push_back(static_cast<char>(v & 0xFF));
        b.push_back(static_cast<char>(v >> 8));
    };
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    b += "RIFF";
    put32(36 + bytes);
    b += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(static_cast<std::uint16_t>(channels));
    put32(static_cast<std::uint32_t>(rate));
    put32(static_cast<std::uint32_t>(rate * channels * 2));
    put16(static_cast<std::uint16_t>(channels * 2));
    put16(16);
    b += "data";
    put32(bytes);
    for (float s : samples) {
        const float c = s > 1.0f ? 1.0f : (s < -1.0f ? -1.0f : s);
        put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32767.0f))));
    }
    Bytes(path, b);
}

void Output::Bytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(Prepare(path), std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) ok_ = false;
}

void Output::Copy(const std::string& path, const std::string& from) {
    std::error_code ec;
    std::filesystem::copy_file(from, Prepare(path),
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) ok_ = false;
}

}  // namespace datagen
