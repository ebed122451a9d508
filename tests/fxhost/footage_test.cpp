// Footage: movies read frame-exactly, frame offsets of layers, the frames a sequence has, colour
// spaces and their conversions, and what a movie written does differently from the frames.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "effect_params.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/files/colour.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/layer_pictures.h"
#include "fxhost/files/movie_reader.h"
#include "fxhost/files/movie_writer.h"
#include "fxhost/files/program.h"
#include "fxhost/frames/frame_ranges.h"
#include "test_movies.h"

namespace fxhost {
namespace {

using testing::MakeMovie;
using testing::TempFolder;

TEST(LayerOffset, FollowsTheNameUnlessTheWholeNameIsAFile) {
  TempFolder folder("offset");
  std::ofstream(folder / "logo@+2.png") << "x";
  const std::string base = folder.path().string();
  struct Case {
    std::string text;
    LayerSource::Kind kind;
    std::string path;  // relative to the folder
    int offset;
  };
  const std::vector<Case> cases{
      {"plate.png@+3", LayerSource::Kind::kFile, "plate.png", 3},
      {"shot/f_%04d.png@+1", LayerSource::Kind::kSequence, "shot/f_%04d.png", 1},
      {"clip.MOV@-12", LayerSource::Kind::kMovie, "clip.MOV", -12},
      {"icon@2x.png", LayerSource::Kind::kFile, "icon@2x.png", 0},
      {"logo@+2.png", LayerSource::Kind::kFile, "logo@+2.png", 0},
      {"clip.mkv", LayerSource::Kind::kMovie, "clip.mkv", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const LayerSource source = ParseLayerSource(c.text, {}, folder.path());
    EXPECT_EQ(source.kind, c.kind);
    EXPECT_EQ(source.path, (folder / c.path).string());
    EXPECT_EQ(source.offset, c.offset);
    EXPECT_EQ(LayerSourceText(source), c.text);  // kept as given
  }
  EXPECT_EQ(ParseLayerSource("/abs/plate.png", {}, folder.path()).path, "/abs/plate.png");
  EXPECT_EQ(ParseLayerSource("plate.png", {}).path, "plate.png");
  EXPECT_THROW(ParseLayerSource("plate.png@+99999999999", {}), InputError);
  EXPECT_EQ(FileFrameFor(ParseLayerSource("f_####.png@-5", {}), 2), -3);
}

TEST(ExistingFrames, ListsTheSequenceFramesOnDisk) {
  TempFolder folder("frames");
  for (int frame : {1, 2, 3, 7, 10, 11}) {
    char name[32];
    std::snprintf(name, sizeof name, "f_%04d.png", frame);
    std::ofstream(folder / name) << "x";
  }
  std::ofstream(folder / "f_12.png") << "x";    // not padded as the pattern pads
  std::ofstream(folder / "g_0004.png") << "x";  // another sequence
  const auto pattern = ParseFramePattern((folder / "f_####.png").string());
  const std::vector<int> frames = ExistingFrames(*pattern);
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 7, 10, 11}));
  EXPECT_EQ(FrameRangesText(frames), "1-3,7,10-11");
  EXPECT_EQ(FrameRangesText(std::vector<int>{-2, -1, 0}), "-2-0");

  // A sequence numbered from 1 rendered from frame 0: the error names what exists; the offset reads it.
  try {
    LayerPictures pictures(ParseLayerSource((folder / "f_####.png").string(), {}), std::vector<int>{0, 1, 2},
                           "--layer");
    ADD_FAILURE() << "frame 0 does not exist";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("f_0000.png\" does not exist (the sequence has frames 1-3,7,10-11"),
              std::string::npos)
        << e.what();
  }
}

#if ZELKRA_IMAGE_FILES

// The grey level each test movie frame has: frame N is N * 5 (see MakeMovie).
int LevelOf(const Image& image) {
  return std::visit(
      [](const auto& i) {
        const auto& p = i.at(i.width / 2, i.height / 2);
        using T = std::decay_t<decltype(p.r)>;
        return static_cast<int>(
            std::lround(double(p.r) * 255.0 / (std::is_same_v<T, std::uint8_t> ? 255 : 32768)));
      },
      image);
}

