// Golden frame checksums: a table of effect frames rendered through the host by both plug-in
// variants in every depth, each reduced to one line "VARIANT CASE, DEPTH, WxH, 0xCRC32" and
// compared with the checked-in golden_frames.txt (like FFmpeg's framecrc reference files). Any
// change of any pixel of any of these frames shows up as a changed line.
//
// The checksum is CRC-32 (zlib's) over each row's pixels as they lie in memory, channels alpha,
// red, green, blue, without row padding: on a little-endian machine the same value fxhost's report
// gives for the frame.
//
// To rewrite the file after an intended change of the pictures: run the test with
// ZELKRA_GOLDEN_OUT=PATH and review the difference of PATH against the checked-in file.
#include <libdeflate.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "render_fixture.h"

namespace {

// One frame's settings. Layers are made in the frame's depth with deterministic content in which
// every channel varies (alpha too, with fully transparent and fully opaque pixels among them), so
// copies, compositing and sampling all leave their mark.
struct GoldenCase {
  const char* name;
  A_long width, height;
  A_long rows, columns;
  double time;
  double missing_tile;  // percent
  A_long seed;
  bool return_flag;
  A_long position;
  bool fit;
  A_long gap_width, gap_height;  // 0: no Missing Tile Layer
  A_long row_padding;            // of the input and the output
};

// Unequal cells (97 / 4, 61 / 3), fractional, whole, zero and negative Times, both positions, with
// and without a gap layer, Fit on and off, grids clamped to the layer, a gap image smaller and
// larger than the cells it moves through, a long walk.
constexpr GoldenCase kCases[] = {
    {"plain", 97, 61, 3, 4, 2.5, 100, 0, false, kPositionInFront, false, 0, 0, 0},
    {"plain_behind", 97, 61, 3, 4, 2.5, 100, 0, false, kPositionBehind, false, 0, 0, 3},
    {"gap_front", 97, 61, 3, 4, 2.5, 100, 0, false, kPositionInFront, false, 40, 90, 0},
    {"gap_behind", 97, 61, 3, 4, 2.5, 100, 0, false, kPositionBehind, false, 40, 90, 2},
    {"gap_behind_fit", 97, 61, 3, 4, 3.25, 0, 3, false, kPositionBehind, true, 130, 20, 0},
    {"negative_time", 83, 47, 4, 3, -1.75, 50, 5, true, kPositionInFront, false, 33, 33, 1},
    {"time_zero", 64, 40, 2, 2, 0.0, 100, 0, false, kPositionBehind, false, 64, 40, 0},
    {"whole_time", 101, 77, 5, 7, 7.0, 37, 9, false, kPositionInFront, true, 17, 29, 0},
    {"many_moves", 90, 66, 6, 5, 40.6, 12.5, 12, true, kPositionBehind, false, 0, 0, 0},
    {"clamped_grid", 23, 9, 5000, 5000, 13.3, 100, 2, false, kPositionInFront, false, 23, 9, 0},
    {"clamped_rows", 50, 6, 20, 7, -3.9, 80, 1, false, kPositionBehind, true, 7, 50, 4},
    {"long_walk", 64, 48, 4, 4, 99999.5, 100, 7, false, kPositionInFront, false, 64, 48, 0},
};

uint32_t Mix(A_long x, A_long y, uint32_t salt) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^ salt * 83492791u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// Channel c (0 alpha, 1 red, 2 green, 3 blue) of pixel (x, y) of a layer, per depth. Float colours
// reach a little below 0 and above 1.
template <typename Pixel>
Pixel LayerPixel(A_long x, A_long y, uint32_t salt);
template <>
PF_Pixel LayerPixel<PF_Pixel>(A_long x, A_long y, uint32_t salt) {
  const auto c = [&](uint32_t k) { return static_cast<A_u_char>(Mix(x, y, salt * 4 + k) % 256); };
  return {c(0), c(1), c(2), c(3)};
}
template <>
PF_Pixel16 LayerPixel<PF_Pixel16>(A_long x, A_long y, uint32_t salt) {
  const auto c = [&](uint32_t k) { return static_cast<A_u_short>(Mix(x, y, salt * 4 + k) % 32769); };
  return {c(0), c(1), c(2), c(3)};
}
template <>
PF_PixelFloat LayerPixel<PF_PixelFloat>(A_long x, A_long y, uint32_t salt) {
  const auto colour = [&](uint32_t k) {
    return static_cast<float>(static_cast<int32_t>(Mix(x, y, salt * 4 + k) % 1537) - 256) / 1024.0f;
  };
  const float alpha = static_cast<float>(Mix(x, y, salt * 4) % 1025) / 1024.0f;
  return {alpha, colour(1), colour(2), colour(3)};
}

template <typename Pixel>
host::WorldBuffer GoldenLayer(A_long width, A_long height, uint32_t salt, A_long row_padding) {
  host::WorldBuffer layer(width, height, kDepthOf<Pixel>, row_padding);
  for (A_long y = 0; y < height; ++y) {
    for (A_long x = 0; x < width; ++x) layer.At<Pixel>(x, y) = LayerPixel<Pixel>(x, y, salt);
  }
  return layer;
}

int DepthBits(host::PixelDepth depth) {
  return depth == host::PixelDepth::k8Bit ? 8 : depth == host::PixelDepth::k16Bit ? 16 : 32;
}

template <typename Pixel>
uint32_t FrameCrc(const host::WorldBuffer& frame) {
  uint32_t crc = 0;
  for (A_long y = 0; y < frame.height(); ++y) {
    const auto row = frame.Row<Pixel>(y);
    crc = libdeflate_crc32(crc, row.data(), row.size_bytes());
  }
  return crc;
}

std::string ChecksumLine(const std::string& label, const host::WorldBuffer& frame, uint32_t crc) {
  char line[160];
  std::snprintf(line, sizeof line, "%s, %d, %dx%d, 0x%08x", label.c_str(), DepthBits(frame.depth()),
                static_cast<int>(frame.width()), static_cast<int>(frame.height()),
                static_cast<unsigned>(crc));
  return line;
}

template <typename Pixel>
std::string RenderCase(host::Effect& effect, const Variant& variant, const GoldenCase& c) {
  host::ParamStore& params = effect.params();
  params.set_value(kParamRow, c.rows);
  params.set_value(kParamColumn, c.columns);
  params.set_value(kParamTime, c.time);
  params.set_value(kParamMissingTile, c.missing_tile);
  params.set_value(kParamSeed, c.seed);
  params.set_value(kParamReturn, c.return_flag ? 1 : 0);
  params.set_value(kParamPosition, c.position);
  params.set_value(kParamFit, c.fit ? 1 : 0);

  const host::WorldBuffer input = GoldenLayer<Pixel>(c.width, c.height, 1, c.row_padding);
  const bool has_gap = c.gap_width > 0;
  const host::WorldBuffer gap_layer =
      GoldenLayer<Pixel>(has_gap ? c.gap_width : 1, has_gap ? c.gap_height : 1, 2, 0);
  host::FrameRequest request;
  request.depth = kDepthOf<Pixel>;
  request.input = &input;
  if (has_gap) request.layers[kParamMissingTileLayer] = &gap_layer;
  request.output_row_padding = c.row_padding;
  request.output_fill = {1, 2, 3, 4};  // what the render does not draw must be cleared

  const std::string label = std::string(variant.name) + " " + c.name;
  const host::FrameResult result = host::RenderFrame(effect, request);
  EXPECT_EQ(result.err(), PF_Err_NONE) << label;
  return ChecksumLine(label, result.output, FrameCrc<Pixel>(result.output));
}

std::vector<std::string> RenderAllFrames() {
  std::vector<std::string> lines;
  for (const Variant& variant : kVariants) {
    host::Session session;
    const host::Module module = host::Module::open(variant.path);
    host::Effect effect(module, session);
    EXPECT_EQ(effect.params_setup().err, PF_Err_NONE);
    for (const GoldenCase& c : kCases) {
      lines.push_back(RenderCase<PF_Pixel>(effect, variant, c));
      lines.push_back(RenderCase<PF_Pixel16>(effect, variant, c));
      lines.push_back(RenderCase<PF_PixelFloat>(effect, variant, c));
    }
    EXPECT_THAT(session.ledger().held(), testing::IsEmpty()) << variant.name;
    EXPECT_THAT(session.ledger().misuse(), testing::IsEmpty()) << variant.name;
  }
  return lines;
}

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

TEST(GoldenFrames, EveryFrameMatchesItsChecksum) {
  const std::vector<std::string> actual = RenderAllFrames();
  if (const char* out = std::getenv("ZELKRA_GOLDEN_OUT")) {
    std::ofstream file(out);
    file << "# VARIANT CASE, DEPTH, WIDTHxHEIGHT, CRC-32 of the frame's pixels "
            "(tests/render/golden_frames_test.cpp)\n";
    for (const std::string& line : actual) file << line << '\n';
  }
  const std::vector<std::string> golden = ReadLines(ZELKRA_GOLDEN_FRAMES_PATH);
  ASSERT_EQ(golden.size(), actual.size()) << "frames in " << ZELKRA_GOLDEN_FRAMES_PATH;
  for (std::size_t i = 0; i < golden.size(); ++i) EXPECT_EQ(actual[i], golden[i]);
}

}  // namespace
