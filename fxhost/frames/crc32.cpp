#include "fxhost/frames/crc32.h"

#if ZELKRA_HAVE_LIBDEFLATE
#include <libdeflate.h>
#else
#include <array>
#endif

namespace fxhost {

#if ZELKRA_HAVE_LIBDEFLATE

std::uint32_t ContinueCrc32(std::uint32_t crc, const void* data, std::size_t size) {
  return libdeflate_crc32(crc, data, size);
}

#else

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

}  // namespace

std::uint32_t ContinueCrc32(std::uint32_t crc, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

#endif

}  // namespace fxhost
