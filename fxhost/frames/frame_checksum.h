#pragma once
// An exact checksum of a frame's pixels, one line per frame, like FFmpeg's framecrc: cheap to store as a
// golden result and to review in a diff.
//
// Definition: CRC-32 (the zlib / PNG polynomial 0xEDB88320, initial value and final XOR 0xFFFFFFFF) of
// the pixel values taken row by row from the top, left to right, each pixel's channels in the host's
// order alpha, red, green, blue; each value in little-endian bytes of the world's depth: one byte (8-bit),
// two bytes on the host's 0..32768 scale (16-bit), or the four bytes of the IEEE-754 single (float). No
// row padding. The line is "FRAME, DEPTH, WIDTHxHEIGHT, 0xCRC" with the CRC as 8 lower-case hex digits,
// e.g. "12, 8, 1920x1080, 0x1c291ca3".

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fxhost/files/frame_rows.h"
#include "fxhost/files/image.h"

namespace fxhost {

// CRC-32 of `bytes`, continuing from `crc` (0 to start).
std::uint32_t Crc32(std::span<const std::byte> bytes, std::uint32_t crc = 0);

// The checksum of a rendered frame, read from its rows in place (no copy).
std::uint32_t FrameCrc(const FrameRows& rows);
// The checksum of the same pixels held as an image (RGBA order): each row is reordered first.
std::uint32_t FrameCrc(const Image& image);

// The bytes the checksum is taken over, all rows.
std::vector<std::byte> FrameBytes(const Image& image);

std::string FrameChecksumLine(int frame, const FrameRows& rows);
std::string FrameChecksumLine(int frame, const Image& image);

}  // namespace fxhost
