// Loading plug-in libraries: every failure is a clear error, never a crash.
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
  EXPECT_THAT(OpenError(__FILE__), HasSubstr("cannot load plug-in library"));
}

TEST(Module, LibraryWithoutEntryPointIsReported) {
  EXPECT_THAT(OpenError(NO_ENTRY_POINT_PATH), HasSubstr("has no EntryPointFunc"));
}

TEST(Module, BothVariantsLoad) {
  for (const Variant& v : kVariants) EXPECT_NE(host::Module::open(v.path).entry_point(), nullptr) << v.name;
}
