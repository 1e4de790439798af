// Every sound file of the game: the music, the looping engine drones and the
// one-shot effects, by file name.
#pragma once

#include <string>
#include <vector>

#include "tools/mediagen/synth.h"

namespace mediagen {

struct SoundSpec {
    std::string path;  // with '/', exact case
    Signal (*make)();
};

const std::vector<SoundSpec>& SoundSpecs();

// Peak levels: one-shots leave a little headroom; what may play together
// (the music and the two ships' engines) leaves more.
inline constexpr float kEffectPeak = 0.7f;
inline constexpr float kEnginePeak = 0.4f;
inline constexpr float kMusicPeak = 0.45f;

// The music (32 s, looping), the engine drones and the one-shot effects.
Signal MakeMusic();
std::vector<SoundSpec> EngineSpecs();
std::vector<SoundSpec> EffectSpecs();

}  // namespace mediagen
