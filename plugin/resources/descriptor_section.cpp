// Places the descriptor in the library's read-only section ".pipl", where a host finds it without
// calling the plug-in. The Windows libraries take the bytes of this section as their "PIPL" resource;
// byte alignment keeps the compiler from padding the section beyond the descriptor's size.
#include "resources/descriptor.h"

extern const descriptor::Bytes kZelkraDescriptor;
[[gnu::used,
  gnu::section(".pipl")]] alignas(1) const descriptor::Bytes kZelkraDescriptor = descriptor::kBytes;