TEST(MovieReader, ReadsEveryFrameExactlyInAnyOrder) {
  if (!FindProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  TempFolder folder("movie-in");
  struct Case {
    std::string name;
    std::string codec;  // ffmpeg arguments
    Depth depth;
  };
  const std::vector<Case> cases{
      // Key frames every 7 frames and B-frames: seeking must land on the exact frame.
      {"clip.mp4", "-c:v libx264 -g 7 -bf 2 -pix_fmt yuv420p", Depth::k8},
      {"clip.mov", "-c:v prores_ks -profile:v 4444 -pix_fmt yuva444p10le", Depth::k16},
      // Matroska keeps no frame count: the packets are counted.
      {"clip.mkv", "-c:v ffv1 -pix_fmt yuv420p", Depth::k8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = folder / c.name;
    ASSERT_TRUE(MakeMovie(path, 48, 64, 36, c.codec));
    MovieReader movie(path);
    EXPECT_EQ(movie.frame_count(), 48);
    EXPECT_EQ(movie.depth(), c.depth);
    EXPECT_EQ(movie.colour_space(), "sRGB");
    for (int frame : {0, 1, 2, 10, 3, 40, 47, 20, 21, 22, 5, 46, 47, 0}) {
      const Image image = movie.Frame(frame);
      EXPECT_EQ(WidthOf(image), 64);
      EXPECT_NEAR(LevelOf(image), frame * 5, 2) << "frame " << frame;
    }
    EXPECT_THROW(movie.Frame(48), InputError);
  }
  EXPECT_THROW(MovieReader(folder / "missing.mov"), InputError);
}

TEST(LayerPictures, MovieFramesFollowTheOffsetAndShortMoviesAreRefused) {
  if (!FindProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  TempFolder folder("movie-layer");
  ASSERT_TRUE(MakeMovie(folder / "clip.mp4", 48, 64, 36, "-c:v libx264 -g 12"));
  const std::string clip = (folder / "clip.mp4").string();
  LayerPictures pictures(ParseLayerSource(clip + "@+10", {}), std::vector<int>{0, 1, 2, 3, 4, 5}, "--layer",
                         3);
  pictures.Open();
  EXPECT_NEAR(LevelOf(pictures.first()), 50, 2);
  // Workers ask out of order; frames decoded on the way are kept for them.
  for (int frame : {1, 3, 2, 5, 4, 0}) EXPECT_NEAR(LevelOf(pictures.Picture(frame)), (frame + 10) * 5, 2);

  try {
    LayerPictures too_short(ParseLayerSource(clip, {}), std::vector<int>{0, 59}, "--layer");
    too_short.Open();
    ADD_FAILURE() << "the movie is shorter than the frames";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("has 48 frames (0-47), the render reads its frames 0-59"),
              std::string::npos)
        << e.what();
  }
  LayerPictures before_start(ParseLayerSource(clip + "@-1", {}), std::vector<int>{0}, "--layer");
  EXPECT_THROW(before_start.Open(), InputError);
}

TEST(Colour, ConvertsBetweenNamedSpacesAndKeepsSameSpacePixels) {
  Image8 grey(2, 1);
  grey.pixels = {{238, 238, 238, 255}, {0, 128, 255, 64}};
  const ImageF linear = std::get<ImageF>(ConvertColour(grey, "sRGB", "linear", Depth::k32));
  EXPECT_NEAR(linear.pixels[0].r, 0.8550f, 0.0005f);
  EXPECT_NEAR(linear.pixels[1].g, 0.2158f, 0.0005f);
  EXPECT_FLOAT_EQ(linear.pixels[1].a, 64.0f / 255.0f);                         // alpha as it is
  EXPECT_EQ(ConvertColour(linear, "Linear", "srgb", Depth::k8), Image(grey));  // back, names in any case
  EXPECT_EQ(ConvertColour(grey, "sRGB", "sRGB", Depth::k8), Image(grey));

  EXPECT_EQ(CheckColourSpace("LINEAR", "--working-space"), "linear");
  try {
    CheckColourSpace("ACES-ish", "--working-space");
    ADD_FAILURE();
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("--working-space: unknown colour space \"ACES-ish\""),
              std::string::npos);
  }
  const std::pair<FileFormat, Depth> linear_files[] = {{FileFormat::kExr, Depth::k32},
                                                       {FileFormat::kTiff, Depth::k32}};
  for (const auto& [format, depth] : linear_files) EXPECT_EQ(FormatColourSpace(format, depth), "linear");
  const std::pair<FileFormat, Depth> srgb_files[] = {
      {FileFormat::kPng, Depth::k16}, {FileFormat::kJpeg, Depth::k8}, {FileFormat::kTiff, Depth::k16}};
  for (const auto& [format, depth] : srgb_files) EXPECT_EQ(FormatColourSpace(format, depth), "sRGB");
}

TEST(Colour, FilesSayTheirSpace) {
  TempFolder folder("colour-files");
  ImageF picture(1, 1);
  picture.pixels = {{0.5f, 0.5f, 0.5f, 1}};
  const std::pair<const char*, std::string> cases[] = {
      {"a.png", "sRGB"}, {"a.exr", "linear"}, {"a.tif", "linear"}, {"b.png", "linear"}};
  for (const auto& [name, space] : cases) {
    const FileFormat format = std::string(name).ends_with(".exr")   ? FileFormat::kExr
                              : std::string(name).ends_with(".tif") ? FileFormat::kTiff
                                                                    : FileFormat::kPng;
    // b.png is tagged linear: its metadata wins over its format.
    WriteImageFile(folder / name, picture, format, std::string(name) == "b.png" ? "linear" : "");
    std::string read_space;
    ReadImageFile(folder / name, &read_space);
    EXPECT_EQ(read_space, space) << name;
  }
}

TEST(MovieNotes, SayWhenTheMovieDiffersFromTheFrames) {
  const OutputSpec mp4 = ParseOutputSpec("out.mp4", 3), mov = ParseOutputSpec("out.mov", 3);
  const std::vector<int> steps{0, 2, 4}, run{0, 1, 2};
  EXPECT_TRUE(MovieNotes(mp4, 64, 36, run, 24).empty());
  EXPECT_TRUE(MovieNotes(mov, 65, 37, run, 24).empty());
  const auto odd = MovieNotes(mp4, 65, 37, run, 24);
  ASSERT_EQ(odd.size(), 1u);
  EXPECT_NE(odd[0].find("is 66x38: the 65x37 frames are padded"), std::string::npos) << odd[0];
  const auto stepped = MovieNotes(mov, 64, 36, steps, 29.97);
  ASSERT_EQ(stepped.size(), 1u);
  EXPECT_NE(stepped[0].find("plays the 3 frames listed one after another at 29.97 fps"), std::string::npos);
}

#endif

}  // namespace
}  // namespace fxhost
