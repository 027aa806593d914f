#include "tools/datagen/generator.h"

namespace datagen {

void MakeSoundEffects(Output&) {}

}  // namespace datagen
