// Output names, and the checks that run before any frame renders.
#include <gtest/gtest.h>

#include <fstream>

#include "effect_params.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/files/atomic_file.h"
#include "fxhost/files/layer_source.h"
#include "fxhost/files/name_limit.h"
#include "fxhost/files/output_spec.h"

namespace fxhost {
namespace {

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

TEST(OutputSpec, FrameNumbersAndFormats) {
  struct Case {
    const char* pattern;
    int frame;
    const char* path;
    OutputKind kind;
    FileFormat format;
  };
  const std::vector<Case> cases = {
      {"out/frame_####.png", 7, "out/frame_0007.png", OutputKind::kImages, FileFormat::kPng},
      {"out/frame_####.png", 12345, "out/frame_12345.png", OutputKind::kImages, FileFormat::kPng},
      {"out/frame_####.png", -7, "out/frame_-007.png", OutputKind::kImages, FileFormat::kPng},
      {"f#.TIF", 3, "f3.TIF", OutputKind::kImages, FileFormat::kTiff},
      {"f_%04d.tiff", 42, "f_0042.tiff", OutputKind::kImages, FileFormat::kTiff},
      {"f_%d.exr", 42, "f_42.exr", OutputKind::kImages, FileFormat::kExr},
      {"100%%_%03d.jpg", 5, "100%_005.jpg", OutputKind::kImages, FileFormat::kJpeg},
      {"still.jpeg", 9, "still.jpeg", OutputKind::kImages, FileFormat::kJpeg},
      {"dump_####.RAW", 3, "dump_0003.RAW", OutputKind::kImages, FileFormat::kRaw},
      {"demo.gif", 9, "demo.gif", OutputKind::kMovie, FileFormat::kPng},
      {"demo.MP4", 9, "demo.MP4", OutputKind::kMovie, FileFormat::kPng},
  };
  for (const Case& c : cases) {
    const OutputSpec spec = ParseOutputSpec(c.pattern, 1);
    EXPECT_EQ(spec.kind, c.kind) << c.pattern;
    EXPECT_EQ(OutputPathFor(spec, c.frame), c.path) << c.pattern;
    if (c.kind == OutputKind::kImages) {
      EXPECT_EQ(spec.format, c.format) << c.pattern;
    }
  }
  EXPECT_EQ(ParseOutputSpec("null", 100).kind, OutputKind::kNull);
  EXPECT_EQ(ParseOutputSpec("demo.gif", 100).movie_format, "gif");
}

TEST(OutputSpec, NeverOverwritesAnInputAndFindsBadFoldersFirst) {
  const testing::TempFolder folder("outputs");
  std::ofstream(folder / "in_0001.png") << "picture";
  std::ofstream(folder / "plain_file") << "x";
  const std::vector<int> frames{1, 2};
  const std::vector<std::filesystem::path> inputs{folder / "in_0001.png"};
  auto check = [&](const std::string& pattern) {
    return ErrorOf([&] { CheckOutputs(ParseOutputSpec(pattern, frames.size()), frames, inputs); });
  };

  // The same file by another spelling of its path is still the input.
  const std::string roundabout = (folder.path() / "sub" / ".." / "in_####.png").string();
  std::filesystem::create_directory(folder / "sub");
  EXPECT_NE(check(roundabout).find("would overwrite an input file"), std::string::npos);
  // A missing folder is fine when it can be made; one below a plain file cannot.
  EXPECT_EQ(check((folder / "missing" / "deeper" / "f_#.png").string()), "");
  EXPECT_NE(check((folder / "plain_file" / "sub" / "f_#.png").string()).find("is not a folder"),
            std::string::npos);
  std::filesystem::create_directory(folder / "f_2.png");
  EXPECT_NE(check((folder / "f_#.png").string()).find("is a folder"), std::string::npos);
  EXPECT_EQ(check((folder / "out_#.png").string()), "");
  EXPECT_EQ(check("null"), "");
  // The check leaves nothing behind.
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"f_2.png", "in_0001.png", "plain_file", "sub"}));

  // Rendering makes the missing folders of every frame.
  CreateOutputFolders(ParseOutputSpec((folder / "new" / "f_#.png").string(), frames.size()), frames);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "new"));
}

