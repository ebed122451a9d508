// The host core without a plug-in: the fault plan, the basic suite, handles and the gate.
#include <cstring>

#include "host/host_functions.h"
#include "host/suite_registry.h"
#include "plugin_under_test.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TEST(FaultPlan, FailsTheNthCallOnceOrFromThenOn) {
  host::FaultPlan plan;
  plan.fail("a", 2);
  plan.fail("b", 2, host::Repeat::FromThenOn, 9);
  std::vector<bool> a, b;
  for (int i = 0; i < 4; ++i) {
    a.push_back(plan.on_call("a").has_value());
    b.push_back(plan.on_call("b").has_value());
  }
  EXPECT_THAT(a, ElementsAre(false, true, false, false));
  EXPECT_THAT(b, ElementsAre(false, true, true, true));
  EXPECT_EQ(plan.calls("a"), 4);
  plan.fail("c", 1, host::Repeat::Once, 9);
  EXPECT_EQ(plan.on_call("c")->code_or(1), 9);
  EXPECT_EQ(plan.failed("a"), 1);
  EXPECT_EQ(plan.failed("b"), 3);
}

TEST(FaultPlan, RulesTiedToAMarkCountFromItsFirstReach) {
  host::FaultPlan plan;
  plan.fail({"a", 2, host::Repeat::Once, {}, "frames"});
  plan.fail({"b", 1, host::Repeat::FromThenOn, {}, "frames"});
  plan.fail({"a", 1, host::Repeat::Once, {}, ""});  // counts from the start
  std::vector<bool> a, b;
  const auto call = [&] {
    a.push_back(plan.on_call("a").has_value());
    b.push_back(plan.on_call("b").has_value());
  };
  call();
  call();  // before the mark: only the rule counting from the start
  plan.mark("frames");
  call();
  plan.mark("frames");  // reached again: counting goes on
  call();
  call();
  EXPECT_THAT(a, ElementsAre(true, false, false, true, false));
  EXPECT_THAT(b, ElementsAre(false, false, true, true, true));
  // A rule added after the mark counts from it as well.
  plan.fail({"b", 4, host::Repeat::Once, 5, "frames"});
  EXPECT_FALSE(plan.on_call("c").has_value());
  plan.clear();
  EXPECT_EQ(plan.calls("a"), 0);
  EXPECT_EQ(plan.failed("b"), 0);
}

class HostCore : public testing::Test {
 protected:
  host::Session session_;
  host::CallScope scope_{session_, nullptr};
  const SPBasicSuite* basic_ = host::basic_suite();
};

TEST_F(HostCore, BasicSuiteRefusesUnknownNamesAndVersionsWithANullTable) {
  for (const auto& [name, version] : {std::pair{"PF Handle Suite", 3}, std::pair{"No Such Suite", 1}}) {
    const void* suite = &session_;
    EXPECT_EQ(basic_->AcquireSuite(name, version, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, nullptr);
  }
  EXPECT_EQ(basic_->ReleaseSuite("PF Handle Suite", 2), kSPSuiteNotFoundError);  // never acquired
  EXPECT_THAT(session_.ledger().misuse(), testing::SizeIs(1));
  EXPECT_THAT(session_.ledger().held(), IsEmpty());
}

TEST_F(HostCore, SuitesAreCountedPerNameAndVersion) {
  const void* v1 = nullptr;
  const void* v2 = nullptr;
  ASSERT_EQ(basic_->AcquireSuite(kPFHandleSuite, 1, &v1), kSPNoError);
  ASSERT_EQ(basic_->AcquireSuite(kPFHandleSuite, 2, &v2), kSPNoError);
  EXPECT_NE(v1, nullptr);
  EXPECT_THAT(session_.ledger().held(),
              ElementsAre("suite PF Handle Suite v1: 1", "suite PF Handle Suite v2: 1"));
  EXPECT_EQ(basic_->ReleaseSuite(kPFHandleSuite, 1), kSPNoError);
  EXPECT_EQ(basic_->ReleaseSuite(kPFHandleSuite, 2), kSPNoError);
  EXPECT_TRUE(session_.ledger().clean());
  EXPECT_THAT(session_.log().calls_of("ReleaseSuite"),
              ElementsAre("ReleaseSuite(\"PF Handle Suite\", 1)", "ReleaseSuite(\"PF Handle Suite\", 2)"));
}

TEST_F(HostCore, HandlesAreRealMemoryWithLockAccounting) {
  const PF_Handle handle = host::host_new_handle(16);
  ASSERT_NE(handle, nullptr);
  auto* block = static_cast<unsigned char*>(host::host_lock_handle(handle));
  ASSERT_EQ(block, *handle);
  EXPECT_EQ(block[15], 0);  // blocks start zeroed
  block[15] = 7;
  EXPECT_THAT(session_.ledger().held(), ElementsAre("handle: 1", "locked handle: 1"));
  host::host_unlock_handle(handle);
  host::host_dispose_handle(handle);
  EXPECT_TRUE(session_.ledger().clean());

  host::host_dispose_handle(handle);  // a second dispose is noted, not followed
  host::host_unlock_handle(handle);
  EXPECT_THAT(session_.ledger().misuse(), testing::SizeIs(2));
}

TEST_F(HostCore, WithoutALogOrCountsTheGateStillAppliesFaultRules) {
  session_.log().set_recording(false);
  session_.faults().set_counting(false);
  const PF_Handle quiet = host::host_new_handle(4);
  ASSERT_NE(quiet, nullptr);
  host::host_dispose_handle(quiet);
  EXPECT_THAT(session_.log().calls(), IsEmpty());
  EXPECT_EQ(session_.faults().calls("host_new_handle"), 0);

  // Once a rule is set calls are counted from there: the second call from now fails.
  session_.faults().fail("host_new_handle", 2);
  const PF_Handle first = host::host_new_handle(4);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(host::host_new_handle(4), nullptr);
  host::host_dispose_handle(first);
  EXPECT_TRUE(session_.ledger().clean());
  EXPECT_THAT(session_.log().calls(), IsEmpty());

  session_.log().set_recording(true);
  host::host_dispose_handle(host::host_new_handle(4));
  EXPECT_EQ(session_.log().count("host_dispose_handle"), 1u);
}

TEST_F(HostCore, AnsiFunctionsAreBounded) {
  char buffer[host::kSprintfLimit + 16];
  std::memset(buffer, 'x', sizeof(buffer));
  const std::string long_text(400, 'a');
  EXPECT_EQ(host::host_sprintf(buffer, "%s", long_text.c_str()), host::kSprintfLimit - 1);
  EXPECT_EQ(buffer[host::kSprintfLimit - 1], '\0');
  EXPECT_EQ(buffer[host::kSprintfLimit], 'x');
  EXPECT_EQ(host::host_sprintf(nullptr, "%d", 1), -1);
  EXPECT_EQ(host::host_strcpy(nullptr, "a"), nullptr);
  EXPECT_EQ(host::host_floor(-1.5), -2.0);
  EXPECT_EQ(host::host_ceil(-1.5), -1.0);
}

TEST(Gate, CallsOutsideAnyCommandAreRefused) {
  EXPECT_EQ(host::host_new_handle(4), nullptr);
  const void* suite = nullptr;
  EXPECT_NE(host::basic_suite()->AcquireSuite(kPFHandleSuite, 2, &suite), kSPNoError);
  EXPECT_EQ(suite, nullptr);
}

}  // namespace
