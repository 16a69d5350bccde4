// Where the program puts a window within an area (the screen or a monitor): the arithmetic that
// every box, dialog and the main window share, without the window system.
#pragma once

namespace penlet {

enum class Placement {
  kCentred,              // centred both ways
  kCentredCornerInArea,  // centred, but the top-left corner never left of or above the area
  kCentredUpperThird,    // centred across; the top at one third of the height left over
};

struct PlacedPosition {
  int x = 0, y = 0;
};

// The top-left corner of a window of `width` x `height` placed in the area as `placement` says.
// The divisions truncate toward zero, also when the window is larger than the area.
PlacedPosition PlaceInArea(int areaLeft, int areaTop, int areaWidth, int areaHeight, int width,
                           int height, Placement placement);

}  // namespace penlet
