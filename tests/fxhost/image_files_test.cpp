// Depth conversions and image files: the round trips that must be exact, and writes that fail cleanly.
#include "fxhost/files/image_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "effect_params.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/commands/world_image.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/test_card.h"
#include "fxhost/frames/frame_checksum.h"

namespace fxhost {
namespace {

TEST(ImageConvert, DepthConversionsFollowTheHostsScales) {
  Image8 eight(4, 1);
  eight.pixels = {{0, 1, 128, 255}, {255, 254, 127, 0}, {2, 3, 4, 5}, {100, 200, 50, 25}};
  const auto sixteen = std::get<Image16>(ConvertDepth(eight, Depth::k16));
  const auto unit = std::get<ImageF>(ConvertDepth(eight, Depth::k32));
  for (std::size_t i = 0; i < eight.pixels.size(); ++i) {
    const Rgba8 p = eight.pixels[i];
    EXPECT_EQ(sixteen.pixels[i].r, std::lround(p.r * 32768.0 / 255)) << i;
    EXPECT_EQ(sixteen.pixels[i].g, std::lround(p.g * 32768.0 / 255)) << i;
    EXPECT_FLOAT_EQ(unit.pixels[i].b, p.b / 255.0f) << i;
  }
  // Back to 8-bit returns every value; float out of range clamps.
  EXPECT_EQ(std::get<Image8>(ConvertDepth(sixteen, Depth::k8)), eight);
  EXPECT_EQ(std::get<Image8>(ConvertDepth(unit, Depth::k8)), eight);
  ImageF wild(1, 1);
  wild.pixels = {{2.0f, -1.0f, NAN, 0.5f}};
  EXPECT_EQ(std::get<Image16>(ConvertDepth(wild, Depth::k16)).pixels[0], (Rgba16{32768, 0, 0, 16384}));

  for (unsigned v = 0; v <= 32768; ++v) {
    ASSERT_EQ(FileToHost16(HostToFile16(static_cast<std::uint16_t>(v))), v);
  }
  EXPECT_EQ(HostToFile16(32768), 65535);
  EXPECT_EQ(FileToHost16(65535), 32768);
}

// The card as a host world whose rows are padded, so reading rows in place must skip the padding.
host::WorldBuffer PaddedWorldOf(const Image& card) {
  const host::WorldBuffer plain = WorldFromImage(card);
  host::WorldBuffer padded(plain.width(), plain.height(), plain.depth(), 5);
  const FrameRows from = RowsOfWorld(plain);
  for (int y = 0; y < from.height; ++y) {
    std::memcpy(reinterpret_cast<std::byte*>(padded.world().data) + y * padded.rowbytes(), from.row(y),
                from.row_bytes());
  }
  return padded;
}

// A raw frame, written by every build, holds exactly the bytes its checksum is taken over, whether it
// is written from an image or from a rendered world's rows in place; the checksum read from the rows
// is the image's.
TEST(ImageFiles, RawFramesHoldTheChecksumsBytes) {
  const testing::TempFolder folder("raw");
  for (const Depth depth : {Depth::k8, Depth::k16, Depth::k32}) {
    const Image card = MakeTestCard({7, 3}, depth);
    const auto path = folder / ("card_" + std::to_string(static_cast<int>(depth)) + ".raw");
    const auto read = [](const std::filesystem::path& file) {
      std::ifstream in(file, std::ios::binary);
      return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    WriteImageFile(path, card, FileFormat::kRaw);
    const std::string bytes = read(path);
    EXPECT_EQ(bytes.size(), 7u * 3u * 4u * (static_cast<unsigned>(depth) / 8u));
    EXPECT_EQ(Crc32(std::as_bytes(std::span(bytes.data(), bytes.size()))), FrameCrc(card));

    const host::WorldBuffer world = PaddedWorldOf(card);
    EXPECT_EQ(FrameCrc(RowsOfWorld(world)), FrameCrc(card));
    EXPECT_EQ(FrameChecksumLine(4, RowsOfWorld(world)), FrameChecksumLine(4, card));
    WriteRawFile(path, RowsOfWorld(world));
    EXPECT_EQ(read(path), bytes);
  }
}

#if ZELKRA_IMAGE_FILES

// Every 16-bit host value, with alpha varying independently of colour.
Image16 AllSixteenBitValues() {
  Image16 image(257, 128);  // 32896 pixels >= 32769 values
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const auto v = static_cast<std::uint16_t>(std::min<std::size_t>(i, 32768));
    image.pixels[i] = {v, static_cast<std::uint16_t>(32768 - v), static_cast<std::uint16_t>(i * 7 % 32769),
                       static_cast<std::uint16_t>(i * 13 % 32769)};
  }
  return image;
}

TEST(ImageFiles, SixteenBitPngAndTiffRoundTripsAreExact) {
  const testing::TempFolder folder("png16");
  const Image16 image = AllSixteenBitValues();
  for (auto [name, format] : {std::pair{"a.png", FileFormat::kPng}, std::pair{"a.tif", FileFormat::kTiff}}) {
    WriteImageFile(folder / name, image, format);
    const Image read = ReadImageFile(folder / name);
    ASSERT_EQ(DepthOf(read), Depth::k16) << name;
    EXPECT_TRUE(std::get<Image16>(read) == image) << name;
  }
}

TEST(ImageFiles, EightBitAndFloatRoundTripsAreExact) {
  const testing::TempFolder folder("float");
  ImageF image(64, 32);
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(-0.5f, 4.0f);  // float keeps values outside 0..1
  for (RgbaF& p : image.pixels) p = {value(random), value(random), value(random), value(random) / 4};
  image.pixels[0] = {0.75f, 0.5f, 0.25f, 0.0f};  // colour under zero alpha survives: alpha is unassociated
  WriteImageFile(folder / "f.tif", image, FileFormat::kTiff);
  const Image read = ReadImageFile(folder / "f.tif");
  ASSERT_EQ(DepthOf(read), Depth::k32);
  EXPECT_TRUE(std::get<ImageF>(read) == image);

  const Image card = MakeTestCard({96, 54}, Depth::k8);  // soft alpha edge: straight colour must survive
  WriteImageFile(folder / "c.png", card, FileFormat::kPng);
  WriteImageFile(folder / "c.tiff", card, FileFormat::kTiff);
  EXPECT_EQ(ReadImageFile(folder / "c.png"), card);
  EXPECT_EQ(ReadImageFile(folder / "c.tiff"), card);
}

TEST(ImageFiles, ExrIsPremultipliedOnDiskAndStraightInMemory) {
  const testing::TempFolder folder("exr");
  ImageF image(2, 1);
  image.pixels = {{0.8f, 0.4f, 0.2f, 0.5f}, {0.3f, 0.3f, 0.3f, 0.0f}};
  WriteImageFile(folder / "a.exr", image, FileFormat::kExr);
  const ImageF read = std::get<ImageF>(ReadImageFile(folder / "a.exr"));
  EXPECT_NEAR(read.pixels[0].r, 0.8f, 1e-6);
  EXPECT_NEAR(read.pixels[0].b, 0.2f, 1e-6);
  EXPECT_EQ(read.pixels[0].a, 0.5f);
  EXPECT_EQ(read.pixels[1], RgbaF{});  // nothing to recover under zero alpha
}

TEST(ImageFiles, FilesWithoutAlphaAreOpaqueAndWrittenOverBlack) {
  const testing::TempFolder folder("jpeg");
  Image8 image(8, 8);
  for (Rgba8& p : image.pixels) p = {200, 100, 50, 128};
  WriteImageFile(folder / "a.jpg", image, FileFormat::kJpeg);
  const Image8 read = std::get<Image8>(ReadImageFile(folder / "a.jpg"));
  EXPECT_EQ(read.pixels[27].a, 255);
  EXPECT_NEAR(read.pixels[27].r, 100, 3);  // 200 at half alpha over black
}

TEST(ImageFiles, UnreadableFilesAndFailedWritesAreClean) {
  const testing::TempFolder folder("failures");
  const std::string missing = (folder / "missing.png").string();
  try {
    ReadImageFile(missing);
    ADD_FAILURE() << "read a missing file";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  std::ofstream(folder / "junk.png") << "not a picture";
  EXPECT_THROW(ReadImageFile(folder / "junk.png"), InputError);

  // The final name is taken by a folder: the picture is written in full, the rename fails, and neither
  // a partial file nor the temporary one is left.
  std::filesystem::create_directories(folder / "frame_0001.png" / "inside");
  EXPECT_THROW(WriteImageFile(folder / "frame_0001.png", MakeTestCard({32, 32}, Depth::k8), FileFormat::kPng),
               std::runtime_error);
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"frame_0001.png", "junk.png"}));
  EXPECT_THROW(WriteImageFile(folder / "no" / "f.png", MakeTestCard({32, 32}, Depth::k8), FileFormat::kPng),
               std::runtime_error);
}

#endif  // ZELKRA_IMAGE_FILES

}  // namespace
}  // namespace fxhost
