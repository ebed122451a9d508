#include "host/param_table.h"

#include <iomanip>
#include <sstream>

namespace host {

namespace {

std::string number(double value) {
  std::ostringstream os;
  os << value;
  return os.str();
}

std::string range(double low, double high) {
  return number(low) + " .. " + number(high);
}

double fixed(PF_Fixed value) {
  return static_cast<double>(value) / PF_Fixed_ONE;
}

struct Row {
  std::string valid, slider, dephault;
};

Row describe(const PF_ParamDef& def) {
  const PF_ParamDefUnion& u = def.u;
  switch (def.param_type) {
    case PF_Param_FLOAT_SLIDER:
      return {range(u.fs_d.valid_min, u.fs_d.valid_max), range(u.fs_d.slider_min, u.fs_d.slider_max),
              number(u.fs_d.dephault)};
    case PF_Param_FIX_SLIDER:
      return {range(fixed(u.fd.valid_min), fixed(u.fd.valid_max)),
              range(fixed(u.fd.slider_min), fixed(u.fd.slider_max)),
              number(fixed(u.fd.dephault)) + (u.fd.display_flags & PF_ValueDisplayFlag_PERCENT ? " %" : "")};
    case PF_Param_SLIDER:
      return {range(u.sd.valid_min, u.sd.valid_max), range(u.sd.slider_min, u.sd.slider_max),
              number(u.sd.dephault)};
    case PF_Param_POPUP:
      return {"choices 1 .. " + number(u.pd.num_choices), "",
              number(u.pd.dephault) + " of \"" + (u.pd.namesptr ? u.pd.namesptr : "") + "\""};
    case PF_Param_CHECKBOX:
      return {"", "", u.bd.dephault ? "on" : "off"};
    case PF_Param_LAYER:
      return {"", "", u.ld.dephault == PF_LayerDefault_NONE ? "none" : "this layer"};
    default:
      return {};
  }
}

}  // namespace

std::string param_type_name(PF_ParamType type) {
  switch (type) {
    case PF_Param_LAYER:
      return "layer";
    case PF_Param_SLIDER:
      return "slider";
    case PF_Param_FIX_SLIDER:
      return "fixed slider";
    case PF_Param_CHECKBOX:
      return "checkbox";
    case PF_Param_POPUP:
      return "popup";
    case PF_Param_FLOAT_SLIDER:
      return "float slider";
    default:
      return "type " + std::to_string(type);
  }
}

std::string format_param_table(const ParamStore& params) {
  std::ostringstream os;
  os << std::left << std::setw(6) << "index" << std::setw(20) << "name" << std::setw(14) << "type"
     << std::setw(30) << "valid range" << std::setw(16) << "slider range"
     << "default\n";
  for (std::size_t i = 0; i < params.size(); ++i) {
    const Parameter param = params.at(static_cast<PF_ParamIndex>(i));
    const Row row = describe(param.def);
    os << std::setw(6) << i << std::setw(20) << param.name() << std::setw(14)
       << param_type_name(param.def.param_type) << std::setw(30) << row.valid << std::setw(16) << row.slider
       << row.dephault << "\n";
  }
  return os.str();
}

}  // namespace host
