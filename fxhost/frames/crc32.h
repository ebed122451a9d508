#pragma once
// CRC-32 (the zlib / PNG one) continued over more bytes: libdeflate's, where the build has it (every
// native build); the Windows builds of fxhost, which have no libdeflate, compute the same values with a
// table.

#include <cstddef>
#include <cstdint>

namespace fxhost {

// The CRC-32 of the bytes so far (`crc`, 0 for none) extended by `size` bytes at `data`.
std::uint32_t ContinueCrc32(std::uint32_t crc, const void* data, std::size_t size);

}  // namespace fxhost
