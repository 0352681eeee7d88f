#include "tools/datagen/Generators.h"
#include "tools/datagen/ModelBuilders.h"

#include "game/DataFiles.h"

namespace vtx::datagen {

void generateModels(const QString& runDir) {
    for (int length = 1; length <= 4; ++length)
        writeFile(runPath(runDir, datafiles::kShipModels[std::size_t(length - 1)]), shipModelFile(length));
    writeFile(runPath(runDir, datafiles::kTreeModel), treeModelFile());
    writeFile(runPath(runDir, datafiles::kIsleModel), islandModelFile());
}

} // namespace vtx::datagen
