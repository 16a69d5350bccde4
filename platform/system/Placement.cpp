// The placement arithmetic.
#include "platform/system/Placement.h"

namespace penlet {

PlacedPosition PlaceInArea(int areaLeft, int areaTop, int areaWidth, int areaHeight, int width,
                           int height, Placement placement) {
  // C++ division truncates toward zero, as the placement wants.
  PlacedPosition at{
      areaLeft + (areaWidth - width) / 2,
      areaTop + (areaHeight - height) / (placement == Placement::kCentredUpperThird ? 3 : 2)};
  if (placement == Placement::kCentredCornerInArea) {
    if (at.x < areaLeft) at.x = areaLeft;
    if (at.y < areaTop) at.y = areaTop;
  }
  return at;
}

}  // namespace penlet
