#include "tools/datagen/generator.h"

namespace datagen {

void MakeWeapons(Output&) {}

}  // namespace datagen
