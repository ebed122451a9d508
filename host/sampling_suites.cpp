#include "host/sampling_suites.h"

#include "host/area_sampling.h"
#include "host/effect.h"
#include "host/gate.h"

namespace host {
namespace {

// One sampling operation of the suites: through the gate under its own name, refused for an
// effect_ref that is not the running command's, then the host's area sampling of its depth.
template <typename Pixel, const char* kName, PF_Err (*kSample)(PF_Fixed, PF_Fixed, const PF_SampPB*, Pixel*)>
PF_Err AreaSampleOperation(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params,
                           Pixel* dst) {
  if (auto fault = gate(kName, effect_ref, x, y)) return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  if (Effect::from_ref(effect_ref) == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return kSample(x, y, params, dst);
}

constexpr char kAreaSample[] = "area_sample";
constexpr char kAreaSample16[] = "area_sample16";
constexpr char kAreaSampleFloat[] = "area_sample_float";

constexpr PF_Sampling8Suite1 kSampling8Suite = {AreaSampleOperation<PF_Pixel, kAreaSample, AreaSample8>};
constexpr PF_Sampling16Suite1 kSampling16Suite = {
    AreaSampleOperation<PF_Pixel16, kAreaSample16, AreaSample16>};
constexpr PF_SamplingFloatSuite1 kSamplingFloatSuite = {
    AreaSampleOperation<PF_PixelFloat, kAreaSampleFloat, AreaSampleFloat>};

}  // namespace

void register_sampling_suites(SuiteRegistry& registry) {
  registry.add(kPFSampling8Suite, kPFSampling8SuiteVersion1, &kSampling8Suite);
  registry.add(kPFSampling16Suite, kPFSampling16SuiteVersion1, &kSampling16Suite);
  registry.add(kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1, &kSamplingFloatSuite);
}

}  // namespace host
