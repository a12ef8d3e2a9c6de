// The scene's models as OBJ text: two palms, the bush and the granite rock.
//
// Units are the scene's (the terrain's grid points lie 17.8 apart; about
// one unit to the centimetre), y up, the model standing on y = 0 at the
// origin. The palms are loaded unscaled; the bush is scaled by 0.98 or 1.3
// and then by (4, 1, 4) and copied three times, each copy turned 47 degrees
// and grown by 1.33, so its text is a narrow clump; the rock is scaled by 7.
#pragma once

#include <string>
#include <string_view>

namespace models {

// The palm texture: the bark in the strip u < kPalmBarkU, tiling along v
// with kBarkRingsPerTile rings per tile; the frond in u >= kPalmBarkU, its
// stalk along the middle from v = 0 (the frond's base) to v = 1 (its tip).
inline constexpr float kPalmBarkU = 0.25f;
inline constexpr int kBarkRingsPerTile = 4;

// The model of `kind` ("palm", "palm-alt", "bush", "rock"); empty for an
// unknown kind.
std::string ModelText(std::string_view kind);

}  // namespace models
