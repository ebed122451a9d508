// Scoped, lazy access to the host's suites for one command handler.
//
// A handler creates one SuiteHandler on its stack. Each getter acquires its suite from the basic
// suite on first use and keeps it; when the handler ends, normally or by a thrown error code, every
// acquired suite is released in the order of the known-suites list. A missing basic suite or a suite
// the host refuses throws PF_Err_BAD_CALLBACK_PARAM (516); EntryPointFunc catches it.
#pragma once

#include "known_suites.h"
#include "pf_host_interface.h"
#include "variant.h"

class SuiteHandler {
 public:
  explicit SuiteHandler(const SPBasicSuite* basic);
  ~SuiteHandler();
  SuiteHandler(const SuiteHandler&) = delete;
  SuiteHandler& operator=(const SuiteHandler&) = delete;

  const PF_HandleSuite1* HandleSuite() {
    return Get<PF_HandleSuite1>(kPFHandleSuite, variant::kHandleSuiteVersion);
  }
  const AEGP_UtilitySuite7* UtilitySuite() {
    return Get<AEGP_UtilitySuite7>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7);
  }
  const AEGP_PFInterfaceSuite1* PFInterfaceSuite() {
    return Get<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);
  }
  const AEGP_StreamSuite7* StreamSuite() {
    return Get<AEGP_StreamSuite7>(kAEGPStreamSuite, kAEGPStreamSuiteVersion7);
  }
  const AEGP_DynamicStreamSuite2* DynamicStreamSuite() {
    return Get<AEGP_DynamicStreamSuite2>(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion2);
  }
  const PF_ParamUtilsSuite1* ParamUtilsSuite() {
    return Get<PF_ParamUtilsSuite1>(kPFParamUtilsSuite, variant::kParamUtilsSuiteVersion);
  }
  const AEGP_EffectSuite2* EffectSuite() {
    return Get<AEGP_EffectSuite2>(kAEGPEffectSuite, kAEGPEffectSuiteVersion2);
  }
  const PF_WorldSuite1* WorldSuite() { return Get<PF_WorldSuite1>(kPFWorldSuite, kPFWorldSuiteVersion1); }
  const PF_Sampling8Suite1* Sampling8Suite() {
    return Get<PF_Sampling8Suite1>(kPFSampling8Suite, kPFSampling8SuiteVersion1);
  }
  const PF_Sampling16Suite1* Sampling16Suite() {
    return Get<PF_Sampling16Suite1>(kPFSampling16Suite, kPFSampling16SuiteVersion1);
  }
  const PF_SamplingFloatSuite1* SamplingFloatSuite() {
    return Get<PF_SamplingFloatSuite1>(kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1);
  }
#if ZELKRA_VARIANT_32BIT
  const PF_ANSISuite1* ANSISuite() {
    return Get<PF_ANSISuite1>(kPFANSISuite, kPFANSISuiteVersion1);
  }
#endif

 private:
  template <typename Suite>
  const Suite* Get(const char* name, int32_t version) {
    return static_cast<const Suite*>(Acquire(name, version, KnownSuiteSlot(name, version)));
  }
  // Returns the suite in `slot`, acquiring it first if needed; throws 516 when the host refuses it.
  const void* Acquire(const char* name, int32_t version, int slot);

  const SPBasicSuite* basic_;
  const void* slots_[kKnownSuiteCount];
};
