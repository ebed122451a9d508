// fxhost on footage as a user has it: movies in and out, sequences numbered from 1, colour spaces,
// settings files used from another folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include "fxhost/files/image_files.h"
#include "fxhost/files/movie_reader.h"
#include "fxhost/files/program.h"
#include "fxhost/test_movies.h"
#include "fxhost_cli/run_fxhost.h"

namespace fxhost {
namespace {

using testing::MakeMovie;
using testing::TempFolder;

#if ZELKRA_IMAGE_FILES

// Frame F of the render reads frame F (+ the offset) of the movie, in the input layer and in a layer
// parameter, with one worker or several.
TEST(FootageCli, MovieFramesMoveWithTheRender) {
  if (!FindProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  TempFolder folder("movie-render");
  const std::string clip = (folder / "clip.mp4").string();
  ASSERT_TRUE(MakeMovie(clip, 24, 64, 36, "-c:v libx264 -g 5 -bf 2 -pix_fmt yuv420p"));

  TempFolder serial("serial"), parallel("parallel"), offset("offset");
  ASSERT_EQ(Render(serial, {"--layer", clip, "--frames", "0-5", "--output", "null"}).status, kExitOk);
  const std::vector<std::string> lines = Checksums(serial);
  std::set<std::string> crcs;
  for (const std::string& line : lines) crcs.insert(line.substr(line.find("0x")));
  EXPECT_EQ(crcs.size(), 6u) << "every frame shows its own movie frame";
  ASSERT_EQ(Render(parallel, {"--layer", clip, "--frames", "0-5", "--jobs", "2", "--output", "null"}).status,
            kExitOk);
  EXPECT_EQ(Checksums(parallel), lines);
  ASSERT_EQ(Render(offset, {"--layer", clip + "@+2", "--frames", "0-3", "--output", "null"}).status, kExitOk);
  for (int frame = 0; frame < 4; ++frame) {
    const std::string moved = Checksums(offset)[frame], plain = lines[frame + 2];
    EXPECT_EQ(moved.substr(moved.find("0x")), plain.substr(plain.find("0x"))) << frame;
  }

  // A movie as the gap layer: frames differ too.
  TempFolder gap("movie-gap");
  ASSERT_EQ(
      Render(gap, {"--set", "Missing Tile Layer=" + clip, "--frames", "0-1", "--output", "null"}).status,
      kExitOk);
  EXPECT_NE(Checksums(gap)[0].substr(10), Checksums(gap)[1].substr(10));

  const Outcome too_short = Render(serial, {"--layer", clip, "--frames", "0-30", "--output", "null"});
  EXPECT_EQ(too_short.status, kExitBadInput);
  EXPECT_NE(too_short.err.find("has 24 frames (0-23), the render reads its frames 0-30 (31 frames)"),
            std::string::npos)
      << too_short.err;
}

TEST(FootageCli, ASequenceNumberedFromOneRendersFromFrameZeroWithAnOffset) {
  TempFolder folder("sequence");
  for (int frame = 1; frame <= 3; ++frame)
    WriteImageFile(folder / ("f_000" + std::to_string(frame) + ".png"), Image8(8, 6), FileFormat::kPng);
  const std::string sequence = (folder / "f_%04d.png").string();
  const Outcome missing = Render(folder, {"--layer", sequence, "--frames", "0-2", "--output", "null"});
  EXPECT_EQ(missing.status, kExitBadInput);
  EXPECT_NE(missing.err.find("f_0000.png\" does not exist (the sequence has frames 1-3;"), std::string::npos)
      << missing.err;
  EXPECT_EQ(Render(folder, {"--layer", sequence + "@+1", "--frames", "0-2", "--output", "null"}).status,
            kExitOk);
}

// A flat picture of sRGB 238 is everywhere the effect leaves a picture pixel (opaque).
std::vector<float> OpaqueReds(const std::filesystem::path& path) {
  const Image image = ReadImageFile(path);
  std::vector<float> reds;
  std::visit(
      [&](const auto& i) {
        for (const auto& p : i.pixels) {
          using T = std::decay_t<decltype(p.r)>;
          const float full = std::is_same_v<T, float>          ? 1.0f
                             : std::is_same_v<T, std::uint8_t> ? 255.0f
                                                               : 32768.0f;
          if (p.a == static_cast<T>(full)) reds.push_back(static_cast<float>(p.r) / full);
        }
      },
      image);
  return reds;
}

TEST(FootageCli, ColourIsConvertedToEachFilesSpace) {
  TempFolder folder("colour");
  Image8 flat(16, 12);
  for (Rgba8& p : flat.pixels) p = {238, 238, 238, 255};
  const std::string png = (folder / "flat.png").string();
  WriteImageFile(png, flat, FileFormat::kPng);
  struct Case {
    std::vector<std::string> args;
    std::string output;
    float red;
  };
  const std::vector<Case> cases{
      {{}, "out.exr", 0.8550f},                                   // sRGB PNG to linear EXR
      {{}, "out.png", 238 / 255.0f},                              // the same space: as it is
      {{"--working-space", "linear"}, "lin.png", 238 / 255.0f},   // there and back
      {{"--input-space", "linear"}, "tagged.exr", 238 / 255.0f},  // the PNG said to be linear
      {{"--output-space", "linear"}, "lin_out.png", 0.8550f},     // a linear PNG, as asked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    std::vector<std::string> args{"--layer", png, "--output", (folder / c.output).string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome run = Render(folder, args);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const std::vector<float> reds = OpaqueReds(folder / c.output);
    ASSERT_FALSE(reds.empty());
    for (float red : reds) ASSERT_NEAR(red, c.red, 0.0005f);
  }
  std::string space;
  ReadImageFile(folder / "lin_out.png", &space);
  EXPECT_EQ(space, "linear");

  // The working space renders in float; same-space renders keep the input's depth and checksums.
  TempFolder same("same"), null("null");
  ASSERT_EQ(Render(same, {"--layer", png, "--output", (same / "f.png").string()}).status, kExitOk);
  ASSERT_EQ(Render(null, {"--layer", png, "--output", "null"}).status, kExitOk);
  EXPECT_EQ(Checksums(same), Checksums(null));
  EXPECT_EQ(ReadJson(same / "report.json")["run"]["depth"], 8);
  ASSERT_EQ(Render(null, {"--layer", png, "--working-space", "linear", "--output", "null"}).status, kExitOk);
  EXPECT_EQ(ReadJson(null / "report.json")["run"]["depth"], 32);

  const Outcome unknown = Render(folder, {"--working-space", "ACES-ish", "--output", "null"});
  EXPECT_EQ(unknown.status, kExitBadInput);
  EXPECT_NE(unknown.err.find("--working-space: unknown colour space \"ACES-ish\""), std::string::npos)
      << unknown.err;
  EXPECT_EQ(unknown.err.find('\n'), unknown.err.size() - 1);
}

TEST(FootageCli, ParamsFilePathsAreTakenInTheFilesFolder) {
  TempFolder folder("params-paths");
  std::filesystem::create_directories(folder / "shot");
  WriteImageFile(folder / "shot" / "gap.png", Image8(8, 6), FileFormat::kPng);
  std::ofstream(folder / "shot" / "params.json")
      << R"({"parameters": [{"name": "Missing Tile Layer", "value": "gap.png"}]})";
  const std::string params = (folder / "shot" / "params.json").string();
  EXPECT_EQ(Render(folder, {"--params", params, "--output", "null"}).status, kExitOk);
  const Outcome info = Fxhost({"info", "--json", "--params", params});
  ASSERT_EQ(info.status, kExitOk) << info.err;
  const nlohmann::json described = nlohmann::json::parse(info.out);
  for (const auto& p : described["parameters"]) {
    if (p["name"] == "Missing Tile Layer") {
      EXPECT_EQ(p["value"], "gap.png");  // as written in the file
    }
  }
}

TEST(FootageCli, MoviesOutKeepExactRatesAlphaAndSayWhatTheyChange) {
  if (!FindProgram("ffmpeg") || !FindProgram("ffprobe")) GTEST_SKIP() << "ffmpeg is not installed";
  TempFolder folder("movie-out");
  const std::string mov = (folder / "alpha.mov").string(), mp4 = (folder / "odd.mp4").string();
  ASSERT_EQ(Fxhost({"render", "--quiet", "--size", "65x37", "--frames", "0-2", "--fps", "29.97", "--depth",
                    "16", "--output", mov})
                .status,
            kExitOk);
  const Outcome odd =
      Fxhost({"render", "--size", "65x37", "--frames", "0-4:2", "--fps", "23.976", "--output", mp4});
  ASSERT_EQ(odd.status, kExitOk) << odd.err;
  EXPECT_NE(odd.err.find("note: \"" + mp4 + "\" is 66x38: the 65x37 frames are padded"), std::string::npos)
      << odd.err;
  EXPECT_NE(odd.err.find("plays the 3 frames listed one after another at 23.976 fps"), std::string::npos);

  const std::string probe = (folder / "probe.txt").string();
  const std::pair<std::string, std::string> movies[] = {{mov, "prores,65,yuva444p"},
                                                        {mp4, "h264,66,yuv420p"}};
  for (const auto& [movie, expected] : movies) {
    const std::string command =
        "ffprobe -v error -show_entries stream=codec_name,width,pix_fmt,r_frame_rate "
        "-of csv=p=0 \"" +
        movie + "\" > \"" + probe + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string line = FileBytes(probe);
    EXPECT_NE(line.find(expected), std::string::npos) << line;
    EXPECT_NE(line.find(movie == mov ? "30000/1001" : "24000/1001"), std::string::npos) << line;
  }
  // The .mov keeps the gap's transparency and more than 8 bits.
  MovieReader movie(mov);
  EXPECT_EQ(movie.depth(), Depth::k16);
  const Image16 frame = std::get<Image16>(movie.Frame(1));
  int clear = 0, opaque = 0;
  for (const Rgba16& p : frame.pixels) {
    clear += p.a < 200 ? 1 : 0;
    opaque += p.a > 32500 ? 1 : 0;
  }
  EXPECT_GT(clear, 0);
  EXPECT_GT(opaque, 0);
}

#endif

}  // namespace
}  // namespace fxhost
