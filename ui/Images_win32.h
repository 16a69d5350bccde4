// ImageList1: the pictures of the menus and the tool bar, made from ImageArt at run time.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace penlet {

// 19 masked 16 x 16 images in 32-bit colour, room for 24, growing by 4. The caller destroys it.
HIMAGELIST CreateImageList1();

}  // namespace penlet
