#pragma once
// Output worlds handed back once a frame is written, for later frames to render into: a render of many
// frames on N jobs allocates about N output worlds rather than one a frame, and its memory stays flat.
// Thread-safe.

#include <mutex>
#include <optional>
#include <vector>

#include "host/world_buffer.h"

namespace fxhost {

class WorldPool {
 public:
  // A world handed back earlier, if there is one.
  std::optional<host::WorldBuffer> Take();
  void Give(host::WorldBuffer world);

 private:
  std::mutex mutex_;
  std::vector<host::WorldBuffer> worlds_;
};

}  // namespace fxhost
