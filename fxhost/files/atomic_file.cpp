#include "fxhost/files/atomic_file.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

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
  temp_ = final_;
  temp_.replace_filename("." + final_.filename().string() + ".part-" + UniqueSuffix());
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
