#include "tools/datagen/Generators.h"
#include "tools/datagen/MusicComposer.h"

#include "game/DataFiles.h"

namespace vtx::datagen {

void generateMusic(const QString& runDir) {
    for (const auto& song : gameSongs())
        writeFile(runDir + QLatin1Char('/') + qtext(datafiles::kMusicFolder) + QLatin1Char('/') +
                      QString::fromStdString(song.fileName),
                  composeSong(song.plan));
}

} // namespace vtx::datagen
