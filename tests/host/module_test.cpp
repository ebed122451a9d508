// Loading plug-in libraries: every failure is a clear error, never a crash.
#include <filesystem>
#include <fstream>

#include "plugin_under_test.h"

using testing::HasSubstr;

namespace {

std::string OpenError(const std::string& path) {
  try {
    host::Module::open(path);
  } catch (const host::ModuleError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(Module, MissingFileIsReported) {
  EXPECT_THAT(OpenError("/nonexistent/Zelkra15puzzle_CS5.so"), HasSubstr("not found: /nonexistent"));
}

TEST(Module, FileThatIsNoLibraryIsReported) {
  const std::filesystem::path text = std::filesystem::temp_directory_path() / "zelkra-not-a-library.so";
  std::ofstream(text) << "not a library\n";
  EXPECT_THAT(OpenError(text.string()), HasSubstr("cannot load plug-in library"));
  std::filesystem::remove(text);
}

TEST(Module, LibraryWithoutEntryPointIsReported) {
  EXPECT_THAT(OpenError(NO_ENTRY_POINT_PATH), HasSubstr("has no EntryPointFunc"));
}

// A name without a folder is a file in the current folder, never a search of the system loader's path.
TEST(Module, BareNameIsAFileInTheCurrentFolder) {
  const std::filesystem::path plugin = ZELKRA_PLUGIN_CS5_PATH;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(plugin.parent_path());
  std::string error;
  try {
    const host::Module module = host::Module::open(plugin.filename());
    EXPECT_NE(module.entry_point(), nullptr);
    EXPECT_EQ(module.path(), plugin.filename());
  } catch (const host::ModuleError& e) {
    error = e.what();
  }
  std::filesystem::current_path(before);
  EXPECT_EQ(error, "");
  EXPECT_THAT(OpenError("libc.so.6"), HasSubstr("not found: libc.so.6"));
}

TEST(Module, BothVariantsLoad) {
  for (const Variant& v : kVariants) EXPECT_NE(host::Module::open(v.path).entry_point(), nullptr) << v.name;
}
