// A handle the plug-in made and has not yet handed to the host: given back (unlocked if it was
// locked, then disposed of) on every way out, a thrown error code included, unless it was handed
// over. The functions that make, lock, unlock and dispose of it are the caller's choice: the
// handle suite's, or the utility callbacks' (which can only make and dispose).
#pragma once

#include "pf_host_interface.h"

struct HandleFunctions {
  PF_Handle (*make)(A_HandleSize size);
  void* (*lock)(PF_Handle handle);  // null where the caller never locks
  void (*unlock)(PF_Handle handle);
  void (*dispose)(PF_Handle handle);
};

inline HandleFunctions HandleFunctionsOf(const PF_HandleSuite1* suite) {
  return {suite->host_new_handle, suite->host_lock_handle, suite->host_unlock_handle,
          suite->host_dispose_handle};
}
inline HandleFunctions HandleFunctionsOf(const PF_UtilCallbacks* utils) {
  return {utils->host_new_handle, nullptr, nullptr, utils->host_dispose_handle};
}

class NewHandle {
 public:
  NewHandle() = default;
  ~NewHandle() { Dispose(); }
  NewHandle(const NewHandle&) = delete;
  NewHandle& operator=(const NewHandle&) = delete;

  // Makes a handle of `size` bytes (giving back one held before); false when the host has no
  // memory for it.
  bool Make(const HandleFunctions& functions, A_HandleSize size);
  // Locks the handle; its block, or null when the host refuses.
  void* Lock();
  // The handle is the caller's from now on, locked or not; the holder forgets it.
  PF_Handle HandOver();
  // Unlocks the handle if this holder locked it, disposes of it and forgets it.
  void Dispose();

  PF_Handle get() const { return handle_; }

 private:
  HandleFunctions functions_ = {};
  PF_Handle handle_ = nullptr;
  bool locked_ = false;
};
