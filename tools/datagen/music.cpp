#include "tools/datagen/generator.h"

namespace datagen {

void MakeMusic(Output&) {}

}  // namespace datagen
