// Global and sequence set-up and set-down: what the plug-in hands the host, what it gives back,
// and how each host failure ends.
#include <optional>

#include "entry/plugin_data.h"
#include "plugin_under_test.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::vector<std::string> kOneHandle = {"handle: 1"};

template <typename T>
T Read(host::Session& session, PF_Handle handle) {
  EXPECT_EQ(session.handles().size(handle), sizeof(T));
  return *static_cast<const T*>(*handle);
}

}  // namespace

class Lifecycle : public PluginTest {};
ZELKRA_FOR_BOTH_VARIANTS(Lifecycle);

TEST_P(Lifecycle, GlobalSetupReportsVersionAndFlagsAndKeepsRegisteredGlobalData) {
  const PF_OutFlags host_flags = PF_OutFlag_REFRESH_UI;
  PF_OutData out{};
  out.out_flags = host_flags;
  out.out_flags2 = 1;
  const host::CommandResult setup = effect_.run(PF_Cmd_GLOBAL_SETUP, {.out = out});

  ASSERT_EQ(setup.err, PF_Err_NONE);
  EXPECT_EQ(setup.out.my_version, 525825u);
  EXPECT_EQ(setup.out.out_flags, host_flags | 0x06000040);
  EXPECT_EQ(setup.out.out_flags2, 1 | 0x1400);
  ASSERT_NE(effect_.global_data(), nullptr);
  const auto global = Read<GlobalData>(session_, effect_.global_data());
  EXPECT_EQ(global.initialized, 1);
  EXPECT_EQ(global.plugin_id, 1);
  EXPECT_THAT(session_.registrations(), ElementsAre("Error!"));
  EXPECT_EQ(session_.handles().lock_count(effect_.global_data()), 0);
  // Each suite is acquired once, on first use, and released in the order of the known-suites list.
  const std::string handle_suite = is_32bit() ? "\"PF Handle Suite\", 1" : "\"PF Handle Suite\", 2";
  EXPECT_THAT(log().calls_of("AcquireSuite"),
              ElementsAre("AcquireSuite(" + handle_suite + ")", "AcquireSuite(\"AEGP Utility Suite\", 7)"));
  EXPECT_THAT(log().calls_of("ReleaseSuite"),
              ElementsAre("ReleaseSuite(\"AEGP Utility Suite\", 7)", "ReleaseSuite(" + handle_suite + ")"));
  EXPECT_EQ(held(), kOneHandle);

  EXPECT_EQ(effect_.global_setdown().err, PF_Err_NONE);
  if (is_32bit()) {
    EXPECT_EQ(held(), kOneHandle);  // this variant never disposes of its global data
  } else {
    EXPECT_THAT(held(), IsEmpty());
  }
}

TEST_P(Lifecycle, RegistrationIsSkippedUnderPremiereOnlyIn64BitVariant) {
  effect_.settings().appl_id = A_long(PF_APPL_ID_PREMIERE);
  ASSERT_EQ(effect_.global_setup().err, PF_Err_NONE);

  const auto global = Read<GlobalData>(session_, effect_.global_data());
  EXPECT_EQ(global.initialized, 1);
  if (is_32bit()) {
    EXPECT_EQ(log().count("AEGP_RegisterWithAEGP"), 1u);
    EXPECT_EQ(global.plugin_id, 1);
  } else {
    EXPECT_EQ(log().count("AEGP_RegisterWithAEGP"), 0u);
    EXPECT_EQ(session_.ledger().count(host::Resource::Suite), 0);
    EXPECT_EQ(log().count("AcquireSuite"), 1u);  // the handle suite only
    EXPECT_EQ(global.plugin_id, 0);
  }
}

// A host failure during global setup: its result, the version word and flags already set, nothing
// stored, and no handle, lock or suite left behind (an unstored handle goes back to the host).
struct GlobalSetupFault {
  const char* name;
  const char* op;
  long nth;
  std::optional<PF_Err> result;  // none: the variant's missing-suite result
};

const GlobalSetupFault kGlobalSetupFaults[] = {
    {"NoHandle", "host_new_handle", 1, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"LockFails", "host_lock_handle", 1, PF_Err_NONE},
    {"RegistrationFails", "AEGP_RegisterWithAEGP", 1, 7},
    {"NoHandleSuite", "AcquireSuite", 1, std::nullopt},
    {"NoUtilitySuite", "AcquireSuite", 2, std::nullopt},
};

