#include "host/gate.h"

#include <cstdio>

#include "host/session.h"

namespace host {

std::optional<Fault> pass_gate(std::string_view op, std::string args) {
  Session* session = Session::current();
  if (session == nullptr) {
    std::fprintf(stderr, "host: %.*s(%s) called outside any command; refused\n", static_cast<int>(op.size()),
                 op.data(), args.c_str());
    return Fault{};
  }
  session->log().record(op, std::move(args));
  return session->faults().on_call(op);
}

bool gate_records() {
  Session* session = Session::current();
  return session == nullptr || session->log().recording();
}

std::optional<Fault> pass_gate_unrecorded(std::string_view op) {
  return current_session().faults().on_call(op);
}

}  // namespace host
