#include "fxhost/files/test_card.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "fxhost/files/image_convert.h"

namespace fxhost {
namespace {

// Digits 0-9 in a 3x5 bitmap font; each row's three bits, most significant on the left.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigits{{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 2, 2, 2},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

RgbaF Hue(double h, double s, double v) {
  const double i = std::floor(h * 6);
  const double f = h * 6 - i;
  const auto p = static_cast<float>(v * (1 - s));
  const auto q = static_cast<float>(v * (1 - f * s));
  const auto t = static_cast<float>(v * (1 - (1 - f) * s));
  const auto V = static_cast<float>(v);
  switch (static_cast<int>(i) % 6) {
    case 0:
      return {V, t, p, 1};
    case 1:
      return {q, V, p, 1};
    case 2:
      return {p, V, t, 1};
    case 3:
      return {p, q, V, 1};
    case 4:
      return {t, p, V, 1};
    default:
      return {V, p, q, 1};
  }
}

// Whether pixel (x, y) of a tile (origin at its top left, size w x h) is inside the tile's number.
bool InNumber(int number, int x, int y, int w, int h) {
  const int digits = number >= 10 ? 2 : 1;
  const int scale = std::max(1, std::min(h / 2 / 5, w * 2 / 3 / (4 * digits - 1)));
  const int text_w = (4 * digits - 1) * scale;
  const int gx = x - (w - text_w) / 2;
  const int gy = y - (h - 5 * scale) / 2;
  if (gx < 0 || gy < 0 || gx >= text_w || gy >= 5 * scale) return false;
  const int cell = gx / scale;
  if (cell % 4 == 3) return false;  // the gap between digits
  const int digit = digits == 2 && cell < 4 ? number / 10 : number % 10;
  return (kDigits[digit][gy / scale] >> (2 - cell % 4)) & 1;
}

}  // namespace

Image MakeTestCard(ImageSize size, Depth depth) {
  ImageF card(size.width, size.height);
  const double edge = std::max(1.0, std::min(size.width, size.height) / 20.0);
  for (int y = 0; y < size.height; ++y) {
    const int row = std::min(kTestCardRows - 1, y * kTestCardRows / size.height);
    const int top = row * size.height / kTestCardRows;
    const int tile_h = (row + 1) * size.height / kTestCardRows - top;
    for (int x = 0; x < size.width; ++x) {
      const int column = std::min(kTestCardColumns - 1, x * kTestCardColumns / size.width);
      const int left = column * size.width / kTestCardColumns;
      const int tile_w = (column + 1) * size.width / kTestCardColumns - left;
      const int number = row * kTestCardColumns + column + 1;
      const int tx = x - left;
      const int ty = y - top;
      const int line = std::max(1, std::min(tile_w, tile_h) / 40);

      RgbaF pixel = Hue((number - 1) / double(kTestCardColumns * kTestCardRows), 0.65, 0.9);
      if (tx < line || ty < line || tx >= tile_w - line || ty >= tile_h - line) {
        pixel = {0.1f, 0.1f, 0.1f, 1};
      } else if (InNumber(number, tx, ty, tile_w, tile_h)) {
        pixel = {1, 1, 1, 1};
      }
      // Alpha rises smoothly from 0 at the card's border to 1 at `edge` pixels inside it.
      const double distance = std::min({x + 0.5, size.width - x - 0.5, y + 0.5, size.height - y - 0.5});
      const double s = std::min(1.0, distance / edge);
      pixel.a = static_cast<float>(s * s * (3 - 2 * s));
      card.at(x, y) = pixel;
    }
  }
  return ConvertDepth(card, depth);
}

}  // namespace fxhost
