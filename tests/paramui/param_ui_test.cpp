// Parameter UI and change tracking: "Position" and "Fit" follow the Missing Tile Layer, the
// sequence data follows the host's parameter state, and every way out refreshes the controls and
// leaves no reference held.
#include <cstring>
#include <functional>
#include <optional>

#include "entry/plugin_data.h"
#include "params/param_ids.h"
#include "plugin_under_test.h"

using testing::Each;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::vector<std::string> kDataHandles = {"handle: 2"};  // global data and sequence data
constexpr PF_OutFlags kErrorFlags = PF_OutFlag_DISPLAY_ERROR_MESSAGE | PF_OutFlag_REFRESH_UI;
constexpr PF_Err kHostError = 7;  // what an injected failure returns

// A layer for the Missing Tile Layer that delivers pixels up to `until` seconds.
host::LayerSource MissingTileLayer(double until) {
  static PF_Pixel pixels[4] = {};
  return [until](PF_ParamIndex index, double seconds, PF_LayerDef& layer) {
    if (index != kParamMissingTileLayer || seconds > until) return;
    layer.data = pixels;
    layer.width = 2;
    layer.height = 2;
    layer.rowbytes = 2 * sizeof(PF_Pixel);
  };
}

// Global, parameter and sequence setup; the sequence setup is followed by the first UI update.
void SetUpEffect(host::Effect& effect) {
  ASSERT_EQ(effect.global_setup().err, PF_Err_NONE);
  ASSERT_EQ(effect.params_setup().err, PF_Err_NONE);
  ASSERT_EQ(effect.sequence_setup().err, PF_Err_NONE);
}

PF_State StateIn(PF_Handle handle) {
  return *static_cast<const PF_State*>(*handle);
}

}  // namespace

class ParamUi : public PluginTest {
 protected:
  void SetUp() override { SetUpEffect(effect_); }

  host::CommandResult Update() {
    std::optional<host::CommandResult> result = effect_.update_params_ui();
    EXPECT_TRUE(result.has_value());
    return result.value_or(host::CommandResult{});
  }
  // Both parameters share one visibility; returns it.
  bool PositionAndFitHidden() {
    EXPECT_EQ(effect_.param_hidden(kParamPosition), effect_.param_hidden(kParamFit));
    return effect_.param_hidden(kParamPosition);
  }
  std::string ParamUtilsVersion() const { return is_32bit() ? "1" : "2"; }
};
ZELKRA_FOR_BOTH_VARIANTS(ParamUi);

TEST_P(ParamUi, PositionAndFitAreShownOnlyWhileTheLayerDeliversPixels) {
  // After sequence setup, with no layer chosen.
  ASSERT_TRUE(effect_.last_params_ui_update().has_value());
  EXPECT_EQ(effect_.last_params_ui_update()->err, PF_Err_NONE);
  EXPECT_TRUE(PositionAndFitHidden());

  effect_.set_layer_source(MissingTileLayer(/*until=*/1.0));
  const host::CommandResult changed = effect_.user_changed_param(kParamMissingTileLayer);
  EXPECT_EQ(changed.err, PF_Err_NONE);
  EXPECT_EQ(effect_.last_params_ui_update()->err, PF_Err_NONE);
  EXPECT_FALSE(PositionAndFitHidden());

  // The layer is still chosen, but delivers no pixels at 2 s.
  effect_.settings().current_time = 2 * 30;
  EXPECT_EQ(Update().err, PF_Err_NONE);
  EXPECT_TRUE(PositionAndFitHidden());

  effect_.settings().current_time = 0;
  EXPECT_EQ(Update().err, PF_Err_NONE);
  EXPECT_FALSE(PositionAndFitHidden());

  effect_.set_layer_source(nullptr);
  EXPECT_EQ(effect_.user_changed_param(kParamMissingTileLayer).err, PF_Err_NONE);
  EXPECT_TRUE(PositionAndFitHidden());

  // No flag change ever entered the undo history, and only the hidden flag of the two streams was set.
  EXPECT_THAT(effect_.controls().undo_history(), IsEmpty());
  for (const std::string& call : log().calls_of("AEGP_SetDynamicStreamFlag"))
    EXPECT_THAT(call, testing::MatchesRegex(".*, 2, 0, [01]\\)")) << call;
  EXPECT_THAT(log().calls_of("AEGP_GetNewEffectStreamByIndex"),
              Each(testing::MatchesRegex("AEGP_GetNewEffectStreamByIndex\\(1, .*, [45]\\)")));
  EXPECT_THAT(log().calls_of("AEGP_GetNewEffectForEffect"),
              Each(testing::StartsWith("AEGP_GetNewEffectForEffect(1, ")));
  EXPECT_EQ(held(), kDataHandles);
}

