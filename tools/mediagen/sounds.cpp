#include "tools/mediagen/sounds.h"

namespace mediagen {

const std::vector<SoundSpec>& SoundSpecs() {
    static const std::vector<SoundSpec> specs = [] {
        std::vector<SoundSpec> all = {{"snd/fanfare2.wav", MakeMusic}};
        for (const SoundSpec& s : EngineSpecs()) all.push_back(s);
        for (const SoundSpec& s : EffectSpecs()) all.push_back(s);
        return all;
    }();
    return specs;
}

}  // namespace mediagen
