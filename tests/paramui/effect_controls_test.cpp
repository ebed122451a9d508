// The host's side of the parameter UI: effect and stream references, stream flags and the undo
// history, parameter-state records, and handle sizes, called the way a plug-in calls them.
#include <cstring>

#include "host/host_functions.h"
#include "host/suite_registry.h"
#include "plugin_under_test.h"

using testing::ElementsAre;
using testing::IsEmpty;
using testing::SizeIs;

namespace {

constexpr A_Err kRefused = 3;  // A_Err_PARAMETER

PF_ParamDef Slider(const char* name) {
  PF_ParamDef def{};
  def.param_type = PF_Param_SLIDER;
  std::strcpy(def.name, name);
  return def;
}

class EffectControls : public testing::Test {
 protected:
  EffectControls() {
    effect_.params().declare(Slider("A"));  // index 1
    effect_.params().declare(Slider("B"));  // index 2
  }
  void TearDown() override { EXPECT_THAT(session_.ledger().held(), IsEmpty()); }

  template <typename Suite>
  const Suite& Get(const char* name, int32_t version) {
    const void* table = session_.suites().find(name, version);
    EXPECT_NE(table, nullptr) << name;
    return *static_cast<const Suite*>(table);
  }

  host::Session session_;
  host::Effect effect_{nullptr, session_};
  host::CallScope scope_{session_, &effect_};
  const AEGP_PFInterfaceSuite1& pf_interface_ =
      Get<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);
  const AEGP_StreamSuite7& streams_ = Get<AEGP_StreamSuite7>(kAEGPStreamSuite, kAEGPStreamSuiteVersion7);
  const AEGP_DynamicStreamSuite2& dynamic_ =
      Get<AEGP_DynamicStreamSuite2>(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion2);
  const AEGP_EffectSuite2& effects_ = Get<AEGP_EffectSuite2>(kAEGPEffectSuite, kAEGPEffectSuiteVersion2);
  const PF_ParamUtilsSuite1& param_utils_ =
      Get<PF_ParamUtilsSuite1>(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion2);
};

TEST_F(EffectControls, ReferencesAreCountedAndFlagsRecorded) {
  AEGP_EffectRefH effect = nullptr;
  ASSERT_EQ(pf_interface_.AEGP_GetNewEffectForEffect(1, effect_.effect_ref(), &effect), 0);
  AEGP_StreamRefH stream = nullptr;
  ASSERT_EQ(streams_.AEGP_GetNewEffectStreamByIndex(1, effect, 2, &stream), 0);
  EXPECT_THAT(session_.ledger().held(), ElementsAre("effect reference: 1", "stream reference param 2: 1"));

  // An undoable change enters the undo history, one that is not undoable does not.
  EXPECT_EQ(dynamic_.AEGP_SetDynamicStreamFlag(stream, AEGP_DynStreamFlag_HIDDEN, 1, 1), 0);
  EXPECT_TRUE(effect_.param_hidden(2));
  EXPECT_EQ(dynamic_.AEGP_SetDynamicStreamFlag(stream, AEGP_DynStreamFlag_DISABLED, 0, 1), 0);
  EXPECT_EQ(dynamic_.AEGP_SetDynamicStreamFlag(stream, AEGP_DynStreamFlag_HIDDEN, 0, 0), 0);
  EXPECT_FALSE(effect_.param_hidden(2));
  EXPECT_EQ(effect_.controls().flags(2), AEGP_DynStreamFlag_DISABLED);
  EXPECT_FALSE(effect_.param_hidden(1));
  EXPECT_THAT(effect_.controls().undo_history(),
              ElementsAre(host::StreamFlagChange{2, AEGP_DynStreamFlag_HIDDEN, true}));

  EXPECT_EQ(streams_.AEGP_DisposeStream(stream), 0);
  EXPECT_EQ(effects_.AEGP_DisposeEffect(effect), 0);
  EXPECT_THAT(session_.ledger().misuse(), IsEmpty());
}

