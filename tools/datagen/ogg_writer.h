#pragma once
// Ogg Vorbis encoding for the music with fixed encoder settings and a fixed
// stream serial number, so the same samples always give the same bytes.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace datagen {

struct OggSettings {
    int channels = 2;
    int rate = 44100;
    float quality = 0.4f;                                   ///< Vorbis VBR quality, -0.1 .. 1
    std::uint32_t serial = 1;                               ///< Ogg stream serial number
    std::vector<std::pair<std::string, std::string>> tags;  ///< comment tags
};

/// Encodes interleaved samples (-1..1) as an Ogg Vorbis file. Empty on
/// failure.
std::string EncodeOggVorbis(const std::vector<float>& interleaved, const OggSettings& settings);

}  // namespace datagen
