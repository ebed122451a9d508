// Each plug-in library exports EntryPointFunc and nothing else.
#include <cstdio>
#include <memory>
#include <sstream>

#include "plugin_under_test.h"

namespace {

// Names of the dynamic symbols a library defines, as nm reports them.
std::vector<std::string> ExportedSymbols(const std::string& library) {
  const std::string command = "nm -D --defined-only '" + library + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::vector<std::string> names;
  if (!pipe) return names;
  char line[512];
  while (std::fgets(line, sizeof(line), pipe.get()) != nullptr) {
    std::istringstream fields(line);
    std::string address, type, name;
    fields >> address >> type >> name;
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

}  // namespace

class Exports : public testing::TestWithParam<Variant> {};
ZELKRA_FOR_BOTH_VARIANTS(Exports);

TEST_P(Exports, OnlyEntryPointFuncIsExported) {
  EXPECT_THAT(ExportedSymbols(GetParam().path), testing::ElementsAre("EntryPointFunc"));
}
