// A shared library with an export, but not the plug-in entry point.
extern "C" __attribute__((visibility("default"))) int NotTheEntryPoint() {
  return 0;
}
