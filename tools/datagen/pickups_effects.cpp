#include "tools/datagen/generator.h"

namespace datagen {

void MakePickupsAndEffects(Output&) {}

}  // namespace datagen
