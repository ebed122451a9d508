#include "host/descriptor_reader.h"

#include <stdexcept>
#include <string>

#include "host/module.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#endif

namespace host {

#ifdef _WIN32

std::vector<std::uint8_t> ReadDescriptorResource(void* module) {
  const auto hmodule = static_cast<HMODULE>(module);
  constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  HRSRC resource = FindResourceExA(hmodule, "PIPL", MAKEINTRESOURCEA(16000), kEnglishUs);
  if (resource == nullptr) throw std::runtime_error("library has no PIPL resource 16000 (language 1033)");
  const DWORD size = SizeofResource(hmodule, resource);
  HGLOBAL loaded = LoadResource(hmodule, resource);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || size == 0) throw std::runtime_error("cannot load the PIPL resource");
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return {bytes, bytes + size};  // resources need no release
}

#else

namespace {

std::runtime_error ElfError(const std::string& source, const std::string& what) {
  return std::runtime_error(source + ": " + what);
}

// A copy of the object at `offset`, when the file holds it entirely.
template <typename T>
bool ReadAt(std::span<const std::uint8_t> image, std::uint64_t offset, T& out) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
  std::memcpy(&out, image.data() + offset, sizeof(T));
  return true;
}

}  // namespace

std::vector<std::uint8_t> ReadElfSection(const std::filesystem::path& file, std::string_view name) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ElfError(file.string(), "cannot open");
  const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ElfSection(image, name, file.string());
}

std::vector<std::uint8_t> ElfSection(std::span<const std::uint8_t> image, std::string_view name,
                                     const std::string& source) {
  Elf64_Ehdr header;
  if (!ReadAt(image, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
    throw ElfError(source, "not an ELF file");
  if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
    throw ElfError(source, "not a 64-bit little-endian ELF file");
  if (header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum ||
      header.e_shoff > image.size())
    throw ElfError(source, "malformed section table");

  const auto section_header = [&](unsigned index) {
    Elf64_Shdr section;
    if (!ReadAt(image, header.e_shoff + std::uint64_t{index} * sizeof(Elf64_Shdr), section))
      throw ElfError(source, "section table beyond the end of the file");
    return section;
  };
  const auto in_file = [&](const Elf64_Shdr& section) {
    return section.sh_type != SHT_NOBITS && section.sh_offset <= image.size() &&
           section.sh_size <= image.size() - section.sh_offset;
  };

  const Elf64_Shdr names = section_header(header.e_shstrndx);
  if (!in_file(names)) throw ElfError(source, "section names beyond the end of the file");
  const std::string_view name_table(reinterpret_cast<const char*>(image.data() + names.sh_offset),
                                    names.sh_size);

  for (unsigned i = 0; i < header.e_shnum; ++i) {
    const Elf64_Shdr section = section_header(i);
    if (section.sh_name >= name_table.size()) continue;
    const std::string_view rest = name_table.substr(section.sh_name);
    if (rest.substr(0, rest.find('\0')) != name) continue;
    if (!in_file(section))
      throw ElfError(source, "section " + std::string(name) + " beyond the end of the file");
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(section.sh_offset);
    return {begin, begin + static_cast<std::ptrdiff_t>(section.sh_size)};
  }
  throw ElfError(source, "no section " + std::string(name));
}

#endif

std::vector<std::uint8_t> ReadDescriptor(const Module& module) {
#ifdef _WIN32
  return ReadDescriptorResource(module.native_handle());
#else
  return ReadElfSection(module.path(), kDescriptorSection);
#endif
}

}  // namespace host
