// The parameter set as the host receives it.
#include "params/param_ids.h"
#include "plugin_under_test.h"

using testing::IsEmpty;

namespace {

// What each declared parameter must look like. Numbers in the parameter's own units.
struct Expected {
  PF_ParamIndex index;
  const char* name;
  PF_ParamType type;
  double valid_min, valid_max, slider_min, slider_max, dephault;
};

const Expected kExpected[] = {
    {kParamTime, "Time", PF_Param_FLOAT_SLIDER, -100000, 100000, 0, 10, 0},
    {kParamMissingTile, "Missing Tile", PF_Param_FIX_SLIDER, 0, 100, 0, 100, 100},
    {kParamMissingTileLayer, "Missing Tile Layer", PF_Param_LAYER, 0, 0, 0, 0, 0},
    {kParamPosition, "Position", PF_Param_POPUP, 0, 0, 0, 0, 1},
    {kParamFit, "Fit", PF_Param_CHECKBOX, 0, 0, 0, 0, 0},
    {kParamRow, "Row", PF_Param_SLIDER, 2, 5000, 2, 20, 3},
    {kParamColumn, "Column", PF_Param_SLIDER, 2, 5000, 2, 20, 4},
    {kParamReturn, "Return", PF_Param_CHECKBOX, 0, 0, 0, 0, 0},
    {kParamSeed, "Seed", PF_Param_SLIDER, 0, 10000, 0, 100, 0},
};

constexpr PF_Fixed Fixed(double v) {
  return static_cast<PF_Fixed>(v * 65536);
}

// The ranges and default of a slider of any kind, converted to the slider's number type by `to`.
template <typename Slider, typename Number>
void ExpectSliderRanges(const Expected& e, const Slider& slider, Number (*to)(double)) {
  EXPECT_EQ(slider.valid_min, to(e.valid_min));
  EXPECT_EQ(slider.valid_max, to(e.valid_max));
  EXPECT_EQ(slider.slider_min, to(e.slider_min));
  EXPECT_EQ(slider.slider_max, to(e.slider_max));
  EXPECT_EQ(slider.dephault, to(e.dephault));
}

constexpr A_long Long(double v) {
  return static_cast<A_long>(v);
}
constexpr PF_FpShort Float(double v) {
  return static_cast<PF_FpShort>(v);
}

void ExpectRanges(const Expected& e, const PF_ParamDef& def) {
  const PF_ParamDefUnion& u = def.u;
  switch (e.type) {
    case PF_Param_FLOAT_SLIDER:
      ExpectSliderRanges(e, u.fs_d, Float);
      EXPECT_EQ(u.fs_d.value, e.dephault);
      EXPECT_EQ(u.fs_d.precision, 2);
      EXPECT_EQ(u.fs_d.display_flags, 0);
      EXPECT_EQ(u.fs_d.fs_flags, 0);
      EXPECT_EQ(u.fs_d.curve_tolerance, 0.05f);
      break;
    case PF_Param_FIX_SLIDER:
      ExpectSliderRanges(e, u.fd, Fixed);
      EXPECT_EQ(u.fd.dephault, 0x640000);
      EXPECT_EQ(u.fd.value, 0x640000);
      EXPECT_EQ(u.fd.precision, 1);
      EXPECT_EQ(u.fd.display_flags, PF_ValueDisplayFlag_PERCENT);
      EXPECT_STREQ(u.fd.value_str, "");
      break;
    case PF_Param_SLIDER:
      ExpectSliderRanges(e, u.sd, Long);
      EXPECT_EQ(u.sd.value, e.dephault);
      break;
    case PF_Param_POPUP:
      EXPECT_EQ(u.pd.num_choices, 2);
      EXPECT_EQ(u.pd.dephault, 1);
      EXPECT_EQ(u.pd.value, 1);
      EXPECT_STREQ(u.pd.namesptr, "In front|Behind");
      break;
    case PF_Param_CHECKBOX:
      EXPECT_EQ(u.bd.value, 0);
      EXPECT_EQ(u.bd.dephault, 0);
      EXPECT_STREQ(u.bd.nameptr, "");
      break;
    case PF_Param_LAYER:
      EXPECT_EQ(u.ld.dephault, PF_LayerDefault_NONE);
      EXPECT_EQ(u.ld.data, nullptr);
      break;
    default:
      ADD_FAILURE() << "unexpected type " << e.type;
  }
}

}  // namespace

class ParamsSetup : public PluginTest {};
ZELKRA_FOR_BOTH_VARIANTS(ParamsSetup);

TEST_P(ParamsSetup, DeclaresTheNineParametersInOrder) {
  const host::CommandResult setup = effect_.params_setup();

  ASSERT_EQ(setup.err, PF_Err_NONE);
  EXPECT_EQ(setup.out.num_params, 10);
  ASSERT_EQ(effect_.params().size(), 10u);
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    const host::Parameter param = effect_.params().at(e.index);
    const PF_ParamDef& def = param.def;
    EXPECT_EQ(def.uu.id, e.index);
    EXPECT_EQ(param.name(), e.name);
    EXPECT_EQ(def.param_type, e.type);
    EXPECT_EQ(def.flags, 0);
    EXPECT_EQ(def.ui_flags, 0);
    EXPECT_EQ(def.ui_width, 0);
    EXPECT_EQ(def.ui_height, 0);
    ExpectRanges(e, def);
  }
  EXPECT_EQ(log().count("add_param"), 9u);
  EXPECT_EQ(log().count("AcquireSuite"), 0u);  // everything comes through in_data
  EXPECT_THAT(held(), IsEmpty());
}

TEST_P(ParamsSetup, AHostThatRefusesTheFourthParameterGetsItsErrorBack) {
  faults().fail("add_param", 4, host::Repeat::Once, PF_Err_OUT_OF_MEMORY);

  const host::CommandResult setup = effect_.params_setup();

  EXPECT_EQ(setup.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(setup.out.num_params, 0);
  EXPECT_EQ(log().count("add_param"), 4u);  // nothing after the refused one
  ASSERT_EQ(effect_.params().size(), 4u);   // input layer, Time, Missing Tile, Missing Tile Layer
  EXPECT_EQ(effect_.params().at(3).name(), "Missing Tile Layer");
  EXPECT_THAT(setup.return_msg(), IsEmpty());
}