TEST_P(ParamUi, TheSequenceDataIsReplacedOnlyWhenAParameterChanged) {
  // The first update after sequence setup stores a state record in place of the placeholder,
  // without handing the one-byte placeholder to the host for comparison.
  EXPECT_EQ(log().count("PF_HasParamChanged"), 0u);
  PF_Handle state = effect_.sequence_data();
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(session_.handles().size(state), sizeof(PF_State));
  EXPECT_EQ(effect_.last_params_ui_update()->out.sequence_data, state);
  EXPECT_EQ(log().count("host_dispose_handle"), 1u);  // the placeholder
  EXPECT_EQ(held(), kDataHandles);

  // Nothing changed: the same handle with the same contents, and nothing written to out_data.
  const PF_State before = StateIn(state);
  const host::CommandResult unchanged = Update();
  EXPECT_EQ(unchanged.err, PF_Err_NONE);
  EXPECT_EQ(unchanged.out.sequence_data, nullptr);
  EXPECT_EQ(effect_.sequence_data(), state);
  EXPECT_EQ(std::memcmp(&before, *state, sizeof(PF_State)), 0);
  EXPECT_THAT(log().calls_of("PF_HasParamChanged"), ElementsAre(testing::EndsWith(", -3)")));

  // Setting the value a parameter already has is no change either.
  EXPECT_EQ(effect_.user_changes_param(kParamSeed, 0).err, PF_Err_NONE);
  EXPECT_EQ(effect_.sequence_data(), state);

  // Each kind of change gives a new 16-byte record holding the host's current state, handed over
  // by the command that saw the change; the old record is disposed of.
  struct Change {
    const char* what;
    std::function<host::CommandResult()> make;
  };
  const Change changes[] = {
      {"a value set by the user", [&] { return effect_.user_changes_param(kParamSeed, 7); }},
      {"keyframes",
       [&] {
         effect_.params().set_keyframes(kParamTime, {{0, 0}, {1, 5}});
         return Update();
       }},
      {"another layer", [&] { return effect_.user_changed_param(kParamMissingTileLayer); }},
  };
  PF_State previous = before;
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    const host::CommandResult result = change.make();
    EXPECT_EQ(result.err, PF_Err_NONE);
    EXPECT_NE(effect_.sequence_data(), state);
    EXPECT_EQ(result.out.sequence_data, effect_.sequence_data());
    EXPECT_FALSE(session_.handles().contains(state));
    state = effect_.sequence_data();
    EXPECT_EQ(session_.handles().size(state), sizeof(PF_State));
    EXPECT_NE(std::memcmp(&previous, *state, sizeof(PF_State)), 0);
    previous = StateIn(state);
    EXPECT_EQ(held(), kDataHandles);
  }
  EXPECT_THAT(log().calls_of("AcquireSuite"),
              testing::Contains("AcquireSuite(\"PF Param Utils Suite\", " + ParamUtilsVersion() + ")"));
}

