// Files a hostile or unlucky user hands fxhost as layers: truncated and corrupt pictures of every
// format, no picture at all, a header that claims a huge picture, every PNG colour type, NaN and
// infinite floats, a sequence of mixed sizes. Each renders correctly or fails with one line of fxhost's
// own (exit 2 before rendering, 1 for the frame), with no raw library message and nothing partial left.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "fxhost/effect_params.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/test_card.h"
#include "fxhost_cli/child_process.h"

namespace fxhost {
namespace {

using testing::ChildProcess;
using testing::TempFolder;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string BigEndian32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string PngChunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
  return BigEndian32(static_cast<std::uint32_t>(data.size())) + body + BigEndian32(crc);
}

// A PNG of any colour type and bit depth: `rows` are the raw rows without filter bytes; `plte` is the
// palette of colour type 3. With `compressed` empty the IDAT holds the rows; otherwise it holds
// `compressed` as it is (a header claiming any size with almost no data).
std::string Png(std::uint32_t width, std::uint32_t height, int color_type, int bit_depth,
                const std::vector<std::string>& rows, const std::string& plte = "",
                std::optional<std::string> idat = std::nullopt) {
  std::string ihdr = BigEndian32(width) + BigEndian32(height);
  ihdr += {static_cast<char>(bit_depth), static_cast<char>(color_type), 0, 0, 0};
  if (!idat) {
    std::string raw;
    for (const std::string& row : rows) raw += '\0' + row;
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
             static_cast<uLong>(raw.size()));
    packed.resize(size);
    idat = packed;
  }
  std::string png = "\x89PNG\r\n\x1a\n";
  png += PngChunk("IHDR", ihdr);
  if (!plte.empty()) png += PngChunk("PLTE", plte);
  return png + PngChunk("IDAT", *idat) + PngChunk("IEND", "");
}

// Rows of `width` pixels, each pixel the same `bytes`.
std::vector<std::string> Rows(int width, int height, const std::string& pixel) {
  std::string row;
  for (int x = 0; x < width; ++x) row += pixel;
  return std::vector<std::string>(static_cast<std::size_t>(height), row);
}

// A valid picture of `format`, made by fxhost itself, from the 8-bit test card.
std::string ValidFile(const TempFolder& folder, const std::string& name) {
  WriteImageFile(folder / name, MakeTestCard({64, 48}, Depth::k8),
                 name.ends_with(".png")   ? FileFormat::kPng
                 : name.ends_with(".tif") ? FileFormat::kTiff
                 : name.ends_with(".exr") ? FileFormat::kExr
                                          : FileFormat::kJpeg);
  return ReadBytes(folder / name);
}

// 24 bytes turned over where the format notices: in PNG and EXR data (checksums, offsets), in the
// TIFF directory (written after the pixels), in a JPEG Huffman table. Damage elsewhere in
// TIFF or JPEG pixels only changes the picture, which no reader can tell.
std::string Corrupted(std::string bytes, const std::string& format) {
  const std::size_t start = format == "tif"   ? bytes.size() - 60
                            : format == "jpg" ? bytes.find("\xff\xc4") + 4  // the first Huffman table
                                              : bytes.size() / 3;
  for (std::size_t i = start; i < start + 24 && i < bytes.size(); ++i) bytes[i] ^= 0x5a;
  return bytes;
}

enum class Outcome { kRenders, kBadInput, kFrameFails };

struct HostileCase {
  std::string name;
  // Makes the files in the folder and returns the --layer argument.
  std::function<std::string(const TempFolder&)> make;
  Outcome outcome;
  std::string message;  // in stderr
  std::vector<std::string> args = {};
  // For pictures that render: the first pixel as fxhost reads it, in the file's own depth.
  std::function<void(const Image&)> check = nullptr;
};

std::string Named(const TempFolder& folder, const std::string& name, const std::string& bytes) {
  WriteBytes(folder / name, bytes);
  return (folder / name).string();
}

template <typename T>
void ExpectFirstPixel(const Image& image, T r, T g, T b, T a) {
  const auto* typed = std::get_if<ImageOf<Rgba<T>>>(&image);
  ASSERT_NE(typed, nullptr) << "depth " << static_cast<int>(DepthOf(image));
  EXPECT_EQ(typed->pixels.front(), (Rgba<T>{r, g, b, a}));
}