TEST_F(EffectControls, ReferencesItDoesNotHoldAreRefused) {
  AEGP_EffectRefH effect = nullptr;
  ASSERT_EQ(pf_interface_.AEGP_GetNewEffectForEffect(1, effect_.effect_ref(), &effect), 0);
  AEGP_StreamRefH stream = nullptr;
  ASSERT_EQ(streams_.AEGP_GetNewEffectStreamByIndex(1, effect, 1, &stream), 0);
  const auto made_up_effect = reinterpret_cast<AEGP_EffectRefH>(effect_.effect_ref());
  const auto made_up_stream = reinterpret_cast<AEGP_StreamRefH>(effect);  // an effect is no stream

  // Another effect's reference is refused by this effect.
  host::Effect other(nullptr, session_);
  AEGP_EffectRefH others = nullptr;
  {
    host::CallScope scope(session_, &other);
    ASSERT_EQ(pf_interface_.AEGP_GetNewEffectForEffect(1, other.effect_ref(), &others), 0);
  }

  AEGP_StreamRefH unused = nullptr;
  AEGP_EffectRefH unused_effect = nullptr;
  const A_Err refusals[] = {
      pf_interface_.AEGP_GetNewEffectForEffect(1, other.effect_ref(), &unused_effect),
      streams_.AEGP_GetNewEffectStreamByIndex(1, made_up_effect, 1, &unused),
      streams_.AEGP_GetNewEffectStreamByIndex(1, others, 1, &unused),
      streams_.AEGP_GetNewEffectStreamByIndex(1, effect, 3, &unused),  // no parameter 3
      dynamic_.AEGP_SetDynamicStreamFlag(made_up_stream, AEGP_DynStreamFlag_HIDDEN, 0, 1),
      dynamic_.AEGP_SetDynamicStreamFlag(stream, 4, 0, 1),  // no such flag
      streams_.AEGP_DisposeStream(made_up_stream),
      effects_.AEGP_DisposeEffect(others),
      effects_.AEGP_DisposeEffect(reinterpret_cast<AEGP_EffectRefH>(stream)),
  };
  for (const A_Err err : refusals) EXPECT_EQ(err, kRefused);
  EXPECT_THAT(session_.ledger().misuse(), SizeIs(std::size(refusals)));
  EXPECT_EQ(unused, nullptr);
  EXPECT_EQ(unused_effect, nullptr);

  // Released once; the second release is refused.
  EXPECT_EQ(streams_.AEGP_DisposeStream(stream), 0);
  EXPECT_EQ(streams_.AEGP_DisposeStream(stream), kRefused);
  EXPECT_EQ(dynamic_.AEGP_SetDynamicStreamFlag(stream, AEGP_DynStreamFlag_HIDDEN, 0, 1), kRefused);
  EXPECT_EQ(effects_.AEGP_DisposeEffect(effect), 0);
  EXPECT_EQ(effects_.AEGP_DisposeEffect(effect), kRefused);
  EXPECT_EQ(streams_.AEGP_GetNewEffectStreamByIndex(1, effect, 1, &unused), kRefused);

  host::CallScope scope(session_, &other);
  EXPECT_EQ(effects_.AEGP_DisposeEffect(others), 0);
}

TEST_F(EffectControls, TheStateRecordChangesWithValuesKeyframesAndLayers) {
  PF_ProgPtr ref = effect_.effect_ref();
  PF_State state{};
  ASSERT_EQ(param_utils_.PF_GetCurrentState(ref, &state), PF_Err_NONE);
  // The answers to one query per index: all, all but layers, all honouring exclusions, 0, 1, 2.
  const auto changes = [&](const PF_State& since) {
    std::vector<int> answers;
    for (PF_ParamIndex index : {-1, -2, -3, 0, 1, 2}) {
      PF_Boolean changed = 9;
      EXPECT_EQ(param_utils_.PF_HasParamChanged(ref, &since, index, &changed), PF_Err_NONE);
      answers.push_back(changed);
    }
    return answers;
  };
  EXPECT_THAT(changes(state), ElementsAre(0, 0, 0, 0, 0, 0));

  effect_.params().set_value(1, 0);  // the value it has
  EXPECT_THAT(changes(state), ElementsAre(0, 0, 0, 0, 0, 0));
  effect_.params().set_value(1, 5);
  EXPECT_THAT(changes(state), ElementsAre(1, 1, 1, 0, 1, 0));

  ASSERT_EQ(param_utils_.PF_GetCurrentState(ref, &state), PF_Err_NONE);
  effect_.params().touch(0);  // another input layer
  EXPECT_THAT(changes(state), ElementsAre(1, 0, 1, 1, 0, 0));

  ASSERT_EQ(param_utils_.PF_GetCurrentState(ref, &state), PF_Err_NONE);
  effect_.params().set_keyframes(2, {{0, 1}, {1, 2}});
  EXPECT_THAT(changes(state), ElementsAre(1, 1, 1, 0, 0, 1));
  ASSERT_EQ(param_utils_.PF_GetCurrentState(ref, &state), PF_Err_NONE);
  effect_.params().set_keyframes(2, {{1, 2}, {0, 1}});  // the same keys
  EXPECT_THAT(changes(state), ElementsAre(0, 0, 0, 0, 0, 0));

  // A record that is not this effect's counts as changed.
  host::Effect other(nullptr, session_);
  PF_State others{};
  {
    host::CallScope scope(session_, &other);
    ASSERT_EQ(param_utils_.PF_GetCurrentState(other.effect_ref(), &others), PF_Err_NONE);
  }
  EXPECT_THAT(changes(others), ElementsAre(1, 1, 1, 1, 1, 1));
  EXPECT_THAT(changes(PF_State{}), ElementsAre(1, 1, 1, 1, 1, 1));

  PF_Boolean changed = 0;
  EXPECT_EQ(param_utils_.PF_HasParamChanged(ref, &state, 3, &changed), PF_Err_INVALID_INDEX);
  EXPECT_EQ(param_utils_.PF_HasParamChanged(ref, &state, -4, &changed), PF_Err_INVALID_INDEX);
  EXPECT_EQ(param_utils_.PF_HasParamChanged(ref, nullptr, -3, &changed), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(param_utils_.PF_GetCurrentState(ref, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_THAT(session_.ledger().misuse(), SizeIs(2));
}

TEST_F(EffectControls, HandleSuiteTellsAHandlesSize) {
  const auto& handles = Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
  for (A_HandleSize size : {0u, 1u, 16u}) {
    PF_Handle handle = handles.host_new_handle(size);
    EXPECT_EQ(handles.host_get_handle_size(handle), size);
    handles.host_dispose_handle(handle);
    EXPECT_EQ(handles.host_get_handle_size(handle), 0u);  // no longer a handle
  }
  EXPECT_THAT(session_.ledger().misuse(), SizeIs(3));
}

}  // namespace
