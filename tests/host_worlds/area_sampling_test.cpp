#include "host/area_sampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "host/world_buffer.h"

namespace host {
namespace {

constexpr double kStep = 1.0 / 65536;  // one step of PF_Fixed

PF_Fixed Fixed(double v) {
  return static_cast<PF_Fixed>(std::lround(v * 65536));
}

// A small 8-bit picture, row by row.
struct Picture {
  A_long width;
  A_long height;
  std::vector<PF_Pixel> pixels;
  const PF_Pixel& At(A_long x, A_long y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

template <typename Pixel>
Pixel Converted(const PF_Pixel& p) {
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) return p;
  if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return ToPixel16(p);
  if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) return ToPixelFloat(p);
}

// The picture as a host world of the pixel's depth, with row padding so strides differ from widths.
template <typename Pixel>
WorldBuffer MakeWorld(const Picture& picture) {
  WorldBuffer world(picture.width, picture.height, PixelTraits<Pixel>::kDepth, 3);
  for (A_long y = 0; y < picture.height; ++y) {
    for (A_long x = 0; x < picture.width; ++x) world.At<Pixel>(x, y) = Converted<Pixel>(picture.At(x, y));
  }
  return world;
}

template <typename Pixel>
Pixel SampleOf(WorldBuffer& world, double x, double y, double rx, double ry) {
  PF_SampPB params{};
  params.src = &world.world();
  params.x_radius = Fixed(rx);
  params.y_radius = Fixed(ry);
  Pixel out{};
  PF_Err err = PF_Err_NONE;
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) err = AreaSample8(Fixed(x), Fixed(y), &params, &out);
  if constexpr (std::is_same_v<Pixel, PF_Pixel16>) err = AreaSample16(Fixed(x), Fixed(y), &params, &out);
  if constexpr (std::is_same_v<Pixel, PF_PixelFloat>)
    err = AreaSampleFloat(Fixed(x), Fixed(y), &params, &out);
  EXPECT_EQ(err, PF_Err_NONE);
  return out;
}

PF_Pixel Sample8(const Picture& picture, double x, double y, double rx, double ry) {
  WorldBuffer world = MakeWorld<PF_Pixel>(picture);
  return SampleOf<PF_Pixel>(world, x, y, rx, ry);
}

template <typename Pixel>
void ExpectPixel(const Pixel& actual, const Pixel& expected) {
  EXPECT_EQ(actual.alpha, expected.alpha);
  EXPECT_EQ(actual.red, expected.red);
  EXPECT_EQ(actual.green, expected.green);
  EXPECT_EQ(actual.blue, expected.blue);
}

void ExpectNear(const PF_PixelFloat& actual, const PF_PixelFloat& expected, double tolerance) {
  EXPECT_NEAR(actual.alpha, expected.alpha, tolerance);
  EXPECT_NEAR(actual.red, expected.red, tolerance);
  EXPECT_NEAR(actual.green, expected.green, tolerance);
  EXPECT_NEAR(actual.blue, expected.blue, tolerance);
}

Picture RandomPicture(A_long width, A_long height, unsigned seed, bool opaque_or_clear) {
  std::mt19937 random(seed);
  Picture picture{width, height, {}};
  for (A_long i = 0; i < width * height; ++i) {
    const auto byte = [&] { return static_cast<A_u_char>(random() % 256); };
    A_u_char alpha = byte();
    if (opaque_or_clear)
      alpha = alpha < 80 ? 0 : 255;
    else if (alpha < 40)
      alpha = 0;  // plenty of fully transparent pixels with colour in them
    picture.pixels.push_back({alpha, byte(), byte(), byte()});
  }
  return picture;
}

TEST(AreaSampling, ZeroRadiusTakesThePixelUnderThePoint) {
  // Pixel (i, j) = {255, 10 i + 1, 10 j + 1, 7}; pixel (1, 1) is partly transparent.
  Picture picture{3, 2, {}};
  for (A_long j = 0; j < 2; ++j) {
    for (A_long i = 0; i < 3; ++i) {
      picture.pixels.push_back({static_cast<A_u_char>(i == 1 && j == 1 ? 99 : 255),
                                static_cast<A_u_char>(10 * i + 1), static_cast<A_u_char>(10 * j + 1), 7});
    }
  }
  const struct {
    double x, y;
    A_long i, j;  // -1: outside, transparent black
  } cases[] = {
      {1.0, 1.0, 1, 1},
      {0.0, 0.0, 0, 0},
      {1.5 - kStep, 0.0, 1, 0},
      {1.5, 0.0, 2, 0},
      {0.5, 0.0, 1, 0},
      {-0.5, 0.0, 0, 0},
      {-0.5 - kStep, 0.0, -1, -1},
      {2.5 - kStep, 0.0, 2, 0},
      {2.5, 0.0, -1, -1},
      {0.0, 0.5, 0, 1},
      {0.0, 1.5 - kStep, 0, 1},
      {0.0, 1.5, -1, -1},
      {2.0, -0.5 - kStep, -1, -1},
      {-100.0, 50.0, -1, -1},
  };
  WorldBuffer world = MakeWorld<PF_Pixel>(picture);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
    const PF_Pixel expected = c.i < 0 ? PF_Pixel{} : picture.At(c.i, c.j);
    ExpectPixel(SampleOf<PF_Pixel>(world, c.x, c.y, 0, 0), expected);
  }
}

