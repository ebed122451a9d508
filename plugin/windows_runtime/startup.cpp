// Library start-up and shut-down without a C runtime: the DLL entry runs the static constructors (among
// them the registration of the 32-bit unwinder's frame tables, which crtend.o places in the constructor
// list), the shut-down functions recorded by atexit, and the per-thread clean-up that the exception
// support asks for. Writable state lives here, outside the effect's code, and is touched only under the
// loader lock or once per thread-key creation.
#include <windows.h>

#include <exception>

extern "C" {

// Bounds of the static constructor and destructor lists, placed by the linker: a -1 (or count) entry,
// the entries, then 0.
using StaticFunction = void (*)();
extern StaticFunction __CTOR_LIST__[];
extern StaticFunction __DTOR_LIST__[];

}  // extern "C"

namespace {

constexpr int kMaxExitFunctions = 16;
StaticFunction exit_functions[kMaxExitFunctions];
int exit_function_count = 0;

// Thread-local keys whose values need a destructor when a thread or the process detaches.
struct ThreadKeyDestructor {
  DWORD key;
  void (*destructor)(void*);
};
constexpr int kMaxThreadKeys = 4;
ThreadKeyDestructor thread_keys[kMaxThreadKeys];
volatile LONG thread_key_count = 0;  // entries below it are complete

void RunConstructors() {
  // Entries run from last to first, as the usual start-up code does.
  size_t count = 0;
  while (__CTOR_LIST__[count + 1] != nullptr) ++count;
  for (size_t i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void RunDestructors() {
  for (int i = exit_function_count; i > 0; --i) exit_functions[i - 1]();
  exit_function_count = 0;
  for (size_t i = 1; __DTOR_LIST__[i] != nullptr; ++i) __DTOR_LIST__[i]();
}

void RunThreadKeyDestructors() {
  const LONG count = thread_key_count;
  for (LONG i = 0; i < count; ++i) {
    void* value = TlsGetValue(thread_keys[i].key);
    if (value != nullptr) {
      TlsSetValue(thread_keys[i].key, nullptr);
      thread_keys[i].destructor(value);
    }
  }
}

}  // namespace

extern "C" {

// Nonzero: the thread support of the exception code is active (the host may call from any thread).
int _CRT_MT = 1;

int atexit(StaticFunction function) {
  if (exit_function_count == kMaxExitFunctions) return -1;
  exit_functions[exit_function_count++] = function;
  return 0;
}

// Called by the thread support when it creates a thread-local key with a destructor; key creation runs
// once, under the thread support's own once-guard.
int __mingwthr_key_dtor(DWORD key, void (*destructor)(void*)) {
  if (destructor == nullptr) return 0;
  const LONG slot = thread_key_count;
  if (slot == kMaxThreadKeys) return -1;
  thread_keys[slot] = {key, destructor};
  MemoryBarrier();
  thread_key_count = slot + 1;
  return 0;
}

BOOL WINAPI DllMainCRTStartup(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      RunConstructors();
      break;
    case DLL_THREAD_DETACH:
      RunThreadKeyDestructors();
      break;
    case DLL_PROCESS_DETACH:
      RunThreadKeyDestructors();
      RunDestructors();
      break;
    default:
      break;
  }
  return TRUE;
}

}  // extern "C"

// The exception support's default terminate handler, defined here instead of the library's verbose one,
// which prints through the C runtime's standard error stream. Reached only on a fault in the plug-in's
// own error handling.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  abort();
}
}  // namespace __gnu_cxx
