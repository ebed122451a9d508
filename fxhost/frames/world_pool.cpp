#include "fxhost/frames/world_pool.h"

#include <utility>

namespace fxhost {

std::optional<host::WorldBuffer> WorldPool::Take() {
  std::lock_guard lock(mutex_);
  if (worlds_.empty()) return std::nullopt;
  std::optional<host::WorldBuffer> world(std::move(worlds_.back()));
  worlds_.pop_back();
  return world;
}

void WorldPool::Give(host::WorldBuffer world) {
  std::lock_guard lock(mutex_);
  worlds_.push_back(std::move(world));
}

}  // namespace fxhost
