// The few C library functions that the compiler's own code and its exception support call, written over
// KERNEL32 so the plug-in needs no C runtime library. The effect itself allocates nothing: the heap
// functions serve only the exception support (thrown objects, per-thread exception state).
//
// This file is compiled with -fno-builtin and -fno-tree-loop-distribute-patterns, so the compiler does
// not turn these loops back into calls to the functions they define.
#include <stddef.h>
#include <windows.h>

extern "C" {

void* memcpy(void* destination, const void* source, size_t size) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  for (size_t i = 0; i < size; ++i) to[i] = from[i];
  return destination;
}

void* memmove(void* destination, const void* source, size_t size) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  if (to < from) {
    for (size_t i = 0; i < size; ++i) to[i] = from[i];
  } else {
    for (size_t i = size; i > 0; --i) to[i - 1] = from[i - 1];
  }
  return destination;
}

void* memset(void* destination, int value, size_t size) {
  auto* to = static_cast<unsigned char*>(destination);
  for (size_t i = 0; i < size; ++i) to[i] = static_cast<unsigned char>(value);
  return destination;
}

int memcmp(const void* left, const void* right, size_t size) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (size_t i = 0; i < size; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

size_t strlen(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

int strncmp(const char* left, const char* right, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const auto a = static_cast<unsigned char>(left[i]);
    const auto b = static_cast<unsigned char>(right[i]);
    if (a != b) return a < b ? -1 : 1;
    if (a == '\0') return 0;
  }
  return 0;
}

int strcmp(const char* left, const char* right) {
  return strncmp(left, right, static_cast<size_t>(-1));
}

void* malloc(size_t size) {
  return HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size);
}

void* calloc(size_t count, size_t size) {
  if (size != 0 && count > static_cast<size_t>(-1) / size) return nullptr;
  const size_t total = count * size;
  return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, total == 0 ? 1 : total);
}

void free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

void* realloc(void* block, size_t size) {
  if (block == nullptr) return malloc(size);
  return HeapReAlloc(GetProcessHeap(), 0, block, size == 0 ? 1 : size);
}

// Reached only through std::terminate, that is, on a fault in the plug-in's own error handling.
[[noreturn]] void abort() {
  TerminateProcess(GetCurrentProcess(), 3);
  for (;;) {
  }
}

}  // extern "C"
