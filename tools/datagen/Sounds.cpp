#include "tools/datagen/Generators.h"
#include "tools/datagen/SoundEncoders.h"
#include "tools/datagen/SoundSynth.h"

namespace vtx::datagen {

void generateSounds(const QString& runDir) {
    const QString dir = runDir + QStringLiteral("/sounds/");
    constexpr int kbps = 128;
    writeFile(dir + "bomb.mp3", encodeMp3(synthExplosion(), kSoundRate, kbps));
    writeFile(dir + "water.mp3", encodeMp3(synthSplash(), kSoundRate, kbps));
    writeFile(dir + "wbomb.mp3", encodeMp3(synthHeavyExplosion(), kSoundRate, kbps));
    writeFile(dir + "won.wav", encodeWav(synthFanfare(), kSoundRate));
    writeFile(dir + "lost.wav", encodeWav(synthDefeat(), kSoundRate));
}

} // namespace vtx::datagen
