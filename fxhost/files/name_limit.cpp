#include "fxhost/files/name_limit.h"

#include <system_error>

#include "fxhost/cli/input_error.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fxhost {
namespace {

constexpr std::size_t kCommonNameMax = 255;

}  // namespace

std::size_t NameMax(const std::filesystem::path& folder) {
#ifdef _WIN32
  (void)folder;
  return kCommonNameMax;
#else
  std::filesystem::path existing = folder.empty() ? "." : folder;
  std::error_code error;
  while (!std::filesystem::is_directory(existing, error) && existing.has_relative_path())
    existing = existing.parent_path().empty() ? "." : existing.parent_path();
  const long limit = pathconf(existing.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : kCommonNameMax;
#endif
}

void CheckNameLengths(const std::filesystem::path& path, std::string_view option) {
  const std::size_t limit = NameMax(path.parent_path());
  for (const std::filesystem::path& part : path) {
    const std::string name = part.string();
    if (name.size() <= limit) continue;
    throw InputError(std::string(option) + " \"" + path.string() + "\": the name \"" + name + "\" is " +
                     std::to_string(name.size()) + " bytes, more than the file system takes (" +
                     std::to_string(limit) + ")");
  }
}

std::string ShortenedName(std::string_view name, std::size_t bytes) {
  if (name.size() <= bytes) return std::string(name);
  std::size_t end = bytes;
  // Back up over continuation bytes (10xxxxxx) to the start of the character that does not fit.
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return std::string(name.substr(0, end));
}

}  // namespace fxhost
