#include "tools/datagen/Generators.h"
#include "tools/datagen/SoundEncoders.h"
#include "tools/datagen/SoundSynth.h"

#include "game/DataFiles.h"
#include "game/SoundEffect.h"

namespace vtx::datagen {

void generateSounds(const QString& runDir) {
    const QString dir = runDir + QLatin1Char('/') + qtext(datafiles::kSoundFolder) + QLatin1Char('/');
    const auto path = [&dir](Sound sound) { return dir + qtext(soundFile(sound)); };
    constexpr int kbps = 128;
    writeFile(path(Sound::Hit), encodeMp3(synthExplosion(), kSoundRate, kbps));
    writeFile(path(Sound::Miss), encodeMp3(synthSplash(), kSoundRate, kbps));
    writeFile(path(Sound::Sunk), encodeMp3(synthHeavyExplosion(), kSoundRate, kbps));
    writeFile(path(Sound::Won), encodeWav(synthFanfare(), kSoundRate));
    writeFile(path(Sound::Lost), encodeWav(synthDefeat(), kSoundRate));
}

} // namespace vtx::datagen
