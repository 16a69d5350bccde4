// ImageList1: the pictures of the menus and the tool bar, made from ImageArt at run time.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/ImageArt.h"

namespace penlet {

// 19 masked images of `size` x `size` (16 at 96 dots per inch) in 32-bit colour, room for 24,
// growing by 4, each drawn from the 16 x 16 art pixel for pixel. The caller destroys it.
HIMAGELIST CreateImageList1(int size = kImageSize);

}  // namespace penlet
