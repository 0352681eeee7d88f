#include "tools/datagen/Generators.h"
#include "tools/datagen/MusicComposer.h"

namespace vtx::datagen {

void generateMusic(const QString& runDir) {
    for (const auto& song : gameSongs())
        writeFile(runDir + QStringLiteral("/Music/") + QString::fromStdString(song.fileName),
                  composeSong(song.plan));
}

} // namespace vtx::datagen
