#include "tools/datagen/generator.h"

namespace datagen {

void MakeMarkers(Output&) {}

}  // namespace datagen
