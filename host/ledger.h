// Accounts for everything the host hands to the plug-in, so a test can ask after any command what
// is still held. Thread-safe: frames on several threads share one ledger.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

// Kinds of things handed out. To add one: add an enumerator here and its name in ledger.cpp.
enum class Resource {
  Handle,         // a memory handle from host_new_handle
  LockedHandle,   // one lock on a handle
  Suite,          // a suite acquired by name and version (key "name vN")
  ParamCheckout,  // a parameter checked out (key "param N")
  LayerCheckout,  // a layer's pixels checked out
  World,          // an effect world
  EffectRef,      // an AEGP effect reference
  StreamRef,      // an AEGP stream reference
};

const char* resource_name(Resource kind);

class Ledger {
 public:
  void acquire(Resource kind, std::string_view key = {});
  // Gives one back. Returns false, and notes misuse, when nothing of that kind and key is held.
  bool release(Resource kind, std::string_view key = {});
  // Notes a wrong use of the host (a release of something never handed out, an unknown handle...).
  void note_misuse(std::string what);

  long count(Resource kind) const;
  long count(Resource kind, std::string_view key) const;

  // What is still held, one line per kind and key ("suite PF Handle Suite v2: 1"); empty when clean.
  std::vector<std::string> held() const;
  // Every misuse noted so far, in order.
  std::vector<std::string> misuse() const;
  // Nothing held and no misuse.
  bool clean() const;

 private:
  mutable std::mutex mutex_;
  std::map<std::pair<Resource, std::string>, long, std::less<>> counts_;
  std::vector<std::string> misuse_;
};

}  // namespace host
