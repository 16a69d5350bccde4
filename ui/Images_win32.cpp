// Turns the text pictures into the colour and mask bitmaps of an image list.
#include "ui/Images_win32.h"

#include <cstdint>
#include <vector>

#include "platform/system/Win32Support_win32.h"
#include "ui/ImageArt.h"

namespace penlet {
namespace {

// The picture's pixel under pixel `at` of a copy `size` wide: the nearest one, so that every
// pixel of the copy is a pixel of the art and no edge blurs.
int Source(int at, int size) {
  return (2 * at + 1) * kImageSize / (2 * size);
}

OwnedBitmap ColourBitmap(int index, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down, like the text
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return bitmap;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < size; ++y) {
    const char* row = ImageRow(index, Source(y, size));
    for (int x = 0; x < size; ++x) {
      const std::int32_t rgb = ImageColor(row[Source(x, size)]);
      // Opaque pixels carry full alpha too, so that lists that blend by alpha agree with the mask.
      pixels[y * size + x] = rgb < 0 ? 0 : (0xFF000000u | static_cast<std::uint32_t>(rgb));
    }
  }
  return bitmap;
}

OwnedBitmap MaskBitmap(int index, int size) {
  // Monochrome rows are padded to 16 bits; a set bit is transparent.
  const int stride = (size + 15) / 16 * 2;
  std::vector<std::uint8_t> bits(static_cast<size_t>(stride) * size, 0);
  for (int y = 0; y < size; ++y) {
    const char* row = ImageRow(index, Source(y, size));
    for (int x = 0; x < size; ++x) {
      if (ImageColor(row[Source(x, size)]) < 0) {
        bits[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  return OwnedBitmap(CreateBitmap(size, size, 1, 1, bits.data()));
}

}  // namespace

HIMAGELIST CreateImageList1(int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 24, 4);
  if (!list) return nullptr;
  ImageList_SetBkColor(list, CLR_NONE);
  for (int i = 0; i < kImageCount; ++i) {
    // The list keeps copies of the bitmaps.
    ImageList_Add(list, ColourBitmap(i, size).Get(), MaskBitmap(i, size).Get());
  }
  return list;
}

}  // namespace penlet
