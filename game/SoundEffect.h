#pragma once

#include <string_view>

namespace vtx {

// The game's sound effects. Adding one takes a value here and its file in
// soundFile(); the audio gives every sound a mixer channel of its own.
enum class Sound { Hit, Miss, Sunk, Won, Lost };

// Each sound's file in the data root's "sounds" folder, as the generator
// writes it.
constexpr std::string_view soundFile(Sound sound) {
    switch (sound) {
    case Sound::Hit:
        return "bomb.mp3";
    case Sound::Miss:
        return "water.mp3";
    case Sound::Sunk:
        return "wbomb.mp3";
    case Sound::Won:
        return "won.wav";
    case Sound::Lost:
        return "lost.wav";
    }
    return {};
}

// The number of sounds: the values from Hit on that have a file.
inline constexpr int kSoundCount = [] {
    int count = 0;
    while (!soundFile(Sound(count)).empty())
        ++count;
    return count;
}();

} // namespace vtx
