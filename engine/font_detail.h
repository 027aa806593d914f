#pragma once
// Start and end of the font system, called by the engine's lifetime.

namespace engine_detail {
void fonts_start();
void fonts_stop();
}  // namespace engine_detail
