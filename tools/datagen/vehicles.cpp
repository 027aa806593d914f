#include "tools/datagen/generator.h"

namespace datagen {

void MakeVehicles(Output&) {}

}  // namespace datagen
