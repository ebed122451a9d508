#include "fxhost/files/atomic_file.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "fxhost/files/name_limit.h"

namespace fxhost {
namespace {

// A name no other writer picks: a random number fixed per process and a counter.
std::string UniqueSuffix() {
  static const unsigned long long process_tag = [] {
    std::random_device device;
    return (static_cast<unsigned long long>(device()) << 32) ^ device();
  }();
  static std::atomic<unsigned long long> counter{0};
  char text[48];
  std::snprintf(text, sizeof text, "%016llx-%llu", process_tag, counter.fetch_add(1));
  return text;
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path final_path) : final_(std::move(final_path)) {
  // "." NAME ".part-" UNIQUE; a long NAME is shortened so that the whole fits the file system's limit
  // (the unique part alone keeps it apart from every other temporary name).
  const std::string suffix = ".part-" + UniqueSuffix();
  const std::size_t limit = NameMax(final_.parent_path());
  const std::size_t room = limit > suffix.size() + 1 ? limit - suffix.size() - 1 : 0;
  temp_ = final_;
  temp_.replace_filename("." + ShortenedName(final_.filename().string(), room) + suffix);
}

AtomicFile::~AtomicFile() {
  if (!committed_) {
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
  }
}

void AtomicFile::Commit() {
  std::error_code error;
  std::filesystem::rename(temp_, final_, error);
  if (error) {
    const std::string reason = error.message();
    std::filesystem::remove(temp_, error);
    throw std::runtime_error("cannot write \"" + final_.string() + "\": " + reason);
  }
  committed_ = true;
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  AtomicFile file(path);
  {
    std::ofstream out(file.temp_path(), std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write \"" + path.string() + "\"");
  }
  file.Commit();
}

}  // namespace fxhost
