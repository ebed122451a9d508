#include "entry/new_handle.h"

bool NewHandle::Make(const HandleFunctions& functions, A_HandleSize size) {
  Dispose();
  functions_ = functions;
  handle_ = functions_.make(size);
  return handle_ != nullptr;
}

void* NewHandle::Lock() {
  void* block = functions_.lock(handle_);
  locked_ = block != nullptr;
  return block;
}

PF_Handle NewHandle::HandOver() {
  const PF_Handle handle = handle_;
  handle_ = nullptr;
  locked_ = false;
  return handle;
}

void NewHandle::Dispose() {
  if (handle_ == nullptr) return;
  if (locked_) functions_.unlock(handle_);
  functions_.dispose(HandOver());
}
