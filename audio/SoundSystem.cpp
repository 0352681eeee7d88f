#include "audio/SoundSystem.h"

#include "game/DataFiles.h"

#include <QCoreApplication>
#include <QFile>

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace vtx {

namespace {

// Output block in sample frames: about 23 ms at 44100 Hz.
constexpr int kChunkFrames = 1024;

int g_openGeneration = 0;

QLatin1String latin1(std::string_view text) {
    return QLatin1String(text.data(), qsizetype(text.size()));
}

int channelOf(Sound effect) {
    return int(effect);
}

} // namespace

SoundSystem::SoundSystem() = default;

SoundSystem::~SoundSystem() {
    freeEffects();
    if (m_open) {
        Mix_CloseAudio();
        ++g_openGeneration;
    }
    Mix_Quit();
    if (m_sdlAudioInitialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QString SoundSystem::versionMismatchMessage() {
    SDL_version expected;
    SDL_MIXER_VERSION(&expected);
    return versionMismatchMessage(*Mix_Linked_Version(), expected);
}

QString SoundSystem::versionMismatchMessage(const SDL_version& linked, const SDL_version& expected) {
    // Patch releases keep the interface, so only major.minor must agree.
    if (linked.major == expected.major && linked.minor == expected.minor) return {};
    return QCoreApplication::translate("vtx::SoundSystem", "SDL2_mixer version %1.%2.%3 was not loaded")
        .arg(expected.major)
        .arg(expected.minor)
        .arg(expected.patch);
}

int SoundSystem::openGeneration() {
    return g_openGeneration;
}

bool SoundSystem::init() {
    m_soundOn = true;
    if (m_open) return true;
    if (!m_sdlAudioInitialised) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_soundOn = false;
            return false;
        }
        m_sdlAudioInitialised = true;
    }
    // Decoders for the effect files and the songs; a missing one only makes
    // the files of that kind fail to load later.
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
    // No format changes allowed: SDL converts for the hardware, and the
    // effects' gain stage can rely on 16-bit stereo.
    if (Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, 2, kChunkFrames, nullptr, 0) != 0) {
        m_soundOn = false;
        return false;
    }
    m_open = true;
    ++g_openGeneration;
    Mix_AllocateChannels(kSoundCount);
    Mix_ReserveChannels(kSoundCount);
    m_midi.reapply();
    return true;
}

void SoundSystem::freeEffects() {
    for (int channel = 0; channel < kSoundCount; ++channel) {
        if (m_chunks[channel]) {
            Mix_HaltChannel(channel);
            Mix_FreeChunk(m_chunks[channel]);
            m_chunks[channel] = nullptr;
        }
    }
}

void SoundSystem::loadEffects(const QString& startDir) {
    freeEffects();
    if (!m_open) return;
    const QString folder = startDir + QLatin1Char('/') + latin1(datafiles::kSoundFolder) + QLatin1Char('/');
    for (int i = 0; i < kSoundCount; ++i) {
        const QString path = folder + latin1(soundFile(Sound(i)));
        m_chunks[i] = Mix_LoadWAV(QFile::encodeName(path).constData());
    }
}

std::uint32_t SoundSystem::handle(Sound effect) const {
    return m_chunks[channelOf(effect)] ? std::uint32_t(channelOf(effect) + 1) : 0;
}

void SoundSystem::play(Sound effect) {
    const int channel = channelOf(effect);
    Mix_Chunk* chunk = m_chunks[channel];
    if (!m_open || !chunk) return;
    Mix_HaltChannel(channel);
    m_wave.attachTo(channel);
    Mix_PlayChannel(channel, chunk, 0);
}

} // namespace vtx
