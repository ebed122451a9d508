// Memory handles over real memory. A handle points at a master pointer that points at the block,
// so one dereference reaches the block, locked or not. Blocks start zeroed. Every handle and every
// lock is counted in the ledger; a wrong handle is noted as misuse, never dereferenced. Memory still
// held when the store ends is freed then (the ledger has shown it as held). Thread-safe.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "host/ledger.h"
#include "pf_host_interface.h"

namespace host {

class HandleStore {
 public:
  explicit HandleStore(Ledger& ledger) : ledger_(ledger) {}

  PF_Handle create(std::size_t size);
  // The block, locked once more; null for an unknown handle.
  void* lock(PF_Handle handle);
  // Undoes one lock; false for an unknown or unlocked handle.
  bool unlock(PF_Handle handle);
  // Frees the block, and any locks still on it; false for an unknown handle.
  bool dispose(PF_Handle handle);

  bool contains(PF_Handle handle) const;
  std::optional<std::size_t> size(PF_Handle handle) const;
  int lock_count(PF_Handle handle) const;
  std::size_t live() const;

 private:
  struct Block {
    void* master = nullptr;  // the handle points here
    std::unique_ptr<std::byte[]> data;
    std::size_t size = 0;
    int locks = 0;
  };
  Block* find(PF_Handle handle) const;  // caller holds mutex_

  Ledger& ledger_;
  mutable std::mutex mutex_;
  std::map<PF_Handle, std::unique_ptr<Block>> blocks_;
};

}  // namespace host