TEST_P(ParamUi, EveryCallRefreshesTheControlsAndReleasesWhatItObtained) {
  const host::CommandResult changed = effect_.user_changes_param(kParamRow, 5);
  EXPECT_EQ(changed.err, PF_Err_NONE);
  EXPECT_EQ(changed.out.out_flags, PF_OutFlag_REFRESH_UI);
  EXPECT_EQ(effect_.last_params_ui_update()->out.out_flags, PF_OutFlag_REFRESH_UI);
  EXPECT_THAT(changed.return_msg(), IsEmpty());
  // One effect and two streams obtained and released per call: sequence setup's update and the two here.
  EXPECT_EQ(log().count("AEGP_GetNewEffectForEffect"), 3u);
  EXPECT_EQ(log().count("AEGP_DisposeEffect"), 3u);
  EXPECT_EQ(log().count("AEGP_GetNewEffectStreamByIndex"), 6u);
  EXPECT_EQ(log().count("AEGP_DisposeStream"), 6u);
  EXPECT_EQ(held(), kDataHandles);
}

TEST_P(ParamUi, AFailedStateQueryShowsErrorAndKeepsTheSequenceData) {
  for (const char* op : {"PF_HasParamChanged", "PF_GetCurrentState"}) {
    SCOPED_TRACE(op);
    effect_.params().touch(kParamSeed);  // so that a new state is asked for
    const PF_Handle state = effect_.sequence_data();
    faults().fail(op, faults().calls(op) + 1, host::Repeat::Once, kHostError);
    PF_OutData out{};
    out.out_flags = PF_OutFlag_USE_OUTPUT_EXTENT;  // whatever the host passed is replaced

    const host::CommandResult update = effect_.run(PF_Cmd_UPDATE_PARAMS_UI, {.out = out});

    EXPECT_EQ(update.err, kHostError);
    EXPECT_EQ(update.return_msg(), "ERROR");
    EXPECT_EQ(update.out.out_flags, kErrorFlags);
    EXPECT_EQ(update.out.sequence_data, nullptr);
    EXPECT_EQ(effect_.sequence_data(), state);
    EXPECT_EQ(held(), kDataHandles);  // a new state handle the host could not fill is given back
  }
  // The next call succeeds and stores the state.
  const host::CommandResult update = Update();
  EXPECT_EQ(update.err, PF_Err_NONE);
  EXPECT_NE(update.out.sequence_data, nullptr);
}

TEST_P(ParamUi, NoMemoryForTheStateRecordIsNoError) {
  effect_.params().touch(kParamSeed);
  const PF_Handle state = effect_.sequence_data();
  faults().fail("host_new_handle", faults().calls("host_new_handle") + 1);

  const host::CommandResult update = Update();

  EXPECT_EQ(update.err, PF_Err_NONE);
  EXPECT_EQ(update.out.out_flags, PF_OutFlag_REFRESH_UI);
  EXPECT_THAT(update.return_msg(), IsEmpty());
  EXPECT_EQ(effect_.sequence_data(), state);
  EXPECT_EQ(log().count("PF_GetCurrentState"), 1u);  // at sequence setup only
  EXPECT_EQ(held(), kDataHandles);
  EXPECT_NE(Update().out.sequence_data, nullptr);  // the next call tries again
}

