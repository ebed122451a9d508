#include "fxhost/frames/frame_checksum.h"

#include <bit>
#include <cstdio>

#include "fxhost/frames/crc32.h"

namespace fxhost {
namespace {

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

std::string ChecksumLine(int frame, Depth depth, int width, int height, std::uint32_t crc) {
  char line[96];
  std::snprintf(line, sizeof line, "%d, %d, %dx%d, 0x%08x", frame, static_cast<int>(depth), width, height,
                static_cast<unsigned>(crc));
  return line;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::byte> bytes, std::uint32_t crc) {
  return ContinueCrc32(crc, bytes.data(), bytes.size());
}

std::uint32_t FrameCrc(const FrameRows& rows) {
  // The rows' bytes are the checksum's bytes only where values are stored little-endian.
  static_assert(std::endian::native == std::endian::little, "frame rows are read as little-endian bytes");
  std::uint32_t crc = 0;
  for (int y = 0; y < rows.height; ++y) crc = ContinueCrc32(crc, rows.row(y), rows.row_bytes());
  return crc;
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

std::string FrameChecksumLine(int frame, const FrameRows& rows) {
  return ChecksumLine(frame, rows.depth, rows.width, rows.height, FrameCrc(rows));
}

std::string FrameChecksumLine(int frame, const Image& image) {
  return ChecksumLine(frame, DepthOf(image), WidthOf(image), HeightOf(image), FrameCrc(image));
}

}  // namespace fxhost
