#include "param_ids.h"
#include "params.h"

namespace {

// One parameter as the user sees it. Numbers are in the parameter's own units (percent for the
// fixed slider); `text` is the popup's choices or the checkbox's label.
struct ParamSpec {
  ParamIndex index;
  PF_ParamType type;
  const char* name;
  double valid_min, valid_max, slider_min, slider_max, dephault;
  const char* text;
};

constexpr ParamSpec kParamSpecs[] = {
    {kParamTime, PF_Param_FLOAT_SLIDER, "Time", -100000, 100000, 0, 10, 0, nullptr},
    {kParamMissingTile, PF_Param_FIX_SLIDER, "Missing Tile", 0, 100, 0, 100, 100, nullptr},
    {kParamMissingTileLayer, PF_Param_LAYER, "Missing Tile Layer", 0, 0, 0, 0, PF_LayerDefault_NONE, nullptr},
    {kParamPosition, PF_Param_POPUP, "Position", 1, 2, 1, 2, kPositionInFront, "In front|Behind"},
    {kParamFit, PF_Param_CHECKBOX, "Fit", 0, 1, 0, 1, 0, ""},
    {kParamRow, PF_Param_SLIDER, "Row", 2, 5000, 2, 20, 3, nullptr},
    {kParamColumn, PF_Param_SLIDER, "Column", 2, 5000, 2, 20, 4, nullptr},
    {kParamReturn, PF_Param_CHECKBOX, "Return", 0, 1, 0, 1, 0, ""},
    {kParamSeed, PF_Param_SLIDER, "Seed", 0, 10000, 0, 100, 0, nullptr},
};
static_assert(sizeof(kParamSpecs) / sizeof(kParamSpecs[0]) == kParamCount - 1);

constexpr PF_Fixed ToFixed(double value) {
  return static_cast<PF_Fixed>(value * PF_Fixed_ONE);
}

// Fills the type's member of the definition's union; everything else stays zero.
void FillTypeSettings(const ParamSpec& spec, PF_ParamDef& def) {
  switch (spec.type) {
    case PF_Param_FLOAT_SLIDER: {
      PF_FloatSliderDef& fs = def.u.fs_d;
      fs.valid_min = static_cast<PF_FpShort>(spec.valid_min);
      fs.valid_max = static_cast<PF_FpShort>(spec.valid_max);
      fs.slider_min = static_cast<PF_FpShort>(spec.slider_min);
      fs.slider_max = static_cast<PF_FpShort>(spec.slider_max);
      fs.dephault = static_cast<PF_FpShort>(spec.dephault);
      fs.value = spec.dephault;
      fs.precision = PF_Precision_HUNDREDTHS;
      fs.display_flags = PF_ValueDisplayFlag_NONE;
      fs.fs_flags = PF_FSliderFlag_NONE;
      fs.curve_tolerance = 0.05f;
      break;
    }
    case PF_Param_FIX_SLIDER: {
      PF_FixedSliderDef& fd = def.u.fd;
      fd.valid_min = ToFixed(spec.valid_min);
      fd.valid_max = ToFixed(spec.valid_max);
      fd.slider_min = ToFixed(spec.slider_min);
      fd.slider_max = ToFixed(spec.slider_max);
      fd.dephault = ToFixed(spec.dephault);
      fd.value = fd.dephault;
      fd.precision = PF_Precision_TENTHS;
      fd.display_flags = PF_ValueDisplayFlag_PERCENT;
      break;
    }
    case PF_Param_SLIDER: {
      PF_SliderDef& sd = def.u.sd;
      sd.valid_min = static_cast<A_long>(spec.valid_min);
      sd.valid_max = static_cast<A_long>(spec.valid_max);
      sd.slider_min = static_cast<A_long>(spec.slider_min);
      sd.slider_max = static_cast<A_long>(spec.slider_max);
      sd.dephault = static_cast<A_long>(spec.dephault);
      sd.value = sd.dephault;
      break;
    }
    case PF_Param_POPUP:
      def.u.pd.num_choices = static_cast<A_short>(spec.valid_max);
      def.u.pd.dephault = static_cast<A_short>(spec.dephault);
      def.u.pd.value = static_cast<A_long>(spec.dephault);
      def.u.pd.namesptr = spec.text;
      break;
    case PF_Param_CHECKBOX:
      def.u.bd.value = static_cast<A_long>(spec.dephault);
      def.u.bd.dephault = static_cast<PF_Boolean>(spec.dephault);
      def.u.bd.nameptr = spec.text;
      break;
    case PF_Param_LAYER:
      def.u.ld.dephault = static_cast<A_long>(spec.dephault);
      break;
    default:
      break;
  }
}

}  // namespace

PF_Err ParamsSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* /*params*/[],
                   PF_LayerDef* /*output*/) {
  for (const ParamSpec& spec : kParamSpecs) {
    PF_ParamDef def;
    __builtin_memset(&def, 0, sizeof(def));
    def.param_type = spec.type;
    in_data->utils->ansi.strcpy(def.name, spec.name);
    FillTypeSettings(spec, def);
    def.uu.id = spec.index;
    const PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &def);
    if (err != PF_Err_NONE) return err;
  }
  out_data->num_params = kParamCount;
  return PF_Err_NONE;
}