std::vector<HostileCase> Cases() {
  std::vector<HostileCase> cases;
  for (const std::string format : {"png", "tif", "exr", "jpg"}) {
    cases.push_back({"truncated " + format,
                     [format](const TempFolder& f) {
                       const std::string bytes = ValidFile(f, "valid." + format);
                       return Named(f, "truncated." + format, bytes.substr(0, bytes.size() / 2));
                     },
                     // A JPEG cut short decodes as far as it goes, as every viewer shows it.
                     format == "jpg" ? Outcome::kRenders : Outcome::kBadInput,
                     "truncated." + format + "\": "});
    cases.push_back({"corrupt " + format,
                     [format](const TempFolder& f) {
                       return Named(f, "corrupt." + format,
                                    Corrupted(ValidFile(f, "valid." + format), format));
                     },
                     Outcome::kBadInput, "corrupt." + format + "\": "});
  }
  cases.push_back({"zero bytes", [](const TempFolder& f) { return Named(f, "empty.png", ""); },
                   Outcome::kBadInput, "empty.png\": "});
  cases.push_back(
      {"not an image",
       [](const TempFolder& f) { return Named(f, "words.png", "These are words, not pixels.\n"); },
       Outcome::kBadInput, "words.png\": "});
  cases.push_back(
      {"a header claiming 16384x16384",
       [](const TempFolder& f) { return Named(f, "huge.png", Png(16384, 16384, 6, 8, {}, "", "")); },
       Outcome::kBadInput,
       "huge.png\": reading its 16384x16384 picture needs 3.0 GiB, more than the memory budget of "
       "64.0 MiB (--max-memory)",
       {"--max-memory", "64M"}});
  cases.push_back({"a corrupt gap layer",
                   [](const TempFolder& f) {
                     Named(f, "corrupt.png", Corrupted(ValidFile(f, "valid.png"), "png"));
                     return std::string("testcard:64x48");
                   },
                   Outcome::kBadInput,
                   "corrupt.png\": ",
                   {"--set", "Missing Tile Layer=corrupt.png"}});
  // Every PNG colour type renders, with opaque alpha where the file has none.
  cases.push_back({"grey 8-bit",
                   [](const TempFolder& f) { return Named(f, "g.png", Png(8, 6, 0, 8, Rows(8, 6, "\x50"))); },
                   Outcome::kRenders,
                   "",
                   {},
                   [](const Image& i) { ExpectFirstPixel<std::uint8_t>(i, 0x50, 0x50, 0x50, 255); }});
  cases.push_back(
      {"grey and alpha",
       [](const TempFolder& f) { return Named(f, "ga.png", Png(8, 6, 4, 8, Rows(8, 6, "\x50\x80"))); },
       Outcome::kRenders,
       "",
       {},
       [](const Image& i) { ExpectFirstPixel<std::uint8_t>(i, 0x50, 0x50, 0x50, 0x80); }});
  cases.push_back(
      {"RGB without alpha",
       [](const TempFolder& f) { return Named(f, "rgb.png", Png(8, 6, 2, 8, Rows(8, 6, "\x10\x20\x30"))); },
       Outcome::kRenders,
       "",
       {},
       [](const Image& i) { ExpectFirstPixel<std::uint8_t>(i, 0x10, 0x20, 0x30, 255); }});
  cases.push_back({"palette",
                   [](const TempFolder& f) {
                     return Named(
                         f, "pal.png",
                         Png(8, 6, 3, 8, Rows(8, 6, "\x01"), std::string("\x00\x00\x00\x40\x60\x80", 6)));
                   },
                   Outcome::kRenders,
                   "",
                   {},
                   [](const Image& i) { ExpectFirstPixel<std::uint8_t>(i, 0x40, 0x60, 0x80, 255); }});
  cases.push_back({"grey 16-bit",
                   [](const TempFolder& f) {
                     return Named(f, "g16.png", Png(8, 6, 0, 16, Rows(8, 6, std::string("\x80\x00", 2))));
                   },
                   Outcome::kRenders,
                   "",
                   {},
                   [](const Image& i) {
                     const std::uint16_t v = FileToHost16(0x8000);
                     ExpectFirstPixel<std::uint16_t>(i, v, v, v, 32768);
                   }});
  cases.push_back({"NaN and infinite floats",
                   [](const TempFolder& f) {
                     ImageF image(8, 6);
                     const float nan = std::numeric_limits<float>::quiet_NaN();
                     const float inf = std::numeric_limits<float>::infinity();
                     for (std::size_t p = 0; p < image.pixels.size(); ++p)
                       image.pixels[p] = p % 2 ? RgbaF{nan, inf, -inf, 1} : RgbaF{0.5f, nan, 2, inf};
                     WriteImageFile(f / "nan.exr", image, FileFormat::kExr);
                     return (f / "nan.exr").string();
                   },
                   Outcome::kRenders,
                   "",
                   {"--depth", "32"}});
  cases.push_back({"a sequence of mixed sizes",
                   [](const TempFolder& f) {
                     Named(f, "seq_0000.png", Png(8, 6, 2, 8, Rows(8, 6, "abc")));
                     Named(f, "seq_0001.png", Png(12, 4, 2, 8, Rows(12, 4, "abc")));
                     Named(f, "seq_0002.png", Png(8, 6, 2, 8, Rows(8, 6, "abc")));
                     return (f / "seq_####.png").string();
                   },
                   Outcome::kRenders, ""});
  cases.push_back({"a sequence with a truncated frame",
                   [](const TempFolder& f) {
                     const std::string bytes = Png(8, 6, 2, 8, Rows(8, 6, "abc"));
                     Named(f, "seq_0000.png", bytes);
                     Named(f, "seq_0001.png", bytes.substr(0, bytes.size() - 20));
                     Named(f, "seq_0002.png", bytes);
                     return (f / "seq_####.png").string();
                   },
                   Outcome::kFrameFails, "frame 1: FAILED"});
  cases.push_back({"a sequence with a frame beyond the budget",
                   [](const TempFolder& f) {
                     Named(f, "seq_0000.png", Png(8, 6, 2, 8, Rows(8, 6, "abc")));
                     Named(f, "seq_0001.png", Png(16384, 16384, 6, 8, {}, "", ""));
                     Named(f, "seq_0002.png", Png(8, 6, 2, 8, Rows(8, 6, "abc")));
                     return (f / "seq_####.png").string();
                   },
                   Outcome::kFrameFails,
                   "more than the memory budget",
                   {"--max-memory", "64M"}});
  return cases;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(HostileFiles, EachRendersOrFailsWithOneLineOfItsOwn) {
  const std::vector<HostileCase> cases = Cases();
  ASSERT_GE(cases.size(), 15u);
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder("hostile");
    const std::string layer = c.make(folder);
    const std::filesystem::path out = folder / "out";
    std::vector<std::string> args{"render",   "--quiet", "--jobs",   "1",
                                  "--frames", "0-2",     "--set",    "Time=1.5",
                                  "--layer",  layer,     "--output", (out / "f_####.png").string()};
    for (std::string arg : c.args) {
      if (arg.starts_with("Missing Tile Layer="))
        arg = "Missing Tile Layer=" + (folder / arg.substr(19)).string();
      args.push_back(arg);
    }
    ChildProcess fxhost(ZELKRA_FXHOST_PATH, args, folder / "stderr.txt");
    ASSERT_TRUE(fxhost.started());
    const int status = fxhost.Wait();
    const std::string err = fxhost.Output();
    const std::vector<std::string> lines = Lines(err);
    for (const std::string& line : lines) {
      EXPECT_TRUE(line.starts_with("fxhost: ") || line.starts_with("frame ")) << "raw line: " << line;
      EXPECT_EQ(line.find("\"\""), std::string::npos) << line;
    }
    std::vector<std::string> written;
    if (std::filesystem::exists(out)) {
      for (const auto& entry : std::filesystem::directory_iterator(out))
        written.push_back(entry.path().filename());
    }
    std::sort(written.begin(), written.end());
    switch (c.outcome) {
      case Outcome::kRenders:
        EXPECT_EQ(status, 0) << err;
        EXPECT_EQ(err, "");
        EXPECT_EQ(written, (std::vector<std::string>{"f_0000.png", "f_0001.png", "f_0002.png"}));
        if (c.check) c.check(ReadImageFile(layer));
        break;
      case Outcome::kBadInput:
        EXPECT_EQ(status, 2) << err;
        EXPECT_EQ(lines.size(), 1u) << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_TRUE(written.empty());
        break;
      case Outcome::kFrameFails:
        EXPECT_EQ(status, 1) << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(written, (std::vector<std::string>{"f_0000.png", "f_0002.png"}));
        break;
    }
  }
}

// A mixed-size sequence renders each frame at its own size.
TEST(HostileFiles, MixedSizesRenderAtTheirOwnSize) {
  TempFolder folder("mixed");
  WriteBytes(folder / "seq_0000.png", Png(8, 6, 2, 8, Rows(8, 6, "abc")));
  WriteBytes(folder / "seq_0001.png", Png(12, 4, 0, 16, Rows(12, 4, std::string("\xff\xff", 2))));
  ChildProcess fxhost(
      ZELKRA_FXHOST_PATH,
      {"render", "--quiet", "--frames", "0-1", "--set", "Row=2", "--set", "Column=2", "--layer",
       (folder / "seq_####.png").string(), "--output", (folder / "f_####.tif").string()},
      folder / "stderr.txt");
  ASSERT_EQ(fxhost.Wait(), 0) << fxhost.Output();
  EXPECT_EQ(WidthOf(ReadImageFile(folder / "f_0000.tif")), 8);
  const Image second = ReadImageFile(folder / "f_0001.tif");
  EXPECT_EQ(WidthOf(second), 12);
  EXPECT_EQ(HeightOf(second), 4);
}

}  // namespace
}  // namespace fxhost
