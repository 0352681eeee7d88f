#include "tools/datagen/Generators.h"
#include "tools/datagen/ModelBuilders.h"

namespace vtx::datagen {

void generateModels(const QString& runDir) {
    for (int length = 1; length <= 4; ++length)
        writeFile(runDir + QStringLiteral("/DATA/ship%1t.md2").arg(length), shipModelFile(length));
    writeFile(runDir + QStringLiteral("/DATA/tree.md2"), treeModelFile());
    writeFile(runDir + QStringLiteral("/DATA/isle.md2"), islandModelFile());
}

} // namespace vtx::datagen
