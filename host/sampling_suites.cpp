#include "host/sampling_suites.h"

#include "host/area_sampling.h"
#include "host/effect.h"
#include "host/gate.h"

namespace host {
namespace {

PF_Err area_sample(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel* dst) {
  if (auto fault = gate("area_sample", effect_ref, x, y))
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  if (Effect::from_ref(effect_ref) == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return AreaSample8(x, y, params, dst);
}

PF_Err area_sample16(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params,
                     PF_Pixel16* dst) {
  if (auto fault = gate("area_sample16", effect_ref, x, y))
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  if (Effect::from_ref(effect_ref) == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return AreaSample16(x, y, params, dst);
}

PF_Err area_sample_float(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params,
                         PF_PixelFloat* dst) {
  if (auto fault = gate("area_sample_float", effect_ref, x, y)) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  if (Effect::from_ref(effect_ref) == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return AreaSampleFloat(x, y, params, dst);
}

constexpr PF_Sampling8Suite1 kSampling8Suite = {area_sample};
constexpr PF_Sampling16Suite1 kSampling16Suite = {area_sample16};
constexpr PF_SamplingFloatSuite1 kSamplingFloatSuite = {area_sample_float};

}  // namespace

void register_sampling_suites(SuiteRegistry& registry) {
  registry.add(kPFSampling8Suite, kPFSampling8SuiteVersion1, &kSampling8Suite);
  registry.add(kPFSampling16Suite, kPFSampling16SuiteVersion1, &kSampling16Suite);
  registry.add(kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1, &kSamplingFloatSuite);
}

}  // namespace host
