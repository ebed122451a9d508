// What a run with injected host failures may end with, shared by the failure sweep and the render
// fuzzer: what the host may still hold, which results and messages the plug-in may give, and which
// failures are known to change the picture without failing the frame. Free of any test framework.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "host/session.h"
#include "host/world_buffer.h"
#include "pf_host_interface.h"

namespace fault_accounting {

// The releases a host can refuse, and what a refused one leaves held. A handle whose disposal was
// refused keeps the lock on it too.
struct RefusedRelease {
  std::string_view op;
  host::Resource keeps;
};
inline constexpr RefusedRelease kReleases[] = {
    {"host_dispose_handle", host::Resource::Handle},
    {"host_dispose_handle", host::Resource::LockedHandle},
    {"host_unlock_handle", host::Resource::LockedHandle},
    {"ReleaseSuite", host::Resource::Suite},
    {"checkin_param", host::Resource::ParamCheckout},
    {"checkin_layer_pixels", host::Resource::LayerCheckout},
    {"dispose_world", host::Resource::World},
    {"PF_DisposeWorld", host::Resource::World},
    {"AEGP_DisposeEffect", host::Resource::EffectRef},
    {"AEGP_DisposeStream", host::Resource::StreamRef},
};
inline constexpr host::Resource kResources[] = {
    host::Resource::Handle,        host::Resource::LockedHandle,  host::Resource::Suite,
    host::Resource::ParamCheckout, host::Resource::LayerCheckout, host::Resource::World,
    host::Resource::EffectRef,     host::Resource::StreamRef,
};

// What the session's host still holds beyond what its refused releases kept, one line per kind
// ("handle: 2 held, 1 kept by refused releases"); empty when nothing else is held. A set-down (or
// resetup) that reported failure (e.g. the handle suite refused to it) may keep the data handle it was
// to dispose of; `handles_allowed` counts those and any the plug-in keeps by design.
inline std::vector<std::string> UnexplainedHeld(host::Session& session, long handles_allowed = 0) {
  std::vector<std::string> lines;
  for (host::Resource kind : kResources) {
    long kept = kind == host::Resource::Handle ? handles_allowed : 0;
    for (const RefusedRelease& release : kReleases) {
      if (release.keeps == kind) kept += session.faults().failed(release.op);
    }
    const long held = session.ledger().count(kind);
    if (held > kept) {
      lines.push_back(std::string(host::resource_name(kind)) + ": " + std::to_string(held) + " held, " +
                      std::to_string(kept) + " kept by refused releases");
    }
  }
  return lines;
}

// The code the entry point returns for an error thrown below it (a suite the host refuses).
inline PF_Err ThrownResult(bool is_32bit) {
  return is_32bit ? PF_Err_BAD_CALLBACK_PARAM : PF_Err_INTERNAL_STRUCT_DAMAGED;
}

// The error code the sweep's failing operations answer where an operation answers a code: the
// plug-in hands the host's code back unchanged, so it is told apart from the plug-in's own codes.
inline constexpr PF_Err kInjectedCode = 0x5A15;

// Whether the plug-in may answer command `cmd` with `err` when host operations fail: its own codes
// for the command, the thrown code, or the host's code passed on.
inline bool AllowedResult(PF_Cmd cmd, PF_Err err, bool is_32bit) {
  if (err == PF_Err_NONE || err == ThrownResult(is_32bit) || err == kInjectedCode) return true;
  switch (cmd) {
    case PF_Cmd_SEQUENCE_SETUP:
    case PF_Cmd_SEQUENCE_RESETUP:
    case PF_Cmd_SMART_PRE_RENDER:
      return err == PF_Err_OUT_OF_MEMORY;
    case PF_Cmd_GLOBAL_SETUP:
      return err == PF_Err_INTERNAL_STRUCT_DAMAGED;  // no handle for the global data
    case PF_Cmd_SMART_RENDER:
      return err == PF_Err_INTERNAL_STRUCT_DAMAGED || err == PF_Err_BAD_CALLBACK_PARAM;
    default:
      return false;
  }
}

// Whether `message` is one the plug-in may show after command `cmd`.
inline bool AllowedMessage(PF_Cmd cmd, std::string_view message) {
  if (message.empty()) return true;
  switch (cmd) {
    case PF_Cmd_SMART_RENDER:
      return message == "Memory Error!" || message == "Couldn't load suite." ||
             message == "Couldn't release suite.";
    case PF_Cmd_USER_CHANGED_PARAM:
    case PF_Cmd_UPDATE_PARAMS_UI:
      return message == "ERROR";
    case PF_Cmd_ABOUT:
      return true;  // the About text
    default:
      return false;
  }
}

// A world's pixels row after row, without the rows' padding: what a user sees of a frame.
inline std::vector<std::byte> PixelsOf(const host::WorldBuffer& world) {
  std::vector<std::byte> pixels;
  const std::size_t row = static_cast<std::size_t>(world.width()) * host::BytesPerPixel(world.depth());
  if (world.world().data == nullptr) return pixels;
  for (A_long y = 0; y < world.height(); ++y) {
    const auto* bytes = reinterpret_cast<const std::byte*>(world.world().data) + y * world.rowbytes();
    pixels.insert(pixels.end(), bytes, bytes + row);
  }
  return pixels;
}

// Every failing operation that changes a frame's picture must fail the frame: the host's floor and
// ceil fail by answering NaN, and the plug-in then returns 512 rather than rendering with it.
inline bool KnownWrongSuccess(std::string_view) {
  return false;
}

}  // namespace fault_accounting
