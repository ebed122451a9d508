#include "fxhost/frames/report_merge.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <map>

#include "fxhost/cli/input_error.h"

namespace fxhost {
namespace {

// A frame entry's status; reports from before statuses were recorded have "succeeded" alone.
std::string StatusOf(const nlohmann::json& frame) {
  if (frame.contains("status")) return frame["status"].get<std::string>();
  return frame["succeeded"].get<bool>() ? "rendered" : "failed";
}

// The settings every piece of one shot shares.
nlohmann::json ShotSettings(const nlohmann::json& run) {
  nlohmann::json settings;
  for (const char* key : {"depth", "width", "height", "fps", "output"})
    settings[key] = run.value(key, nlohmann::json());
  return settings;
}

void CheckSameShot(std::span<const NamedReport> reports) {
  const NamedReport* first = nullptr;
  for (const NamedReport& r : reports) {
    if (r.report["frames"].empty()) continue;  // a task with no frames renders nothing to compare
    if (!first) {
      first = &r;
      continue;
    }
    const nlohmann::json a = ShotSettings(first->report["run"]);
    const nlohmann::json b = ShotSettings(r.report["run"]);
    for (const auto& [key, value] : a.items()) {
      if (b[key] != value)
        throw InputError("reports of different renders: " + key + " is " + value.dump() + " in \"" +
                         first->name + "\" but " + b[key].dump() + " in \"" + r.name + "\"");
    }
  }
}

bool IsFrameNumber(const nlohmann::json& value) {
  if (value.is_number_unsigned()) return value.get<unsigned long long>() <= INT_MAX;
  if (!value.is_number_integer()) return false;
  const long long n = value.get<long long>();
  return n >= INT_MIN && n <= INT_MAX;
}

nlohmann::json FrameArray(const std::vector<int>& frames) {
  return nlohmann::json(frames);
}

}  // namespace

NamedReport ReadReportFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("report \"" + path + "\" cannot be read");
  NamedReport named{path, nlohmann::json::parse(in, nullptr, false)};
  const nlohmann::json& r = named.report;
  bool valid = !r.is_discarded() && r.is_object() && r.value("fxhost_report", 0) == 1 &&
               r.contains("frames") && r["frames"].is_array() && r.contains("run") && r["run"].is_object();
  if (valid) {
    for (const auto& frame : r["frames"]) {
      valid = valid && frame.is_object() && frame.contains("frame") && IsFrameNumber(frame["frame"]) &&
              ((frame.contains("status") && frame["status"].is_string()) ||
               (frame.contains("succeeded") && frame["succeeded"].is_boolean()));
    }
  }
  if (!valid) throw InputError("\"" + path + "\" is not an fxhost render report");
  return named;
}

nlohmann::json MergeReports(std::span<const NamedReport> reports,
                            const std::optional<std::vector<int>>& shot_frames,
                            const ExistingFrameFile& existing_file) {
  CheckSameShot(reports);
  std::map<int, nlohmann::json> chosen;
  for (const NamedReport& r : reports) {
    for (const nlohmann::json& frame : r.report["frames"]) {
      const std::string status = StatusOf(frame);
      if (status == "missing" || status == "unreported") continue;  // a merged report's gaps
      auto [it, is_new] = chosen.try_emplace(frame["frame"].get<int>());
      if (!is_new && status == "skipped" && it->second["status"] == "rendered") continue;
      it->second = frame;
      it->second["status"] = status;
      it->second["report"] = r.name;
    }
  }

  std::vector<int> frames;
  if (shot_frames) {
    frames = *shot_frames;
  } else {
    for (const auto& entry : chosen) frames.push_back(entry.first);
  }
  std::sort(frames.begin(), frames.end());

  nlohmann::json run = nlohmann::json::object();
  nlohmann::json merged_from = nlohmann::json::array();
  for (const NamedReport& r : reports) {
    merged_from.push_back(r.name);
    if (run.empty() && !r.report["frames"].empty()) run = r.report["run"];
  }
  nlohmann::json frame_list = nlohmann::json::array();
  std::vector<int> missing, failed, unverified;
  long long rendered = 0, skipped = 0, unreported = 0;
  double render_seconds = 0;
  for (int number : frames) {
    const auto it = chosen.find(number);
    if (it == chosen.end()) {
      const std::string file = existing_file && !run.empty() ? existing_file(run, number) : std::string();
      if (file.empty()) {
        missing.push_back(number);
        frame_list.push_back({{"frame", number}, {"status", "missing"}});
      } else {
        ++unreported;
        unverified.push_back(number);
        frame_list.push_back({{"frame", number}, {"status", "unreported"}, {"output", file}});
      }
      continue;
    }
    const nlohmann::json& frame = it->second;
    const std::string status = frame["status"];
    if (status == "rendered") {
      ++rendered;
    } else if (status == "skipped") {
      ++skipped;
      unverified.push_back(number);
    } else {
      failed.push_back(number);
    }
    if (frame.contains("render_seconds") && frame["render_seconds"].is_number())
      render_seconds += frame["render_seconds"].get<double>();
    frame_list.push_back(frame);
  }

  return {
      {"fxhost_report", 1},
      {"merged_from", merged_from},
      {"run", run},
      {"frames", frame_list},
      {"summary",
       {{"frames", frames.size()},
        {"rendered", rendered},
        {"skipped", skipped},
        {"unreported", unreported},
        {"failed", failed.size()},
        {"missing", missing.size()},
        {"failed_frames", FrameArray(failed)},
        {"missing_frames", FrameArray(missing)},
        {"unverified_frames", FrameArray(unverified)},
        {"render_seconds", render_seconds},
        {"complete", missing.empty() && failed.empty()}}},
  };
}

std::string CompactFrameList(std::span<const int> frames) {
  std::string text;
  for (std::size_t i = 0; i < frames.size();) {
    std::size_t j = i;
    while (j + 1 < frames.size() && frames[j + 1] == frames[j] + 1) ++j;
    if (!text.empty()) text += ",";
    text += std::to_string(frames[i]);
    if (j > i) text += "-" + std::to_string(frames[j]);
    i = j + 1;
  }
  return text;
}

std::string MergeSummaryText(const nlohmann::json& merged) {
  const nlohmann::json& s = merged["summary"];
  std::string text = std::to_string(s["frames"].get<long long>()) +
                     " frames: " + std::to_string(s["rendered"].get<long long>()) + " rendered, " +
                     std::to_string(s["skipped"].get<long long>()) + " skipped, " +
                     std::to_string(s["unreported"].get<long long>()) + " unreported, " +
                     std::to_string(s["failed"].get<long long>()) + " failed, " +
                     std::to_string(s["missing"].get<long long>()) + " missing (from " +
                     std::to_string(merged["merged_from"].size()) + " reports)\n";
  for (const char* key : {"missing_frames", "failed_frames", "unverified_frames"}) {
    const std::vector<int> list = s[key].get<std::vector<int>>();
    if (list.empty()) continue;
    std::string what = key;
    what.resize(what.find('_'));
    if (what == "unverified") what = "there but rendered in no report (no checksum)";
    text += what + ": " + CompactFrameList(list) + "\n";
  }
  text += s["complete"].get<bool>() ? "shot complete\n" : "shot INCOMPLETE\n";
  return text;
}

}  // namespace fxhost
