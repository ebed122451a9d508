// checkout_param and checkin_param on the plug-in's declared parameters.
#include "params/param_ids.h"
#include "plugin_under_test.h"

using testing::IsEmpty;

namespace {
constexpr PF_Fixed Fixed(double v) {
  return static_cast<PF_Fixed>(v * 65536);
}
}  // namespace

class ParamCheckout : public PluginTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(effect_.params_setup().err, PF_Err_NONE);
    in_data_ = effect_.make_in_data();
  }
  // Checks a parameter out at `time` / `scale` seconds and in again; returns the definition.
  PF_ParamDef CheckOutAndIn(PF_ParamIndex index, A_long time = 0, A_u_long scale = 30) {
    host::CallScope scope(session_, &effect_);
    PF_ParamDef def{};
    EXPECT_EQ(in_data_.inter.checkout_param(in_data_.effect_ref, index, time, 1, scale, &def), PF_Err_NONE);
    EXPECT_EQ(held(), std::vector<std::string>{"parameter checkout param " + std::to_string(index) + ": 1"});
    EXPECT_EQ(in_data_.inter.checkin_param(in_data_.effect_ref, &def), PF_Err_NONE);
    return def;
  }

  PF_InData in_data_{};
};
ZELKRA_FOR_BOTH_VARIANTS(ParamCheckout);

TEST_P(ParamCheckout, AFreshInstanceYieldsTheDefaults) {
  EXPECT_EQ(CheckOutAndIn(kParamTime).u.fs_d.value, 0.0);
  EXPECT_EQ(CheckOutAndIn(kParamMissingTile).u.fd.value, 6553600);
  EXPECT_EQ(CheckOutAndIn(kParamMissingTileLayer).u.ld.data, nullptr);
  EXPECT_EQ(CheckOutAndIn(kParamPosition).u.pd.value, 1);
  EXPECT_EQ(CheckOutAndIn(kParamFit).u.bd.value, 0);
  EXPECT_EQ(CheckOutAndIn(kParamRow).u.sd.value, 3);
  EXPECT_EQ(CheckOutAndIn(kParamColumn).u.sd.value, 4);
  EXPECT_EQ(CheckOutAndIn(kParamReturn).u.bd.value, 0);
  EXPECT_EQ(CheckOutAndIn(kParamSeed).u.sd.value, 0);
  EXPECT_THAT(held(), IsEmpty());
}

TEST_P(ParamCheckout, KeyframedValuesFollowTheRequestedTime) {
  effect_.params().set_keyframes(kParamTime, {{1.0, 2.0}, {3.0, 6.0}});
  effect_.params().set_keyframes(kParamMissingTile, {{0.0, 0.0}, {2.0, 50.0}});
  effect_.params().set_keyframes(kParamPosition, {{0.0, 1.0}, {2.0, 2.0}});

  EXPECT_EQ(CheckOutAndIn(kParamTime, 60, 30).u.fs_d.value, 4.0);   // 2 s: halfway
  EXPECT_EQ(CheckOutAndIn(kParamTime, 0, 30).u.fs_d.value, 2.0);    // before the first key
  EXPECT_EQ(CheckOutAndIn(kParamTime, 450, 30).u.fs_d.value, 6.0);  // after the last key
  EXPECT_EQ(CheckOutAndIn(kParamMissingTile, 30, 30).u.fd.value, Fixed(25));
  EXPECT_EQ(CheckOutAndIn(kParamPosition, 59, 30).u.pd.value, 1);  // popups hold until the next key
  EXPECT_EQ(CheckOutAndIn(kParamTime, 3, 2).u.fs_d.value, 3.0);    // 1.5 s in another time scale
}

TEST_P(ParamCheckout, WrongCheckoutsAreRefused) {
  host::CallScope scope(session_, &effect_);
  PF_ParamDef def{};
  EXPECT_EQ(in_data_.inter.checkout_param(in_data_.effect_ref, 10, 0, 1, 30, &def), PF_Err_INVALID_INDEX);
  EXPECT_EQ(in_data_.inter.checkout_param(in_data_.effect_ref, 1, 0, 1, 0, &def), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(in_data_.inter.checkin_param(in_data_.effect_ref, &def), PF_Err_BAD_CALLBACK_PARAM);
  provoked_misuse_ = 1;  // the checkin of a definition never checked out
  EXPECT_THAT(held(), IsEmpty());
}
