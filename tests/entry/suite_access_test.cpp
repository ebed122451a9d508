// SuiteHandler and the acquire/release-or-report helpers against the host, for the variant this
// executable is compiled as (ZELKRA_VARIANT_32BIT).
#include "entry/known_suites.h"
#include "entry/suite_handler.h"
#include "entry/suite_report.h"
#include "plugin_under_test.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr int kDummyTable = 0;

class SuiteAccess : public testing::Test {
 protected:
  SuiteAccess() : effect_(nullptr, session_) {
    // Offer every suite the plug-in acquires; the host itself offers only some of them.
    for (const KnownSuite& suite : kKnownSuites) {
      if (session_.suites().find(suite.name, suite.version) == nullptr) {
        session_.suites().add(suite.name, suite.version, &kDummyTable);
      }
    }
    if (session_.suites().find(kPFWorldSuite, kPFWorldSuiteVersion2) == nullptr) {
      session_.suites().add(kPFWorldSuite, kPFWorldSuiteVersion2, &kDummyTable);
    }
    in_data_ = effect_.make_in_data();
  }
  void TearDown() override {
    EXPECT_THAT(session_.ledger().held(), IsEmpty());
    EXPECT_THAT(session_.ledger().misuse(), IsEmpty());
  }

  host::Session session_;
  host::Effect effect_;
  host::CallScope scope_{session_, &effect_};
  PF_InData in_data_;
  PF_OutData out_data_{};
};

TEST(KnownSuites, ListLengthPerVariant) {
  EXPECT_EQ(kKnownSuiteCount, variant::k32Bit ? 85 : 101);
}

TEST_F(SuiteAccess, EachSuiteIsAcquiredOnceAndReleasedInListOrder) {
  {
    SuiteHandler suites(in_data_.pica_basicP);
    suites.SamplingFloatSuite();
    suites.HandleSuite();
    suites.StreamSuite();
    suites.HandleSuite();
    suites.ParamUtilsSuite();
  }
  const std::string handle = variant::k32Bit ? "1" : "2";
  EXPECT_THAT(session_.log().calls_of("ReleaseSuite"),
              ElementsAre("ReleaseSuite(\"AEGP Stream Suite\", 7)",
                          "ReleaseSuite(\"PF Param Utils Suite\", " + handle + ")",
                          "ReleaseSuite(\"PF Handle Suite\", " + handle + ")",
                          "ReleaseSuite(\"PF SamplingFloat Suite\", 1)"));
  EXPECT_EQ(session_.log().count("AcquireSuite"), 4u);
}

TEST_F(SuiteAccess, AHandlerThatTakesNoSuiteReleasesNone) {
  { SuiteHandler suites(in_data_.pica_basicP); }
  EXPECT_THAT(session_.log().calls(), IsEmpty());
}

TEST_F(SuiteAccess, ARefusedSuiteThrows516AndEarlierSuitesAreReleasedOnUnwinding) {
  session_.suites().remove(kAEGPEffectSuite, kAEGPEffectSuiteVersion2);
  PF_Err thrown = PF_Err_NONE;
  try {
    SuiteHandler suites(in_data_.pica_basicP);
    suites.WorldSuite();
    suites.UtilitySuite();
    suites.EffectSuite();
  } catch (PF_Err err) {
    thrown = err;
  }
  EXPECT_EQ(thrown, PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_THAT(session_.log().calls_of("ReleaseSuite"),
              ElementsAre("ReleaseSuite(\"AEGP Utility Suite\", 7)", "ReleaseSuite(\"PF World Suite\", 1)"));
}

TEST_F(SuiteAccess, AMissingBasicSuiteThrows516) {
  EXPECT_THROW(SuiteHandler(nullptr), PF_Err);
}

TEST_F(SuiteAccess, AcquireOrReportShowsTheDefaultMessageWhenTheHostRefuses) {
  session_.faults().fail("AcquireSuite", 1);
  const void* suite = nullptr;
  EXPECT_EQ(AcquireSuiteOrReport(&in_data_, &out_data_, kPFWorldSuite, 2, nullptr, &suite), 516);
  EXPECT_STREQ(out_data_.return_msg, "Not able to acquire AEFX Suite.");
  EXPECT_EQ(out_data_.out_flags, PF_OutFlag_DISPLAY_ERROR_MESSAGE);
}

TEST_F(SuiteAccess, AcquireAndReleaseOrReportSucceedWithAHost) {
  const void* suite = nullptr;
  ASSERT_EQ(AcquireSuiteOrReport(&in_data_, &out_data_, kPFWorldSuite, 2, "Couldn't load suite.", &suite), 0);
  EXPECT_NE(suite, nullptr);
  // The host's own release result is ignored.
  session_.faults().fail("ReleaseSuite", 1);
  EXPECT_EQ(ReleaseSuiteOrReport(&in_data_, &out_data_, kPFWorldSuite, 2, "Couldn't release suite."), 0);
  EXPECT_EQ(out_data_.out_flags, 0);
  // The failed release left the suite held; give it back for the final balance.
  EXPECT_EQ(ReleaseSuiteOrReport(&in_data_, &out_data_, kPFWorldSuite, 2, nullptr), 0);
}

TEST_F(SuiteAccess, WithoutBasicSuiteBothReportTheCallersMessage) {
  in_data_.pica_basicP = nullptr;
  const void* suite = nullptr;
  EXPECT_EQ(AcquireSuiteOrReport(&in_data_, &out_data_, kPFWorldSuite, 2, "Couldn't load suite.", &suite),
            516);
  EXPECT_STREQ(out_data_.return_msg, "Couldn't load suite.");
  EXPECT_EQ(ReleaseSuiteOrReport(&in_data_, &out_data_, kPFWorldSuite, 2, nullptr), 516);
  EXPECT_STREQ(out_data_.return_msg, "Not able to release AEFX Suite.");
  EXPECT_EQ(out_data_.out_flags, PF_OutFlag_DISPLAY_ERROR_MESSAGE);
}

}  // namespace
