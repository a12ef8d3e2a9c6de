#include "scene/water_relation.h"

namespace scene {

bool PassDrawsBox(WaterRelation relation, float clipHeight, float minY, float maxY) {
  const bool below = clipHeight > minY;
  const bool straddling = clipHeight > minY && maxY > clipHeight;
  const bool above = minY > clipHeight;
  switch (relation) {
    case WaterRelation::CausticView:
      return below;
    case WaterRelation::WaterPassView:
      return above || straddling;
    case WaterRelation::NoWater:
      break;
  }
  return true;
}

PassSelector PassSelectorFromSetting(int mitWasser) {
  switch (mitWasser) {
    case 1:
      return PassSelector::Water;
    case 2:
      return PassSelector::SimpleWater;
    default:
      return PassSelector::Plain;
  }
}

}  // namespace scene
