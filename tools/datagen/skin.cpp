#include "tools/datagen/generator.h"

namespace datagen {

void MakeSkin(Output&) {}

}  // namespace datagen
