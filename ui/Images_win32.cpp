// Turns the text pictures into the colour and mask bitmaps of an image list.
#include "ui/Images_win32.h"

#include <cstdint>
#include <vector>

#include "platform/Win32Support_win32.h"
#include "ui/ImageArt.h"

namespace penlet {
namespace {

OwnedBitmap ColourBitmap(int index) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kImageSize;
  info.bmiHeader.biHeight = -kImageSize;  // top-down, like the text
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return bitmap;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < kImageSize; ++y) {
    const char* row = ImageRow(index, y);
    for (int x = 0; x < kImageSize; ++x) {
      const std::int32_t rgb = ImageColor(row[x]);
      // Opaque pixels carry full alpha too, so that lists that blend by alpha agree with the mask.
      pixels[y * kImageSize + x] = rgb < 0 ? 0 : (0xFF000000u | static_cast<std::uint32_t>(rgb));
    }
  }
  return bitmap;
}

OwnedBitmap MaskBitmap(int index) {
  // Monochrome rows are padded to 16 bits; a set bit is transparent.
  std::vector<std::uint8_t> bits(kImageSize * 2, 0);
  for (int y = 0; y < kImageSize; ++y) {
    const char* row = ImageRow(index, y);
    for (int x = 0; x < kImageSize; ++x) {
      if (ImageColor(row[x]) < 0) bits[y * 2 + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return OwnedBitmap(CreateBitmap(kImageSize, kImageSize, 1, 1, bits.data()));
}

}  // namespace

HIMAGELIST CreateImageList1() {
  HIMAGELIST list = ImageList_Create(kImageSize, kImageSize, ILC_COLOR32 | ILC_MASK, 24, 4);
  if (!list) return nullptr;
  ImageList_SetBkColor(list, CLR_NONE);
  for (int i = 0; i < kImageCount; ++i) {
    // The list keeps copies of the bitmaps.
    ImageList_Add(list, ColourBitmap(i).Get(), MaskBitmap(i).Get());
  }
  return list;
}

}  // namespace penlet
