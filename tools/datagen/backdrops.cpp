#include "tools/datagen/generator.h"

namespace datagen {

void MakeBackdrops(Output&) {}

}  // namespace datagen
