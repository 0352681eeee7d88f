#include "tools/datagen/Generators.h"

namespace vtx::datagen {

// Not written yet: this generator's files are still to come.
void generateSounds(const QString&) {}

} // namespace vtx::datagen
