#include "host/handle_store.h"

#include <sstream>

namespace host {

namespace {

std::string unknown_handle(const char* what, PF_Handle handle) {
  std::ostringstream os;
  os << what << " of an unknown handle " << static_cast<const void*>(handle);
  return os.str();
}

}  // namespace

HandleStore::Block* HandleStore::find(PF_Handle handle) const {
  auto it = blocks_.find(handle);
  return it == blocks_.end() ? nullptr : it->second.get();
}

PF_Handle HandleStore::create(std::size_t size) {
  auto block = std::make_unique<Block>();
  block->size = size;
  // A zero-sized block still gets a distinct address.
  block->data = std::make_unique<std::byte[]>(size == 0 ? 1 : size);
  block->master = block->data.get();
  PF_Handle handle = &block->master;
  {
    std::lock_guard lock(mutex_);
    blocks_.emplace(handle, std::move(block));
  }
  ledger_.acquire(Resource::Handle);
  return handle;
}

void* HandleStore::lock(PF_Handle handle) {
  std::unique_lock guard(mutex_);
  Block* block = find(handle);
  if (block == nullptr) {
    guard.unlock();
    ledger_.note_misuse(unknown_handle("lock", handle));
    return nullptr;
  }
  ++block->locks;
  void* data = block->master;
  guard.unlock();
  ledger_.acquire(Resource::LockedHandle);
  return data;
}

bool HandleStore::unlock(PF_Handle handle) {
  std::unique_lock guard(mutex_);
  Block* block = find(handle);
  if (block == nullptr || block->locks == 0) {
    guard.unlock();
    ledger_.note_misuse(block == nullptr ? unknown_handle("unlock", handle)
                                         : "unlock of a handle that is not locked");
    return false;
  }
  --block->locks;
  guard.unlock();
  ledger_.release(Resource::LockedHandle);
  return true;
}

bool HandleStore::dispose(PF_Handle handle) {
  std::unique_lock guard(mutex_);
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) {
    guard.unlock();
    ledger_.note_misuse(unknown_handle("dispose", handle));
    return false;
  }
  const int locks = it->second->locks;
  blocks_.erase(it);
  guard.unlock();
  for (int i = 0; i < locks; ++i) ledger_.release(Resource::LockedHandle);
  ledger_.release(Resource::Handle);
  return true;
}

bool HandleStore::contains(PF_Handle handle) const {
  std::lock_guard lock(mutex_);
  return find(handle) != nullptr;
}

std::optional<std::size_t> HandleStore::size(PF_Handle handle) const {
  std::lock_guard lock(mutex_);
  const Block* block = find(handle);
  if (block == nullptr) return std::nullopt;
  return block->size;
}

int HandleStore::lock_count(PF_Handle handle) const {
  std::lock_guard lock(mutex_);
  const Block* block = find(handle);
  return block == nullptr ? 0 : block->locks;
}

std::size_t HandleStore::live() const {
  std::lock_guard lock(mutex_);
  return blocks_.size();
}

}  // namespace host
