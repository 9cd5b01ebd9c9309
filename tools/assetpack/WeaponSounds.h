#pragma once
// A weapon's two sounds by its family (gun, cannon, laser, melee, ...): the shot
// (W....-1) and the hit (W....-2).
#include <string>

#include "tools/assetpack/SoundLayers.h"

namespace sfx {

void Shot(Clip& c, Rng& r, const std::string& family, Place place);
// Sets *level when the hit is loud enough to need its own (a blast).
void Hit(Clip& c, Rng& r, const std::string& family, Place place, double* level);

}  // namespace sfx
