#pragma once
#include <cstdint>
/// One-bit bitmaps of the engine's built-in 8 x 16 font, character codes 32 to 127
/// (index = code - 32), one byte per row from the top, bit 7 the leftmost pixel.
extern const std::uint8_t kBuiltinFontBitmap[96][16];
