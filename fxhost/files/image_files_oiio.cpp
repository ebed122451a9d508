// Image files through OpenImageIO: the only file of fxhost that uses it.
#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "fxhost/cli/image_size.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/cli/memory_budget.h"
#include "fxhost/files/atomic_file.h"
#include "fxhost/files/colour.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/library_messages.h"

namespace fxhost {
namespace {

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

template <typename T>
OIIO::TypeDesc TypeOf() {
  if constexpr (std::is_same_v<T, std::uint8_t>) {
    return OIIO::TypeDesc::UINT8;
  } else if constexpr (std::is_same_v<T, std::uint16_t>) {
    return OIIO::TypeDesc::UINT16;
  } else {
    return OIIO::TypeDesc::FLOAT;
  }
}

template <typename T>
constexpr T FullScale() {
  if constexpr (std::is_same_v<T, std::uint8_t>) {
    return 255;
  } else if constexpr (std::is_same_v<T, std::uint16_t>) {
    return 32768;
  } else {
    return 1.0f;
  }
}

// The host's value of a file's channel value.
template <typename T>
T FromFile(T v) {
  if constexpr (std::is_same_v<T, std::uint16_t>) {
    return FileToHost16(v);
  } else {
    return v;
  }
}

template <typename T>
T ToFile(T v) {
  if constexpr (std::is_same_v<T, std::uint16_t>) {
    return HostToFile16(v);
  } else {
    return v;
  }
}

// Colour divided by alpha in the image's own depth, for integer files that store premultiplied colour.
template <typename T>
T Unpremultiplied(T c, T a) {
  if constexpr (std::is_same_v<T, float>) {
    return c / a;
  } else {
    return static_cast<T>(std::min<double>(FullScale<T>(), std::round(double(c) * FullScale<T>() / a)));
  }
}

// The library's error and what it printed itself, as one line.
std::string LibraryError(const std::string& error, const LibraryMessages& printed, const char* otherwise) {
  std::string line = OneLineMessage({error, printed.text()});
  return line.empty() ? otherwise : line;
}

template <typename T>
Image ReadPixels(OIIO::ImageInput& in, const std::filesystem::path& path, const LibraryMessages& printed) {
  const OIIO::ImageSpec& spec = in.spec();
  const int channels = spec.nchannels;
  std::vector<T> data(static_cast<std::size_t>(spec.width) * spec.height * channels);
  if (!in.read_image(0, 0, 0, channels, TypeOf<T>(), data.data())) {
    throw InputError(Quoted(path) + ": " + LibraryError(in.geterror(), printed, "cannot be read"));
  }
  const int alpha = spec.alpha_channel >= 0 && spec.alpha_channel < channels ? spec.alpha_channel : -1;
  const bool premultiplied = alpha >= 0 && spec.get_int_attribute("oiio:UnassociatedAlpha", 0) == 0;
  const bool grey = channels < 3;

  ImageOf<Rgba<T>> image(spec.width, spec.height);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const T* p = &data[i * channels];
    Rgba<T> pixel;
    pixel.r = FromFile(p[0]);
    pixel.g = FromFile(p[grey ? 0 : 1]);
    pixel.b = FromFile(p[grey ? 0 : 2]);
    pixel.a = alpha >= 0 ? FromFile(p[alpha]) : FullScale<T>();
    if (premultiplied) {
      if (pixel.a == T{}) {
        pixel = {};
      } else {
        pixel.r = Unpremultiplied(pixel.r, pixel.a);
        pixel.g = Unpremultiplied(pixel.g, pixel.a);
        pixel.b = Unpremultiplied(pixel.b, pixel.a);
      }
    }
    image.pixels[i] = pixel;
  }
  return image;
}

template <typename T>
void WritePixels(OIIO::ImageOutput& out, const ImageOf<Rgba<T>>& image, int channels,
                 const std::filesystem::path& path, const LibraryMessages& printed) {
  std::vector<T> data;
  data.reserve(image.pixels.size() * channels);
  for (const Rgba<T>& p : image.pixels) {
    data.push_back(ToFile(p.r));
    data.push_back(ToFile(p.g));
    data.push_back(ToFile(p.b));
    if (channels == 4) data.push_back(ToFile(p.a));
  }
  if (!out.write_image(TypeOf<T>(), data.data())) {
    throw std::runtime_error("cannot write " + Quoted(path) + ": " +
                             LibraryError(out.geterror(), printed, "write failed"));
  }
}

const char* FormatName(FileFormat format) {
  switch (format) {
    case FileFormat::kPng:
      return "png";
    case FileFormat::kTiff:
      return "tiff";
    case FileFormat::kExr:
      return "openexr";
    case FileFormat::kJpeg:
    case FileFormat::kRaw:  // written without the image library
      break;
  }
  return "jpeg";
}

// The format of a file OpenImageIO read, for its implied colour space (other formats: as TIFF, by depth).
FileFormat FileFormatNamed(std::string_view reader) {
  if (reader == "png") return FileFormat::kPng;
  if (reader == "jpeg") return FileFormat::kJpeg;
  if (reader == "openexr") return FileFormat::kExr;
  return FileFormat::kTiff;
}

}  // namespace