template <typename Pixel>
void CheckUniformArea() {
  Picture picture{20, 20, std::vector<PF_Pixel>(400, PF_Pixel{200, 30, 60, 90})};
  WorldBuffer world = MakeWorld<Pixel>(picture);
  const Pixel expected = Converted<Pixel>(picture.pixels[0]);
  const struct {
    double x, y, rx, ry;
  } boxes[] = {
      {10, 10, 5, 5}, {7.3, 11.7, 3.21, 0.7}, {4.1, 15.2, 2.5, 0}, {0, 0, 0.5, 0.5}, {19.4, 0, 0, 0}};
  for (const auto& b : boxes) {
    SCOPED_TRACE(::testing::Message() << b.x << ", " << b.y << " r " << b.rx << ", " << b.ry);
    const Pixel actual = SampleOf<Pixel>(world, b.x, b.y, b.rx, b.ry);
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
      ExpectNear(actual, expected, 1e-6);
    } else {
      ExpectPixel(actual, expected);
    }
  }
}

TEST(AreaSampling, BoxInsideAUniformAreaGivesItsColour) {
  CheckUniformArea<PF_Pixel>();
  CheckUniformArea<PF_Pixel16>();
  CheckUniformArea<PF_PixelFloat>();
}

TEST(AreaSampling, PartlyCoveredPixelsWeighByCoveredAreaAndAlpha) {
  // 2 x 2: opaque red 200, transparent white, opaque red 100, half-transparent black.
  const Picture square{2, 2, {{255, 200, 0, 0}, {0, 255, 255, 255}, {255, 100, 0, 0}, {128, 0, 0, 0}}};
  // The box [0, 1] x [0, 1] covers a quarter of each pixel:
  // alpha = (255 + 0 + 255 + 128) / 4 = 159.5 -> 160 (halves round up);
  // red = (255 * 200 + 255 * 100) / (255 + 0 + 255 + 128) = 119.9 -> 120; the transparent pixel's
  // white and the black pixel's alpha-weighted zero keep green and blue at 0.
  ExpectPixel(Sample8(square, 0.5, 0.5, 0.5, 0.5), PF_Pixel{160, 120, 0, 0});

  // One row, opaque, red 0, 40, 80, 120; the vertical radius 0 samples row 0 only.
  const Picture row{4, 1, {{255, 0, 0, 0}, {255, 40, 0, 0}, {255, 80, 0, 0}, {255, 120, 0, 0}}};
  const struct {
    double x, rx;
    PF_Pixel expected;
  } cases[] = {
      // [0.5, 2.0]: pixel 1 whole, pixel 2 half: red (40 + 0.5 * 80) / 1.5 = 53.3.
      {1.25, 0.75, {255, 53, 0, 0}},
      // [-1, 1]: half a pixel outside (transparent black), pixel 0 whole, pixel 1 half:
      // alpha 255 * 1.5 / 2 = 191.25, red (0.5 * 40) / 1.5 = 13.3.
      {0.0, 1.0, {191, 13, 0, 0}},
      // [3, 4]: half of pixel 3, half outside: alpha 127.5 -> 128, straight colour unchanged.
      {3.5, 0.5, {128, 120, 0, 0}},
      // Boxes that end exactly at the layer's edge or lie wholly outside it.
      {4.0, 0.5, {0, 0, 0, 0}},
      {-2.0, 1.0, {0, 0, 0, 0}},
      // The whole row inside a wider box: alpha 255 * 4 / 8, red the plain mean 60.
      {1.5, 4.0, {128, 60, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "x " << c.x << " rx " << c.rx);
    ExpectPixel(Sample8(row, c.x, 0.0, c.rx, 0.0), c.expected);
  }
  // The same row sampled with a vertical box of height 1 centred on it gives the same values, and
  // a vertical box of height 2 halves the alpha (half of it lies outside the layer).
  ExpectPixel(Sample8(row, 1.25, 0.0, 0.75, 0.5), PF_Pixel{255, 53, 0, 0});
  ExpectPixel(Sample8(row, 1.25, 0.0, 0.75, 1.0), PF_Pixel{128, 53, 0, 0});
}

TEST(AreaSampling, TransparentColourNeverLeaks) {
  // A transparent pixel full of colour next to an opaque black one, and a sample that only sees
  // transparent pixels: no colour comes out of either.
  const Picture picture{3, 1, {{0, 255, 255, 255}, {255, 0, 0, 0}, {0, 255, 255, 255}}};
  WorldBuffer world8 = MakeWorld<PF_Pixel>(picture);
  WorldBuffer world16 = MakeWorld<PF_Pixel16>(picture);
  WorldBuffer world_float = MakeWorld<PF_PixelFloat>(picture);
  for (double rx : {0.0, 0.3, 1.0, 1.5, 7.0}) {
    SCOPED_TRACE(rx);
    const PF_Pixel mixed = SampleOf<PF_Pixel>(world8, 1.0, 0.0, rx, rx);
    EXPECT_GT(mixed.alpha, 0);
    ExpectPixel(mixed, PF_Pixel{mixed.alpha, 0, 0, 0});
    const PF_Pixel16 mixed16 = SampleOf<PF_Pixel16>(world16, 1.0, 0.0, rx, rx);
    ExpectPixel(mixed16, PF_Pixel16{mixed16.alpha, 0, 0, 0});
    const PF_PixelFloat mixed_float = SampleOf<PF_PixelFloat>(world_float, 1.0, 0.0, rx, rx);
    ExpectNear(mixed_float, PF_PixelFloat{mixed_float.alpha, 0, 0, 0}, 0);
    ExpectPixel(SampleOf<PF_Pixel>(world8, 0.0, 0.0, std::min(rx, 0.5), 0.5), PF_Pixel{});
    ExpectNear(SampleOf<PF_PixelFloat>(world_float, 2.0, 0.0, std::min(rx, 0.5), 0.5), PF_PixelFloat{}, 0);
  }
}

// An independent model: the box cut into cells of 1/8 pixel, each cell taking the pixel its centre
// lies in. With the centre and radii on the 1/8 grid every cell lies in one pixel, so the model's
// sums are the exact covered areas, and the host must agree with it to the last bit.
struct Model {
  double alpha, red, green, blue;  // in the picture's full scale, before rounding
};

template <typename Pixel>
Model ModelSample(const std::vector<Pixel>& pixels, A_long width, A_long height, double x, double y,
                  double rx, double ry) {
  const auto cells = [](double centre, double radius) {
    std::vector<double> centres;
    if (radius == 0) return std::vector<double>{centre};
    for (int k = 0; k < static_cast<int>(16 * radius); ++k)
      centres.push_back(centre - radius + (k + 0.5) / 8);
    return centres;
  };
  double sa = 0, sr = 0, sg = 0, sb = 0;
  for (double cy : cells(y, ry)) {
    for (double cx : cells(x, rx)) {
      const auto i = static_cast<A_long>(std::floor(cx + 0.5));
      const auto j = static_cast<A_long>(std::floor(cy + 0.5));
      if (i < 0 || j < 0 || i >= width || j >= height) continue;
      const Pixel& p = pixels[static_cast<std::size_t>(j * width + i)];
      sa += p.alpha;
      sr += static_cast<double>(p.alpha) * p.red;
      sg += static_cast<double>(p.alpha) * p.green;
      sb += static_cast<double>(p.alpha) * p.blue;
    }
  }
  const double count = static_cast<double>(cells(x, rx).size() * cells(y, ry).size());
  if (sa == 0) return {0, 0, 0, 0};
  return {sa / count, sr / sa, sg / sa, sb / sa};
}

template <typename Pixel>
void CheckAgainstModel(const Picture& picture) {
  std::vector<Pixel> pixels;
  for (const PF_Pixel& p : picture.pixels) pixels.push_back(Converted<Pixel>(p));
  WorldBuffer world = MakeWorld<Pixel>(picture);
  std::mt19937 random(7);
  const auto eighths = [&](int low, int high) {
    return (low + static_cast<int>(random() % (high - low + 1))) / 8.0;
  };
  for (int n = 0; n < 400; ++n) {
    const double x = eighths(-24, 8 * picture.width + 16);
    const double y = eighths(-24, 8 * picture.height + 16);
    const double rx = n % 7 == 0 ? 0.0 : eighths(1, 28);
    const double ry = n % 5 == 0 ? 0.0 : eighths(1, 28);
    SCOPED_TRACE(::testing::Message() << "(" << x << ", " << y << ") r (" << rx << ", " << ry << ")");
    const Model m = ModelSample(pixels, picture.width, picture.height, x, y, rx, ry);
    const Pixel actual = SampleOf<Pixel>(world, x, y, rx, ry);
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
      ExpectNear(actual,
                 PF_PixelFloat{static_cast<float>(m.alpha), static_cast<float>(m.red),
                               static_cast<float>(m.green), static_cast<float>(m.blue)},
                 1e-6);
    } else {
      using Channel = decltype(Pixel::alpha);
      const auto round = [](double v) { return static_cast<Channel>(std::floor(v + 0.5)); };
      const Channel alpha = round(m.alpha);
      if (alpha == 0) {
        ExpectPixel(actual, Pixel{});
      } else {
        ExpectPixel(actual, Pixel{alpha, round(m.red), round(m.green), round(m.blue)});
      }
    }
  }
}

