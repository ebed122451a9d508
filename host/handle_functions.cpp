#include "host/gate.h"
#include "host/host_functions.h"
#include "host/session.h"

namespace host {

PF_Handle host_new_handle(A_HandleSize size) {
  if (gate("host_new_handle", size)) return nullptr;
  return current_session().handles().create(size);
}

void* host_lock_handle(PF_Handle handle) {
  if (gate("host_lock_handle", handle)) return nullptr;
  return current_session().handles().lock(handle);
}

void host_unlock_handle(PF_Handle handle) {
  if (gate("host_unlock_handle", handle)) return;
  current_session().handles().unlock(handle);
}

void host_dispose_handle(PF_Handle handle) {
  if (gate("host_dispose_handle", handle)) return;
  if (handle == nullptr) return;  // disposing of nothing is allowed
  current_session().handles().dispose(handle);
}

A_HandleSize host_get_handle_size(PF_Handle handle) {
  if (gate("host_get_handle_size", handle)) return 0;
  Session& session = current_session();
  const std::optional<std::size_t> size = session.handles().size(handle);
  if (!size) {
    session.ledger().note_misuse("host_get_handle_size of an unknown handle");
    return 0;
  }
  return static_cast<A_HandleSize>(*size);
}

}  // namespace host
