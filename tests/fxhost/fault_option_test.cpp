// --inject-fault values: the forms, and bad values refused with one line naming them.
#include "fxhost/cli/fault_option.h"

#include <gtest/gtest.h>

#include "fxhost/cli/input_error.h"
#include "host/host_operations.h"

namespace fxhost {
namespace {

TEST(FaultOption, FormsGiveTheirRules) {
  struct Case {
    const char* text;
    const char* op;
    long nth;
    host::Repeat repeat;
    const char* counted_from;
  };
  const Case cases[] = {
      {"floor:1", "floor", 1, host::Repeat::Once, ""},
      {"host_new_handle:12+", "host_new_handle", 12, host::Repeat::FromThenOn, ""},
      {"checkout_param:3@render", "checkout_param", 3, host::Repeat::Once, "render"},
      {"AcquireSuite:2+@render", "AcquireSuite", 2, host::Repeat::FromThenOn, "render"},
  };
  for (const Case& c : cases) {
    const host::FaultRule rule = ParseFaultOption(c.text);
    EXPECT_EQ(rule.op, c.op) << c.text;
    EXPECT_EQ(rule.nth, c.nth) << c.text;
    EXPECT_EQ(rule.repeat, c.repeat) << c.text;
    EXPECT_EQ(rule.counted_from, c.counted_from) << c.text;
    EXPECT_FALSE(rule.code.has_value()) << c.text;
  }
}

TEST(FaultOption, BadValuesNameTheProblem) {
  const std::pair<const char*, const char*> cases[] = {
      {"flor:1", "\"flor\" is not a host operation (fxhost faults lists them)"},
      {"floor", "not OP:N"},
      {":1", "\"\" is not a host operation"},
      {"floor:0", "whole number from 1"},
      {"floor:-1", "whole number from 1"},
      {"floor:x", "whole number from 1"},
      {"floor:1x", "whole number from 1"},
      {"floor:", "whole number from 1"},
      {"floor:99999999999999999999", "whole number from 1"},
      {"floor:1++", "whole number from 1"},
      {"floor:1@frames", "whole number from 1"},
      {"floor:1@render+", "whole number from 1"},
  };
  for (const auto& [text, fragment] : cases) {
    try {
      ParseFaultOption(text);
      ADD_FAILURE() << text << " was accepted";
    } catch (const InputError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(fragment), std::string::npos) << text << " gave: " << message;
      EXPECT_NE(message.find(std::string("\"") + text + "\""), std::string::npos) << message;
    }
  }
}

TEST(FaultOption, HelpListsEveryOperation) {
  const std::string help = FaultOptionHelp();
  for (const host::HostOperation& op : host::host_operations()) {
    EXPECT_NE(help.find("  " + std::string(op.name) + " "), std::string::npos) << op.name;
    EXPECT_NO_THROW(ParseFaultOption(std::string(op.name) + ":1"));
  }
}

}  // namespace
}  // namespace fxhost
