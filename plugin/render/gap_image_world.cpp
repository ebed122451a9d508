#include "render/gap_image_world.h"

PF_Err GapImageWorld::Dispose() {
  if (disposer_ == nullptr) return PF_Err_NONE;
  const PF_WorldSuite1* disposer = disposer_;
  disposer_ = nullptr;
  return disposer->dispose_world(effect_ref_, &world_);
}
