#include "suite_handler.h"

SuiteHandler::SuiteHandler(const SPBasicSuite* basic) : basic_(basic), slots_{} {
  if (basic_ == nullptr) throw PF_Err(PF_Err_BAD_CALLBACK_PARAM);
}

SuiteHandler::~SuiteHandler() {
  for (int i = 0; i < kKnownSuiteCount; ++i) {
    if (slots_[i] != nullptr) basic_->ReleaseSuite(kKnownSuites[i].name, kKnownSuites[i].version);
  }
}

const void* SuiteHandler::Acquire(const char* name, int32_t version, int slot) {
  if (slot < 0) throw PF_Err(PF_Err_BAD_CALLBACK_PARAM);  // not a suite of this host generation
  if (slots_[slot] != nullptr) return slots_[slot];
  const void* suite = nullptr;
  const SPErr err = basic_->AcquireSuite(name, version, &suite);
  if (err != kSPNoError || suite == nullptr) throw PF_Err(PF_Err_BAD_CALLBACK_PARAM);
  slots_[slot] = suite;
  return suite;
}