TEST(AreaSampling, AgreesWithASupersampledModelInEachDepth) {
  const Picture picture = RandomPicture(6, 5, 2024, false);
  CheckAgainstModel<PF_Pixel>(picture);
  CheckAgainstModel<PF_Pixel16>(picture);
  CheckAgainstModel<PF_PixelFloat>(picture);
}

TEST(AreaSampling, DepthsAgreeOnTheSamePicture) {
  // Alpha only 0 or full, so the three depths hold the same weights and differ only in the
  // rounding of their colour channels.
  const Picture picture = RandomPicture(9, 7, 99, true);
  WorldBuffer world8 = MakeWorld<PF_Pixel>(picture);
  WorldBuffer world16 = MakeWorld<PF_Pixel16>(picture);
  WorldBuffer world_float = MakeWorld<PF_PixelFloat>(picture);
  std::mt19937 random(3);
  const auto uniform = [&](double low, double high) {
    return low + (high - low) * (random() % 100000) / 100000.0;
  };
  for (int n = 0; n < 300; ++n) {
    const double x = uniform(-2, 11), y = uniform(-2, 9), rx = uniform(0, 4), ry = uniform(0, 4);
    SCOPED_TRACE(::testing::Message() << "(" << x << ", " << y << ") r (" << rx << ", " << ry << ")");
    const PF_PixelFloat f = SampleOf<PF_PixelFloat>(world_float, x, y, rx, ry);
    const PF_Pixel p8 = SampleOf<PF_Pixel>(world8, x, y, rx, ry);
    const PF_Pixel16 p16 = SampleOf<PF_Pixel16>(world16, x, y, rx, ry);
    const double fs[] = {f.alpha, f.red, f.green, f.blue};
    const double v8[] = {double(p8.alpha), double(p8.red), double(p8.green), double(p8.blue)};
    const double v16[] = {double(p16.alpha), double(p16.red), double(p16.green), double(p16.blue)};
    for (int c = 0; c < 4; ++c) {
      if (c > 0 && p8.alpha == 0) break;  // colour under an alpha that rounds away is zero by rule
      EXPECT_NEAR(v8[c], 255 * fs[c], 0.5 + 1e-3) << "channel " << c;
      EXPECT_NEAR(v16[c], 32768 * fs[c], 1.0 + 1e-2) << "channel " << c;
    }
  }
}

