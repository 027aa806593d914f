#include "tools/datagen/generator.h"

namespace datagen {

// The game names Windows fonts. Metric-compatible Tahoma clones (fonts-wine)
// stand in for the system font under fonts/, and the bold clone ships as the
// skin's own font; DejaVu Sans is the last resort of the engine's fallback.
void MakeFonts(Output& out) {
    out.Copy("fonts/tahoma.ttf", "/usr/share/wine/fonts/tahoma.ttf");
    out.Copy("fonts/tahomabd.ttf", "/usr/share/wine/fonts/tahomabd.ttf");
    out.Copy("fonts/DejaVuSans.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    out.Copy("fonts/DejaVuSans-Bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
    out.Copy("Skin/Fonts/trebucbd.ttf", "/usr/share/wine/fonts/tahomabd.ttf");
}

}  // namespace datagen
