#include "host/ledger.h"

namespace host {

const char* resource_name(Resource kind) {
  switch (kind) {
    case Resource::Handle:
      return "handle";
    case Resource::LockedHandle:
      return "locked handle";
    case Resource::Suite:
      return "suite";
    case Resource::ParamCheckout:
      return "parameter checkout";
    case Resource::LayerCheckout:
      return "layer checkout";
    case Resource::World:
      return "world";
    case Resource::EffectRef:
      return "effect reference";
    case Resource::StreamRef:
      return "stream reference";
  }
  return "unknown";
}

void Ledger::acquire(Resource kind, std::string_view key) {
  std::lock_guard lock(mutex_);
  ++counts_[{kind, std::string(key)}];
}

bool Ledger::release(Resource kind, std::string_view key) {
  std::lock_guard lock(mutex_);
  auto it = counts_.find(std::pair{kind, std::string(key)});
  if (it == counts_.end() || it->second == 0) {
    std::string what = std::string("release of a ") + resource_name(kind);
    if (!key.empty()) what += " " + std::string(key);
    misuse_.push_back(what + " that is not held");
    return false;
  }
  if (--it->second == 0) counts_.erase(it);
  return true;
}

void Ledger::note_misuse(std::string what) {
  std::lock_guard lock(mutex_);
  misuse_.push_back(std::move(what));
}

long Ledger::count(Resource kind) const {
  std::lock_guard lock(mutex_);
  long total = 0;
  for (const auto& [id, n] : counts_) {
    if (id.first == kind) total += n;
  }
  return total;
}

long Ledger::count(Resource kind, std::string_view key) const {
  std::lock_guard lock(mutex_);
  auto it = counts_.find(std::pair{kind, std::string(key)});
  return it == counts_.end() ? 0 : it->second;
}

std::vector<std::string> Ledger::held() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> lines;
  for (const auto& [id, n] : counts_) {
    std::string line = resource_name(id.first);
    if (!id.second.empty()) line += " " + id.second;
    lines.push_back(line + ": " + std::to_string(n));
  }
  return lines;
}

std::vector<std::string> Ledger::misuse() const {
  std::lock_guard lock(mutex_);
  return misuse_;
}

bool Ledger::clean() const {
  std::lock_guard lock(mutex_);
  return counts_.empty() && misuse_.empty();
}

}  // namespace host