TEST_P(Lifecycle, GlobalSetupFailuresLeaveNothingBehind) {
  for (const GlobalSetupFault& c : kGlobalSetupFaults) {
    SCOPED_TRACE(c.name);
    host::Session session;
    host::Effect effect(module_, session);
    session.faults().fail(c.op, c.nth, host::Repeat::Once, c.result.value_or(kSPSuiteNotFoundError));

    const host::CommandResult setup = effect.global_setup();

    EXPECT_EQ(setup.err, c.result.value_or(missing_suite_result()));
    EXPECT_EQ(setup.out.my_version, 525825u);
    EXPECT_EQ(setup.out.out_flags, 0x06000040);
    EXPECT_EQ(effect.global_data(), nullptr);
    EXPECT_THAT(session.ledger().held(), IsEmpty());
    EXPECT_THAT(session.ledger().misuse(), IsEmpty());
  }
}

TEST_P(Lifecycle, SuiteMissingMidHandlerReleasesEarlierSuites) {
  faults().fail("AcquireSuite", 2);  // the utility suite, after the handle suite
  EXPECT_EQ(effect_.global_setup().err, missing_suite_result());
  const std::string handle_suite = is_32bit() ? "\"PF Handle Suite\", 1" : "\"PF Handle Suite\", 2";
  EXPECT_THAT(log().calls_of("ReleaseSuite"), ElementsAre("ReleaseSuite(" + handle_suite + ")"));
  EXPECT_EQ(log().count("host_dispose_handle"), 1u);
  EXPECT_THAT(held(), IsEmpty());
}

TEST_P(Lifecycle, WithoutBasicSuiteGlobalSetupDoesNothing) {
  effect_.settings().basic_suite = false;
  const host::CommandResult setup = effect_.global_setup();
  EXPECT_EQ(setup.err, missing_suite_result());
  EXPECT_EQ(setup.out.my_version, 0u);
  EXPECT_EQ(setup.out.out_flags, 0);
  EXPECT_EQ(setup.out.out_flags2, 0);
  EXPECT_THAT(log().calls(), IsEmpty());
}

TEST_P(Lifecycle, SequenceSetupHandsOverAOneBytePlaceholder) {
  ASSERT_EQ(effect_.sequence_setup().err, PF_Err_NONE);
  ASSERT_NE(effect_.sequence_data(), nullptr);
  EXPECT_EQ(Read<SequenceData>(session_, effect_.sequence_data()).placeholder, 0);
  EXPECT_EQ(held(), kOneHandle);

  EXPECT_EQ(effect_.sequence_setdown().err, PF_Err_NONE);
  EXPECT_THAT(held(), IsEmpty());
}

TEST_P(Lifecycle, ResetupDisposesOfTheStateRecordAndReturnsAFreshPlaceholder) {
  const PF_Handle state = session_.handles().create(sizeof(PF_State));
  effect_.set_sequence_data(state);

  ASSERT_EQ(effect_.sequence_resetup().err, PF_Err_NONE);

  EXPECT_FALSE(session_.handles().contains(state));
  ASSERT_NE(effect_.sequence_data(), nullptr);
  EXPECT_EQ(Read<SequenceData>(session_, effect_.sequence_data()).placeholder, 0);
  EXPECT_EQ(held(), kOneHandle);
}

TEST_P(Lifecycle, SequenceSetupFailures) {
  struct Case {
    const char* op;
    PF_Err result;
  };
  for (const Case c :
       {Case{"host_new_handle", PF_Err_OUT_OF_MEMORY}, Case{"host_lock_handle", PF_Err_NONE}}) {
    SCOPED_TRACE(c.op);
    host::Session session;
    host::Effect effect(module_, session);
    const PF_Handle old = session.handles().create(1);
    effect.set_sequence_data(old);
    session.faults().fail(c.op, 1);

    EXPECT_EQ(effect.sequence_resetup().err, c.result);

    EXPECT_FALSE(session.handles().contains(old));  // disposed of before the new one is made
    EXPECT_EQ(effect.sequence_data(), nullptr);
    EXPECT_THAT(session.ledger().held(), IsEmpty());
    EXPECT_THAT(session.ledger().misuse(), IsEmpty());
  }
}

TEST_P(Lifecycle, SequenceSetdownWithoutDataAcquiresNothing) {
  EXPECT_EQ(effect_.sequence_setdown().err, PF_Err_NONE);
  EXPECT_THAT(log().calls(), IsEmpty());
}
