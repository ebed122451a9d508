// fxhost: runs the effect plug-in outside the application.
//   fxhost info [--plugin PATH]   loads the plug-in, prints its About text and its parameters
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "host/effect.h"
#include "host/module.h"
#include "host/param_table.h"

namespace {

constexpr const char* kDefaultPlugin = "Zelkra15puzzle_CS5";

int usage() {
  std::fprintf(stderr, "usage: fxhost info [--plugin PATH]\n");
  return 2;
}

int fail(const char* step, PF_Err err) {
  std::fprintf(stderr, "fxhost: %s failed with error %d\n", step, static_cast<int>(err));
  return 1;
}

int info(const std::filesystem::path& plugin_path) {
  const host::Module module = host::Module::open(plugin_path);
  host::Session session;
  host::Effect effect(module, session);

  if (const auto setup = effect.global_setup(); setup.err != PF_Err_NONE)
    return fail("global setup", setup.err);
  const auto params = effect.params_setup();
  const auto about = effect.about();
  effect.global_setdown();
  if (params.err != PF_Err_NONE) return fail("parameter setup", params.err);
  if (about.err != PF_Err_NONE) return fail("About", about.err);

  std::string text = about.return_msg();
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  std::printf("%s\n\n%s", text.c_str(), host::format_param_table(effect.params()).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "info") != 0) return usage();
  std::filesystem::path plugin = host::executable_dir() / host::plugin_file_name(kDefaultPlugin);
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      plugin = argv[++i];
    } else {
      return usage();
    }
  }
  try {
    return info(plugin);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fxhost: %s\n", e.what());
    return 1;
  }
}
