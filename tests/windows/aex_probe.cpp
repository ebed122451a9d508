// Loads a plug-in library the way the host application does, on Windows (or under Wine): by path with
// LoadLibrary, the descriptor from the "PIPL" resource, the entry point by the name the descriptor
// gives. Compares the descriptor with the expected table and, when asked, calls the entry point twice
// with null records (only for a stand-in library that ignores them).
//   aex_probe LIBRARY.aex TABLE.hex [SELECTOR EXPECTED_RESULT]
// Exit status 0 when every check passes.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <type_traits>

#include "hex_table.h"
#include "host/descriptor_parser.h"
#include "host/descriptor_reader.h"
#include "pf_host_interface.h"

namespace {

struct LibraryCloser {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryCloser>;

// Under Wine the build passes Unix paths; drive Z: maps the Unix root.
std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "aex_probe: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5)
    return Fail("usage: aex_probe LIBRARY.aex TABLE.hex [SELECTOR EXPECTED_RESULT]");
  try {
    const std::string path = WindowsPath(argv[1]);
    Library library(LoadLibraryA(path.c_str()));
    if (!library) return Fail("cannot load " + path + " (error " + std::to_string(GetLastError()) + ")");

    const std::vector<std::uint8_t> descriptor = host::ReadDescriptorResource(library.get());
    if (descriptor != ReadHexTable(WindowsPath(argv[2])))
      return Fail("descriptor differs from " + std::string(argv[2]));
    const host::DescriptorProperties props = host::ParseDescriptor(descriptor);

    const auto entry = reinterpret_cast<PF_EntryPointFunc>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), props.entry_point.c_str())));
    if (entry == nullptr) return Fail("no export named " + props.entry_point);
    std::printf("%s: \"%s\" (%s), entry point %s, interface %d.%d\n", argv[1], props.name.c_str(),
                props.match_name.c_str(), props.entry_point.c_str(), props.spec_version_major,
                props.spec_version_minor);

    if (argc == 5) {
      const PF_Cmd selector = std::stoi(argv[3]);
      const PF_Err expected = std::stoi(argv[4]);
      for (int call = 0; call < 2; ++call) {  // twice: a first call must leave nothing behind
        const PF_Err result = entry(selector, nullptr, nullptr, nullptr, nullptr, nullptr);
        std::printf("selector %d returned %d\n", selector, result);
        if (result != expected) return Fail("expected result " + std::to_string(expected));
      }
    }
    return 0;
  } catch (const std::exception& error) {
    return Fail(error.what());
  }
}