// The fast sampling against the plain one, bit for bit: random boxes on a picture with transparent
// pixels, inside, across and beyond its edges, point axes, radii from a fraction of a pixel to
// wider than the picture, in each depth. The float picture holds values beyond 0..1, a negative
// zero and a NaN-free spread of magnitudes, so any change in the order of operations would show.
template <typename Pixel>
void CheckFastAgainstPlain(PF_Err (*fast)(PF_Fixed, PF_Fixed, const PF_SampPB*, Pixel*),
                           PF_Err (*plain)(PF_Fixed, PF_Fixed, const PF_SampPB*, Pixel*)) {
  const Picture picture = RandomPicture(37, 23, 11, false);
  WorldBuffer world = MakeWorld<Pixel>(picture);
  std::mt19937 random(5);
  if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
    std::uniform_real_distribution<float> spread(-0.5f, 3.0f);
    for (A_long y = 0; y < picture.height; ++y) {
      for (A_long x = 0; x < picture.width; ++x) {
        PF_PixelFloat& p = world.At<PF_PixelFloat>(x, y);
        p = {spread(random) * p.alpha, spread(random), spread(random), -0.0f};
      }
    }
  }
  const auto fixed = [&](std::int64_t low, std::int64_t high) {
    return static_cast<PF_Fixed>(
        low + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(high - low)));
  };
  for (int n = 0; n < 20000; ++n) {
    PF_SampPB params{};
    params.src = &world.world();
    params.x_radius = n % 9 == 0 ? 0 : fixed(1, n % 13 == 0 ? 60 << 16 : 5 << 16);
    params.y_radius = n % 7 == 0 ? 0 : fixed(1, n % 11 == 0 ? 40 << 16 : 5 << 16);
    const PF_Fixed x = fixed(-8 << 16, 45 << 16), y = fixed(-8 << 16, 31 << 16);
    Pixel a{}, b{};
    ASSERT_EQ(fast(x, y, &params, &a), PF_Err_NONE);
    ASSERT_EQ(plain(x, y, &params, &b), PF_Err_NONE);
    ASSERT_EQ(std::memcmp(&a, &b, sizeof(Pixel)), 0)
        << "at (" << x << ", " << y << ") radii (" << params.x_radius << ", " << params.y_radius << ")";
  }
}

