// The two plug-in variants, and a fixture that loads one into a fresh host session.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "host/effect.h"
#include "host/module.h"
#include "host/session.h"

struct Variant {
  const char* name;
  const char* path;
  bool is_32bit;
};

inline const Variant kVariants[] = {
    {"CS5", ZELKRA_PLUGIN_CS5_PATH, false},
    {"V32", ZELKRA_PLUGIN_32_PATH, true},
};

inline void PrintTo(const Variant& variant, std::ostream* os) {
  *os << variant.name;
}

inline std::string VariantName(const testing::TestParamInfo<Variant>& info) {
  return info.param.name;
}

// Instantiates a TEST_P suite for both variants.
#define ZELKRA_FOR_BOTH_VARIANTS(Suite) \
  INSTANTIATE_TEST_SUITE_P(Variants, Suite, testing::ValuesIn(kVariants), VariantName)

class PluginTest : public testing::TestWithParam<Variant> {
 protected:
  PluginTest() : module_(host::Module::open(GetParam().path)), effect_(module_, session_) {}

  // Every test ends with a host that saw no misuse, or exactly the misuse the test provoked.
  void TearDown() override { EXPECT_THAT(session_.ledger().misuse(), testing::SizeIs(provoked_misuse_)); }

  bool is_32bit() const { return GetParam().is_32bit; }
  // What the entry point returns for a suite the host refuses.
  PF_Err missing_suite_result() const { return is_32bit() ? 516 : 512; }
  std::vector<std::string> held() { return session_.ledger().held(); }
  host::FaultPlan& faults() { return session_.faults(); }
  host::CallLog& log() { return session_.log(); }

  host::Session session_;
  host::Module module_;
  host::Effect effect_;
  std::size_t provoked_misuse_ = 0;
};
