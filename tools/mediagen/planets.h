// The 21 planet pictures: a lit, textured disc filling the picture region the
// game scales (its frame size), on black.
#pragma once

#include <string>
#include <vector>

#include "tools/mediagen/image.h"

namespace mediagen {

struct PlanetSpec {
    const char* stem;  // file name without ".bmp"
    int frameSize;     // the side of the square region the game draws from
};

// In the order of the game's picture table.
const std::vector<PlanetSpec>& PlanetSpecs();

Image RenderPlanet(const PlanetSpec& spec);

std::string PlanetPath(const PlanetSpec& spec);

}  // namespace mediagen
