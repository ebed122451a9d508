#pragma once
// Reading and writing image files. The build with image files does it through OpenImageIO
// (image_files_oiio.cpp); a build without (ZELKRA_IMAGE_FILES off) reports every file as unreadable.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fxhost/cli/memory_budget.h"
#include "fxhost/files/frame_rows.h"
#include "fxhost/files/image.h"

namespace fxhost {

// kRaw: the frame's bytes exactly as its checksum reads them (see frame_checksum.h), no header; written
// by every build, also without an image library, so that builds can be compared pixel by pixel.
enum class FileFormat { kPng, kTiff, kExr, kJpeg, kRaw };

// Whether this build reads and writes image files at all.
bool ImageFilesAvailable();

// The depth a picture of `depth` is written in: PNG 8 or 16 (float as 16), TIFF and raw as it is, EXR
// float, JPEG 8.
Depth FileDepth(FileFormat format, Depth depth);

// The first picture of any file the image library reads, in the file's own depth (8-bit files 8,
// 16-bit files 16, everything else float) with straight colour: 16-bit values are scaled to the host's
// 0..32768, premultiplied files (EXR) are unpremultiplied, files without alpha get opaque alpha, grey
// files are spread over red, green and blue. Throws InputError naming the file when it cannot be read
// (the image library's messages in that one line), and MemoryBudgetError, from the header alone, when
// reading it would take more than `max_bytes`. `colour_space`, when given, receives the file's colour
// space: the one its metadata names when the colour configuration knows it, else the one its format
// implies (FormatColourSpace).
Image ReadImageFile(const std::filesystem::path& path, std::uint64_t max_bytes = kNoMemoryLimit,
                    std::string* colour_space = nullptr);
inline Image ReadImageFile(const std::filesystem::path& path, std::string* colour_space) {
  return ReadImageFile(path, kNoMemoryLimit, colour_space);
}

// Writes a raw frame (FileFormat::kRaw) atomically; throws std::runtime_error naming the file on failure.
void WriteRawFile(const std::filesystem::path& path, const Image& image);
// The same from a rendered frame's rows, written as they are, row by row (no copy of the frame).
void WriteRawFile(const std::filesystem::path& path, const FrameRows& rows);

// Writes `image` as `format` in FileDepth(format, ...), atomically (see AtomicFile): PNG and TIFF with
// straight (unassociated) alpha, EXR premultiplied as EXR expects, JPEG over black. 16-bit values are
// scaled to the file's 0..65535. The file is tagged with `colour_space` when one is given (the pixels
// are written as they are). Throws std::runtime_error naming the file when it cannot be written.
void WriteImageFile(const std::filesystem::path& path, const Image& image, FileFormat format,
                    std::string_view colour_space = {});

}  // namespace fxhost