TEST(AreaSampling, FastSamplingGivesThePlainRulesBits) {
  CheckFastAgainstPlain<PF_Pixel>(AreaSample8, PlainAreaSample8);
  CheckFastAgainstPlain<PF_Pixel16>(AreaSample16, PlainAreaSample16);
  CheckFastAgainstPlain<PF_PixelFloat>(AreaSampleFloat, PlainAreaSampleFloat);
}

TEST(AreaSampling, RefusesWhatItCannotRead) {
  WorldBuffer world8(4, 4, PixelDepth::k8Bit);
  world8.Fill(PF_Pixel{255, 9, 9, 9});
  WorldBuffer world16(4, 4, PixelDepth::k16Bit);
  std::vector<PF_Pixel> memory(16, PF_Pixel{255, 9, 9, 9});
  PF_EffectWorld hand_made{};
  hand_made.data = memory.data();
  hand_made.width = hand_made.height = 4;
  hand_made.rowbytes = 16;
  PF_EffectWorld taller = world8.world();
  taller.height = 400;

  const auto sample8 = [](PF_EffectWorld* src, PF_Fixed rx, PF_Fixed ry) {
    PF_SampPB params{};
    params.src = src;
    params.x_radius = rx;
    params.y_radius = ry;
    PF_Pixel out{1, 2, 3, 4};
    const PF_Err err = AreaSample8(Fixed(1), Fixed(1), &params, &out);
    if (err != PF_Err_NONE) ExpectPixel(out, PF_Pixel{});
    return err;
  };
  EXPECT_EQ(sample8(&world8.world(), Fixed(1), Fixed(1)), PF_Err_NONE);
  EXPECT_EQ(sample8(nullptr, 0, 0), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(sample8(&world8.world(), -1, 0), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(sample8(&world8.world(), 0, -1), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(sample8(&world16.world(), 0, 0), PF_Err_BAD_CALLBACK_PARAM);  // another depth
  EXPECT_EQ(sample8(&hand_made, 0, 0), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(sample8(&taller, 0, 0), PF_Err_BAD_CALLBACK_PARAM);

  PF_SampPB params{};
  params.src = &world8.world();
  EXPECT_EQ(AreaSample8(0, 0, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(AreaSample8(0, 0, &params, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  PF_PixelFloat out_float{1, 1, 1, 1};
  EXPECT_EQ(AreaSampleFloat(0, 0, &params, &out_float), PF_Err_BAD_CALLBACK_PARAM);
  ExpectNear(out_float, PF_PixelFloat{}, 0);
}

TEST(AreaSampling, ExtremeCoordinatesAndEmptyWorldsAreSound) {
  constexpr PF_Fixed kMin = std::numeric_limits<PF_Fixed>::min();
  constexpr PF_Fixed kMax = std::numeric_limits<PF_Fixed>::max();
  WorldBuffer world(4, 4, PixelDepth::kFloat);
  world.Fill(PF_Pixel{255, 255, 0, 0});
  WorldBuffer empty(0, 3, PixelDepth::kFloat);
  const struct {
    PF_Fixed x, y, rx, ry;
  } cases[] = {{kMax, kMax, kMax, kMax}, {kMin, kMin, kMax, kMax}, {kMin, 0, 0, 0}, {kMax, kMax, 0, 0}};
  for (const auto& c : cases) {
    for (WorldBuffer* src : {&world, &empty}) {
      PF_SampPB params{};
      params.src = &src->world();
      params.x_radius = c.rx;
      params.y_radius = c.ry;
      PF_PixelFloat out{};
      EXPECT_EQ(AreaSampleFloat(c.x, c.y, &params, &out), PF_Err_NONE);
      EXPECT_GE(out.alpha, 0.0f);
      EXPECT_LT(out.alpha, 1e-6f);  // a 4 x 4 layer in a box about 65536 pixels wide, or nothing
    }
  }
}

}  // namespace
}  // namespace host
