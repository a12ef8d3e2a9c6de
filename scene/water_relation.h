// How a draw relates to the water plane, and which pass draws a frame. Both
// live only inside the program: the settings file keeps the pass selector as
// its own integer (mit_wasser), converted where it is used.
#pragma once

namespace scene {

// What each scene-drawing step hands down to the terrain, grass and objects;
// their shaders get it as the float uniform in_water, so the values are
// fixed.
enum class WaterRelation : int {
  WaterPassView = 0,  // the water pass's main view and its reflection
  CausticView = 1,    // the caustic overlay: the ground under the surface
  NoWater = 2,        // plain and simple-water passes: the plane selects nothing
};

inline float InWaterUniform(WaterRelation relation) {
  return static_cast<float>(static_cast<int>(relation));
}

// The water-plane rule for a box spanning minY ... maxY and the water height
// clipHeight: the caustic view draws what reaches below the water, the water
// pass's views what reaches above it, NoWater everything. All comparisons are
// strict, so a box whose minimum lies exactly at the water is drawn by
// neither water view.
bool PassDrawsBox(WaterRelation relation, float clipHeight, float minY, float maxY);

enum class PassSelector { Plain, Water, SimpleWater };

// The mit_wasser setting: 1 water pass, 2 simple water, anything else plain.
PassSelector PassSelectorFromSetting(int mitWasser);

}  // namespace scene
