#include "fxhost/frames/frame_checksum.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <vector>

namespace fxhost {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void AppendLittleEndian(std::vector<std::byte>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
}

std::uint32_t Bits(std::uint8_t v) {
  return v;
}
std::uint32_t Bits(std::uint16_t v) {
  return v;
}
std::uint32_t Bits(float v) {
  return std::bit_cast<std::uint32_t>(v);
}

template <typename T>
void AppendRow(std::vector<std::byte>& out, const ImageOf<Rgba<T>>& image, int y) {
  for (int x = 0; x < image.width; ++x) {
    const Rgba<T>& p = image.at(x, y);
    for (T v : {p.a, p.r, p.g, p.b}) AppendLittleEndian(out, Bits(v), sizeof(T));
  }
}

template <typename T>
std::uint32_t ImageCrc(const ImageOf<Rgba<T>>& image) {
  std::uint32_t crc = 0;
  std::vector<std::byte> row;
  for (int y = 0; y < image.height; ++y) {
    row.clear();
    AppendRow(row, image, y);
    crc = Crc32(row, crc);
  }
  return crc;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::byte> bytes, std::uint32_t crc) {
  crc = ~crc;
  for (std::byte b : bytes) crc = kCrcTable[(crc ^ std::to_integer<std::uint32_t>(b)) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t FrameCrc(const Image& image) {
  return std::visit([](const auto& typed) { return ImageCrc(typed); }, image);
}

std::vector<std::byte> FrameBytes(const Image& image) {
  std::vector<std::byte> bytes;
  std::visit(
      [&](const auto& typed) {
        for (int y = 0; y < typed.height; ++y) AppendRow(bytes, typed, y);
      },
      image);
  return bytes;
}

std::string FrameChecksumLine(int frame, const Image& image) {
  char line[96];
  std::snprintf(line, sizeof line, "%d, %d, %dx%d, 0x%08x", frame, static_cast<int>(DepthOf(image)),
                WidthOf(image), HeightOf(image), static_cast<unsigned>(FrameCrc(image)));
  return line;
}

}  // namespace fxhost