bool ImageFilesAvailable() {
  return true;
}

Image ReadImageFile(const std::filesystem::path& path, std::uint64_t max_bytes, std::string* colour_space) {
  const LibraryMessages printed;
  // Ask readers to hand straight colour over as it is stored; the ImageSpec then says which files hold it.
  OIIO::ImageSpec config;
  config.attribute("oiio:UnassociatedAlpha", 1);
  auto in = OIIO::ImageInput::open(path.string(), &config);
  if (!in) throw InputError(Quoted(path) + ": " + LibraryError(OIIO::geterror(), printed, "cannot be read"));
  const OIIO::ImageSpec& spec = in->spec();
  const std::string size = std::to_string(spec.width) + "x" + std::to_string(spec.height);
  if (spec.width < 1 || spec.height < 1 || spec.nchannels < 1 || spec.width > kMaxSide ||
      spec.height > kMaxSide || static_cast<long long>(spec.width) * spec.height > kMaxPixels) {
    throw InputError(Quoted(path) + ": picture size " + size + " is not one fxhost renders");
  }
  // What reading takes, from the header alone, before any pixel is read: the library's buffer in the
  // file's type, fxhost's in the type it reads, and the picture made of it.
  const Depth depth = spec.format == OIIO::TypeDesc::UINT8    ? Depth::k8
                      : spec.format == OIIO::TypeDesc::UINT16 ? Depth::k16
                                                              : Depth::k32;
  const std::uint64_t samples = static_cast<std::uint64_t>(spec.width) *
                                static_cast<std::uint64_t>(spec.height) *
                                static_cast<std::uint64_t>(spec.nchannels);
  const std::uint64_t bytes =
      samples * (spec.format.size() + PixelBytes(depth) / 4) + PictureBytes(spec.width, spec.height, depth);
  CheckMemory(bytes, max_bytes, Quoted(path) + ": reading its " + size + " picture");
  Image image = depth == Depth::k8    ? ReadPixels<std::uint8_t>(*in, path, printed)
                : depth == Depth::k16 ? ReadPixels<std::uint16_t>(*in, path, printed)
                                      : ReadPixels<float>(*in, path, printed);
  if (colour_space) {
    *colour_space = KnownColourSpace(spec.get_string_attribute("oiio:ColorSpace"));
    if (colour_space->empty())
      *colour_space = FormatColourSpace(FileFormatNamed(in->format_name()), DepthOf(image));
  }
  return image;
}

void WriteImageFile(const std::filesystem::path& path, const Image& image, FileFormat format,
                    std::string_view colour_space) {
  if (format == FileFormat::kRaw) return WriteRawFile(path, image);
  // Declared first so that it is destroyed last: the writer has closed the temporary file before a
  // failed write removes it.
  AtomicFile file(path);
  const LibraryMessages printed;
  auto out = OIIO::ImageOutput::create(FormatName(format));
  if (!out) {
    throw std::runtime_error("cannot write " + Quoted(path) + ": " +
                             LibraryError(OIIO::geterror(), printed, "no writer"));
  }

  const Depth depth = FileDepth(format, DepthOf(image));
  Image pixels = format == FileFormat::kJpeg ? Image(FlattenOnBlack8(image)) : ConvertDepth(image, depth);
  if (format == FileFormat::kExr) Premultiply(std::get<ImageF>(pixels));
  const int channels = format == FileFormat::kJpeg ? 3 : 4;
  const OIIO::TypeDesc type = depth == Depth::k8    ? OIIO::TypeDesc::UINT8
                              : depth == Depth::k16 ? OIIO::TypeDesc::UINT16
                                                    : OIIO::TypeDesc::FLOAT;

  OIIO::ImageSpec spec(WidthOf(image), HeightOf(image), channels, type);
  if (format == FileFormat::kPng || format == FileFormat::kTiff) spec.attribute("oiio:UnassociatedAlpha", 1);
  if (format == FileFormat::kJpeg) spec.attribute("Compression", "jpeg:95");
  if (!colour_space.empty()) spec.attribute("oiio:ColorSpace", colour_space);

  if (!out->open(file.temp_path().string(), spec)) {
    throw std::runtime_error("cannot write " + Quoted(path) + ": " +
                             LibraryError(out->geterror(), printed, "cannot be opened"));
  }
  std::visit([&](const auto& typed) { WritePixels(*out, typed, channels, path, printed); }, pixels);
  if (!out->close()) {
    throw std::runtime_error("cannot write " + Quoted(path) + ": " +
                             LibraryError(out->geterror(), printed, "write failed"));
  }
  file.Commit();
}

}  // namespace fxhost
