// What the render asks of the host differently in each depth: how a world of the depth is made
// and which suite samples a layer in it. Everything else in the render is written once over the
// pixel type (PF_Pixel, PF_Pixel16, PF_PixelFloat), and the smart render picks the type once.
#pragma once

#include "entry/suite_handler.h"
#include "pf_host_interface.h"

template <typename Pixel>
struct DepthTraits;

template <>
struct DepthTraits<PF_Pixel> {
  // A width x height world of the depth, through the world suite version 1 (8 and 16-bit) or
  // version 2 (float).
  static PF_Err NewWorld(const PF_WorldSuite1* suite1, const PF_WorldSuite2* /*suite2*/,
                         PF_ProgPtr effect_ref, A_long width, A_long height, PF_EffectWorld* world) {
    return suite1->new_world(effect_ref, width, height, PF_NewWorldFlag_NONE, world);
  }
  // The area sampling of the depth, from the sampling suite of the depth.
  static auto AreaSample(SuiteHandler& suites) { return suites.Sampling8Suite()->area_sample; }
};

template <>
struct DepthTraits<PF_Pixel16> {
  static PF_Err NewWorld(const PF_WorldSuite1* suite1, const PF_WorldSuite2* /*suite2*/,
                         PF_ProgPtr effect_ref, A_long width, A_long height, PF_EffectWorld* world) {
    return suite1->new_world(effect_ref, width, height, PF_NewWorldFlag_DEEP_PIXELS, world);
  }
  static auto AreaSample(SuiteHandler& suites) { return suites.Sampling16Suite()->area_sample16; }
};

template <>
struct DepthTraits<PF_PixelFloat> {
  static PF_Err NewWorld(const PF_WorldSuite1* /*suite1*/, const PF_WorldSuite2* suite2,
                         PF_ProgPtr effect_ref, A_long width, A_long height, PF_EffectWorld* world) {
    return suite2->PF_NewWorld(effect_ref, width, height, false, PF_PixelFormat_ARGB128, world);
  }
  static auto AreaSample(SuiteHandler& suites) { return suites.SamplingFloatSuite()->area_sample_float; }
};