// A host failure before change tracking: its error comes back with the refresh and no message,
// tracking is skipped, and whatever the handler obtained is released.
TEST_P(ParamUi, AHostFailureBeforeTrackingEndsTheCallCleanly) {
  struct Case {
    const char* op;
    long nth;
    long effects_released, streams_released;
    std::vector<std::string> held;  // besides the data handles: what the failing host kept
  };
  const Case cases[] = {
      {"AEGP_GetNewEffectForEffect", 1, 0, 0, {}},
      {"AEGP_GetNewEffectStreamByIndex", 1, 1, 0, {}},
      {"AEGP_GetNewEffectStreamByIndex", 2, 1, 1, {}},
      {"checkout_param", 1, 1, 2, {}},
      {"checkin_param", 1, 1, 2, {"parameter checkout param 3: 1"}},
      {"AEGP_SetDynamicStreamFlag", 1, 1, 2, {}},
      {"AEGP_SetDynamicStreamFlag", 2, 1, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " #" + std::to_string(c.nth));
    host::Session session;
    host::Effect effect(module_, session);
    SetUpEffect(effect);
    effect.params().touch(kParamSeed);
    const PF_Handle state = effect.sequence_data();
    session.log().clear();
    session.faults().clear();
    session.faults().fail(c.op, c.nth, host::Repeat::Once, kHostError);

    const std::optional<host::CommandResult> update = effect.update_params_ui();

    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->err, kHostError);
    EXPECT_EQ(update->out.out_flags, PF_OutFlag_REFRESH_UI);
    EXPECT_THAT(update->return_msg(), IsEmpty());
    EXPECT_EQ(session.log().count("PF_HasParamChanged") + session.log().count("host_new_handle"), 0u);
    EXPECT_EQ(effect.sequence_data(), state);
    EXPECT_EQ(session.log().count("AEGP_DisposeEffect"), static_cast<std::size_t>(c.effects_released));
    EXPECT_EQ(session.log().count("AEGP_DisposeStream"), static_cast<std::size_t>(c.streams_released));
    std::vector<std::string> held = kDataHandles;
    held.insert(held.end(), c.held.begin(), c.held.end());
    EXPECT_EQ(session.ledger().held(), held);
    EXPECT_THAT(session.ledger().misuse(), IsEmpty());
  }
}

TEST_P(ParamUi, AFailedReleaseIsTheResultAndTheOtherReferencesAreStillReleased) {
  faults().fail("AEGP_DisposeEffect", faults().calls("AEGP_DisposeEffect") + 1, host::Repeat::Once,
                kHostError);

  const host::CommandResult update = Update();

  EXPECT_EQ(update.err, kHostError);
  EXPECT_EQ(update.out.out_flags, PF_OutFlag_REFRESH_UI);
  EXPECT_EQ(session_.ledger().count(host::Resource::StreamRef), 0);
  EXPECT_EQ(session_.ledger().count(host::Resource::EffectRef), 1);  // the host refused to take it back
}

// A suite the host lacks ends the command with the missing-suite result; references obtained before
// it are released while the handler unwinds.
TEST_P(ParamUi, AMissingSuiteLeavesNoReferenceHeld) {
  const int32_t param_utils = is_32bit() ? kPFParamUtilsSuiteVersion1 : kPFParamUtilsSuiteVersion2;
  const std::pair<const char*, int32_t> suites[] = {
      {kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1},
      {kAEGPEffectSuite, kAEGPEffectSuiteVersion2},
      {kAEGPStreamSuite, kAEGPStreamSuiteVersion7},
      {kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion2},
      {kPFParamUtilsSuite, param_utils},
  };
  for (const auto& [name, version] : suites) {
    SCOPED_TRACE(name);
    host::Session session;
    host::Effect effect(module_, session);
    SetUpEffect(effect);
    session.suites().remove(name, version);

    const std::optional<host::CommandResult> update = effect.update_params_ui();

    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->err, missing_suite_result());
    EXPECT_EQ(session.ledger().held(), kDataHandles);
    EXPECT_THAT(session.ledger().misuse(), IsEmpty());
  }
}

TEST_P(ParamUi, WithoutGlobalDataTheEffectWorksUnderPluginIdZero) {
  host::Session session;
  host::Effect effect(module_, session);
  session.faults().fail("host_lock_handle", 1);  // global setup stores no global data
  SetUpEffect(effect);
  ASSERT_EQ(effect.global_data(), nullptr);
  ASSERT_TRUE(effect.last_params_ui_update().has_value());

  EXPECT_EQ(effect.last_params_ui_update()->err, PF_Err_NONE);
  EXPECT_TRUE(effect.param_hidden(kParamPosition));
  EXPECT_THAT(session.log().calls_of("AEGP_GetNewEffectForEffect"),
              ElementsAre(testing::StartsWith("AEGP_GetNewEffectForEffect(0, ")));
  EXPECT_THAT(session.ledger().held(), ElementsAre("handle: 1"));  // the sequence data
}
