#include "audio/SoundSystem.h"

#include <QFile>

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace vtx {

namespace {

// Output block in sample frames: about 23 ms at 44100 Hz.
constexpr int kChunkFrames = 1024;

const char* const kEffectFiles[SoundSystem::kEffectCount] = {"bomb.mp3", "water.mp3", "wbomb.mp3", "won.wav",
                                                             "lost.wav"};

int g_openGeneration = 0;

int channelOf(Effect effect) {
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
    return QStringLiteral("SDL2_mixer version %1.%2.%3 was not loaded")
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
    Mix_AllocateChannels(kEffectCount);
    Mix_ReserveChannels(kEffectCount);
    m_midi.reapply();
    return true;
}

void SoundSystem::freeEffects() {
    for (int channel = 0; channel < kEffectCount; ++channel) {
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
    for (int i = 0; i < kEffectCount; ++i) {
        const QString path = startDir + QStringLiteral("/sounds/") + QLatin1String(kEffectFiles[i]);
        m_chunks[i] = Mix_LoadWAV(QFile::encodeName(path).constData());
    }
}

std::uint32_t SoundSystem::handle(Effect effect) const {
    return m_chunks[channelOf(effect)] ? std::uint32_t(channelOf(effect) + 1) : 0;
}

void SoundSystem::play(Effect effect) {
    const int channel = channelOf(effect);
    Mix_Chunk* chunk = m_chunks[channel];
    if (!m_open || !chunk) return;
    Mix_HaltChannel(channel);
    m_wave.attachTo(channel);
    Mix_PlayChannel(channel, chunk, 0);
}

} // namespace vtx
