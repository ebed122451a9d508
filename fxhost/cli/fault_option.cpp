#include "fxhost/cli/fault_option.h"

#include <charconv>

#include "fxhost/cli/input_error.h"
#include "host/host_operations.h"

namespace fxhost {

host::FaultRule ParseFaultOption(std::string_view text) {
  const auto bad = [text](const std::string& why) {
    return InputError("--inject-fault \"" + std::string(text) + "\": " + why);
  };
  host::FaultRule rule;
  std::string_view rest = text;
  constexpr std::string_view kRender = "@render";
  if (rest.size() >= kRender.size() && rest.substr(rest.size() - kRender.size()) == kRender) {
    rule.counted_from = std::string(host::kFirstFrameMark);
    rest.remove_suffix(kRender.size());
  }
  if (!rest.empty() && rest.back() == '+') {
    rule.repeat = host::Repeat::FromThenOn;
    rest.remove_suffix(1);
  }
  const auto colon = rest.rfind(':');
  if (colon == std::string_view::npos) throw bad("not OP:N, OP:N+ or either with @render");
  const std::string_view count = rest.substr(colon + 1);
  const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), rule.nth);
  if (count.empty() || error != std::errc() || end != count.data() + count.size() || rule.nth < 1)
    throw bad("the call number must be a whole number from 1");
  rule.op = std::string(rest.substr(0, colon));
  if (!host::is_host_operation(rule.op))
    throw bad("\"" + rule.op + "\" is not a host operation (fxhost faults lists them)");
  return rule;
}

std::vector<host::FaultRule> ParseFaultOptions(std::span<const std::string> texts) {
  std::vector<host::FaultRule> rules;
  rules.reserve(texts.size());
  for (const std::string& text : texts) rules.push_back(ParseFaultOption(text));
  return rules;
}

std::string FaultOptionHelp() {
  std::string help =
      "Testing aid: fxhost render --inject-fault VALUE (repeatable) makes host operations fail.\n"
      "  OP:N          the Nth call of OP fails (calls counted from the session's start: global set-up\n"
      "                makes the first ones)\n"
      "  OP:N+         the Nth call and every later one fail\n"
      "  OP:N@render   (also OP:N+@render) counts OP's calls from the first frame on\n"
      "\n"
      "Operations, and what a failing call answers:\n";
  std::size_t width = 0;
  for (const host::HostOperation& op : host::host_operations()) width = std::max(width, op.name.size());
  for (const host::HostOperation& op : host::host_operations()) {
    help += "  " + std::string(op.name) + std::string(width + 2 - op.name.size(), ' ') +
            std::string(op.failure) + "\n";
  }
  return help;
}

}  // namespace fxhost
