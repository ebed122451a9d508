#include "param_ids.h"
#include "params.h"

namespace {

// One parameter as the user sees it. Numbers are in the parameter's own units (percent for the
// fixed slider; for the popup the choices run from valid_min to valid_max); `text` is the popup's
// choices or the checkbox's label.
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
constexpr A_long ToLong(double value) {
  return static_cast<A_long>(value);
}
constexpr PF_FpShort ToFloat(double value) {
  return static_cast<PF_FpShort>(value);
}

// The ranges and default shared by the three slider kinds, each in its own number type.
template <typename Slider, typename Number>
void SetSliderRanges(const ParamSpec& spec, Slider& slider, Number (*to)(double)) {
  slider.valid_min = to(spec.valid_min);
  slider.valid_max = to(spec.valid_max);
  slider.slider_min = to(spec.slider_min);
  slider.slider_max = to(spec.slider_max);
  slider.dephault = to(spec.dephault);
}

// Fills the type's member of the definition's union; everything else stays zero.
void FillTypeSettings(const ParamSpec& spec, PF_ParamDef& def) {
  switch (spec.type) {
    case PF_Param_FLOAT_SLIDER: {
      PF_FloatSliderDef& fs = def.u.fs_d;
      SetSliderRanges(spec, fs, ToFloat);
      fs.value = spec.dephault;
      fs.precision = PF_Precision_HUNDREDTHS;
      fs.display_flags = PF_ValueDisplayFlag_NONE;
      fs.fs_flags = PF_FSliderFlag_NONE;
      fs.curve_tolerance = 0.05f;
      break;
    }
    case PF_Param_FIX_SLIDER: {
      PF_FixedSliderDef& fd = def.u.fd;
      SetSliderRanges(spec, fd, ToFixed);
      fd.value = fd.dephault;
      fd.precision = PF_Precision_TENTHS;
      fd.display_flags = PF_ValueDisplayFlag_PERCENT;
      break;
    }
    case PF_Param_SLIDER:
      SetSliderRanges(spec, def.u.sd, ToLong);
      def.u.sd.value = def.u.sd.dephault;
      break;
    case PF_Param_POPUP:
      def.u.pd.num_choices = static_cast<A_short>(spec.valid_max);
      def.u.pd.dephault = static_cast<A_short>(spec.dephault);
      def.u.pd.value = ToLong(spec.dephault);
      def.u.pd.namesptr = spec.text;
      break;
    case PF_Param_CHECKBOX:
      def.u.bd.value = ToLong(spec.dephault);
      def.u.bd.dephault = static_cast<PF_Boolean>(spec.dephault);
      def.u.bd.nameptr = spec.text;
      break;
    case PF_Param_LAYER:
      def.u.ld.dephault = ToLong(spec.dephault);
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
