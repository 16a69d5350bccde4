// The About box's comment wrapping and its picture, drawn by the program from a few shapes.
#include "ui/AboutLayout.h"

#include <algorithm>
#include <cmath>

namespace penlet {

std::vector<std::string> WrapLabel(std::string_view text, const LeadByteSet& leadBytes, int width,
                                   const std::function<int(std::string_view)>& charWidth) {
  struct Break {
    size_t end, resume;
  };
  constexpr size_t kNone = std::string_view::npos;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    Break brk{kNone, kNone};
    int used = 0;
    size_t i = start;
    bool previousDouble = false;
    bool broke = false;
    while (i < text.size()) {
      if (text[i] == ' ') {
        size_t j = i;
        while (j < text.size() && text[j] == ' ') used += charWidth(text.substr(j++, 1));
        if (i > start) brk = {i, j};
        i = j;
        previousDouble = false;
        continue;
      }
      const size_t next = leadBytes.Next(text, i);
      const bool isDouble = next - i == 2;
      if ((isDouble || previousDouble) && i > start && brk.resume != i) brk = {i, i};
      const int w = charWidth(text.substr(i, next - i));
      if (used + w > width && i > start) {
        const Break at = brk.end != kNone ? brk : Break{i, i};
        lines.emplace_back(text.substr(start, at.end - start));
        start = at.resume;
        broke = true;
        break;
      }
      used += w;
      previousDouble = isDouble;
      i = next;
    }
    if (!broke) {
      size_t end = text.size();
      while (end > start && text[end - 1] == ' ') --end;
      lines.emplace_back(text.substr(start, end - start));
      start = text.size();
    }
  }
  return lines;
}

namespace {

struct Color {
  float r, g, b;
};

// A colour with its coverage, premultiplied.
struct Paint {
  float r = 0, g = 0, b = 0, a = 0;
  void Over(Color c, float alpha) {
    r = c.r * alpha + r * (1 - alpha);
    g = c.g * alpha + g * (1 - alpha);
    b = c.b * alpha + b * (1 - alpha);
    a = alpha + a * (1 - alpha);
  }
};

// Signed distance to a rounded rectangle: negative inside.
float RoundedBox(float x, float y, float left, float top, float right, float bottom, float radius) {
  const float cx = (left + right) / 2, cy = (top + bottom) / 2;
  const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
  const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
  return outside + std::min(std::max(qx, qy), 0.f) - radius;
}

void PaintSheet(Paint& p, float x, float y) {
  const float d = RoundedBox(x, y, 14, 5, 64, 49, 3);
  if (d >= 0) return;
  if (d > -1) {
    p.Over({120, 120, 130}, 1);
    return;
  }
  p.Over({255, 255, 248}, 1);
  if (x >= 22 && x < 23) p.Over({235, 120, 130}, 1);  // margin
  for (int k = 0; k < 5; ++k) {
    const float rule = 14.f + 7 * k;
    if (y >= rule && y < rule + 1 && x > 16 && x < 62) p.Over({150, 180, 235}, 1);
  }
  // Handwriting on the first three rules.
  const float lengths[3] = {30, 22, 27};
  for (int k = 0; k < 3; ++k) {
    const float base = 14.f + 7 * k - 2.6f;
    if (x < 25 || x > 25 + lengths[k]) continue;
    const float wave = base + 1.6f * std::sin(x * 1.1f + k) * std::cos(x * 0.37f);
    if (std::fabs(y - wave) < 0.6f) p.Over({40, 60, 150}, 1);
  }
}

void PaintPencil(Paint& p, float x, float y) {
  // From the eraser end (ax, ay) to the point (bx, by).
  const float ax = 99, ay = 7, bx = 41, by = 44, half = 4.6f;
  const float dx = bx - ax, dy = by - ay, length = std::hypot(dx, dy);
  const float ux = dx / length, uy = dy / length;
  const float t = ((x - ax) * ux + (y - ay) * uy) / length;
  const float s = (x - ax) * -uy + (y - ay) * ux;  // across the pencil
  if (t < 0) {
    if (std::hypot(x - ax, y - ay) < half) p.Over({238, 130, 150}, 1);  // rounded eraser
    return;
  }
  if (t > 1) return;
  const float taper = t < 0.8f ? 1 : (1 - t) / 0.2f;
  const float reach = half * taper;
  if (std::fabs(s) > reach) return;
  const bool edge = std::fabs(s) > reach - 0.8f;
  Color c;
  if (t < 0.08f) {
    c = {238, 130, 150};
  } else if (t < 0.15f) {
    c = std::fabs(s) < 1.5f ? Color{235, 235, 240} : Color{170, 170, 180};
  } else if (t < 0.8f) {
    c = s < -half / 3  ? Color{255, 225, 90}
        : s > half / 3 ? Color{220, 160, 20}
                       : Color{250, 200, 40};
  } else if (t < 0.94f) {
    c = {225, 185, 135};
  } else {
    c = {60, 60, 70};
  }
  if (edge && t < 0.94f) c = {c.r * 0.55f, c.g * 0.55f, c.b * 0.55f};
  p.Over(c, 1);
}

}  // namespace

IndexedPicture AboutPicture() {
  IndexedPicture pic;
  pic.width = kAboutProgramIcon.width;
  pic.height = kAboutProgramIcon.height;
  // Index 0 is the see-through colour, which no colour of the cube can equal.
  pic.palette.push_back(0xFF00FE);
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) pic.palette.push_back((r * 51u) << 16 | (g * 51u) << 8 | b * 51u);
    }
  }
  // Partly covered edge pixels are mixed with the usual face colour.
  const Color face{212, 208, 200};
  constexpr int kSamples = 4;
  pic.pixels.reserve(pic.width * pic.height);
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      Paint sum;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float px = x + (sx + 0.5f) / kSamples, py = y + (sy + 0.5f) / kSamples;
          Paint p;
          PaintSheet(p, px, py);
          PaintPencil(p, px, py);
          sum.r += p.r, sum.g += p.g, sum.b += p.b, sum.a += p.a;
        }
      }
      const float n = kSamples * kSamples;
      const float a = sum.a / n;
      // The frame's bottom-left corner stays see-through, so that it names the key colour.
      if (a < 0.5f || (x == 0 && y == pic.height - 1)) {
        pic.pixels.push_back(0);
        continue;
      }
      auto level = [&](float premultiplied, float back) {
        const float v = premultiplied / n + back * (1 - a);
        return std::clamp(static_cast<int>(std::lround(v / 51)), 0, 5);
      };
      pic.pixels.push_back(static_cast<std::uint8_t>(
          1 + level(sum.r, face.r) * 36 + level(sum.g, face.g) * 6 + level(sum.b, face.b)));
    }
  }
  return pic;
}

}  // namespace penlet
