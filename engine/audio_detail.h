#pragma once
// Start and end of the audio system, called by the engine's lifetime.

namespace engine_detail {
/// Opens the sound device when `play` is set and one exists; otherwise a
/// silent device that only decodes.
void audio_start(bool play);
void audio_stop();
}  // namespace engine_detail