TEST(AtomicFile, NothingUnderTheFinalNameUntilCommitted) {
  const testing::TempFolder folder("atomic");
  const auto final_path = folder / "frame.png";
  std::ofstream(final_path) << "old";
  {
    AtomicFile file(final_path);
    std::ofstream(file.temp_path()) << "half a fra";
    // The write fails here: the file is dropped without Commit().
  }
  EXPECT_EQ(folder.Files(), std::vector<std::string>{"frame.png"});
  EXPECT_EQ((std::stringstream() << std::ifstream(final_path).rdbuf()).str(), "old");

  WriteFileAtomically(final_path, "new");
  EXPECT_EQ((std::stringstream() << std::ifstream(final_path).rdbuf()).str(), "new");
  EXPECT_EQ(folder.Files(), std::vector<std::string>{"frame.png"});

  // A rename that fails (a folder holds the final name) removes the temporary file and says so.
  std::filesystem::create_directories(folder / "taken" / "inside");
  EXPECT_THROW(WriteFileAtomically(folder / "taken", "x"), std::runtime_error);
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"frame.png", "taken"}));
}

// Temporary names fit the file system's limit whatever the final name's length, and stay apart.
TEST(AtomicFile, TemporaryNamesFitTheNameLimitAndStayUnique) {
  const testing::TempFolder folder("long-names");
  const std::size_t limit = NameMax(folder.path());
  for (const std::string& name : {std::string("f.png"), std::string(limit - 4, 'y') + ".png",
                                  std::string(limit / 2 - 2, 'y') + "\xc3\xa9\xc3\xa9.png"}) {
    SCOPED_TRACE(name.size());
    const AtomicFile a(folder / name), b(folder / name);
    EXPECT_LE(a.temp_path().filename().string().size(), limit);
    EXPECT_NE(a.temp_path(), b.temp_path());
    EXPECT_TRUE(a.temp_path().filename().string().starts_with("."));
    WriteFileAtomically(folder / name, "complete");
    EXPECT_TRUE(std::filesystem::exists(folder / name));
  }
  EXPECT_EQ(ShortenedName("ab\xc3\xa9", 3), "ab");  // never half a character
  EXPECT_EQ(ShortenedName("ab\xc3\xa9", 4), "ab\xc3\xa9");
  EXPECT_NE(ErrorOf([&] {
              CheckNameLengths(folder / std::string(limit + 1, 'n'), "--output");
            }).find("is " + std::to_string(limit + 1) + " bytes, more than the file system takes"),
            std::string::npos);
}

TEST(LayerSource, SequencesAndMissingFiles) {
  const testing::TempFolder folder("layers");
  std::ofstream(folder / "shot_0001.png") << "x";
  std::ofstream(folder / "shot_0002.png") << "x";
  const LayerSource sequence = ParseLayerSource((folder / "shot_%04d.png").string(), {});
  ASSERT_EQ(sequence.kind, LayerSource::Kind::kSequence);
  const std::vector<int> frames{1, 2};
  EXPECT_EQ(CheckLayerFiles(sequence, frames, "--layer").size(), 2u);
  const std::vector<int> more{1, 2, 3};
  const std::string error = ErrorOf([&] { CheckLayerFiles(sequence, more, "--layer"); });
  EXPECT_NE(error.find("shot_0003.png\" does not exist"), std::string::npos) << error;
  EXPECT_NE(
      ErrorOf([&] { CheckLayerFiles(ParseLayerSource("nope.png", {}), frames, "--layer"); }).find("--layer"),
      std::string::npos);
  // A file whose name looks like a pattern but exists is that file.
  std::ofstream(folder / "take#1.png") << "x";
  EXPECT_EQ(ParseLayerSource((folder / "take#1.png").string(), {}).kind, LayerSource::Kind::kFile);
  EXPECT_EQ(ParseLayerSource("testcard", {320, 200}).size, (ImageSize{320, 200}));
  EXPECT_EQ(LayerSourceText(ParseLayerSource("testcard", {320, 200})), "testcard:320x200");
}

}  // namespace
}  // namespace fxhost
