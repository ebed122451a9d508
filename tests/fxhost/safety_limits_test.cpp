// Limits a render keeps: the memory budget's sizes, and the one-line messages made of what image
// libraries print.
#include <gtest/gtest.h>

#include <cstdio>

#include "fxhost/cli/memory_budget.h"
#include "fxhost/files/library_messages.h"
#include "host/result_names.h"

namespace fxhost {
namespace {

TEST(MemoryBudget, SizesParseInBinaryUnitsAndPrintShort) {
  const std::vector<std::pair<const char*, std::uint64_t>> sizes{
      {"1000000", 1000000},   {"64k", 64ULL << 10}, {"512M", 512ULL << 20}, {"8G", 8ULL << 30},
      {"1.5GiB", 3ULL << 29}, {"2 TB", 2ULL << 40}, {"100B", 100},
  };
  for (const auto& [text, bytes] : sizes) EXPECT_EQ(ParseMemorySize(text), bytes) << text;
  for (const char* bad : {"", "lots", "8X", "0", "0.1", "-5G", "8Gx", "1e3", "99999999T"})
    EXPECT_THROW(ParseMemorySize(bad), InputError) << bad;
  EXPECT_EQ(FormatBytes(100), "100 bytes");
  EXPECT_EQ(FormatBytes(3ULL << 29), "1.5 GiB");
  EXPECT_EQ(FormatBytes(64ULL << 20), "64.0 MiB");
  EXPECT_GT(DefaultMemoryBudget(), 0u);
  EXPECT_EQ(FrameBytes(10, 10, Depth::k32), 4u * 10 * 10 * 16);
}

TEST(MemoryBudget, FewerFramesAtOnceOrNoneThatDoNotFit) {
  // 100 bytes shared, 300 a frame: a budget of 1000 takes three frames at once.
  EXPECT_EQ(JobsWithinBudget(1000, 100, 300, 8, "f"), 3);
  EXPECT_EQ(JobsWithinBudget(1000, 100, 300, 2, "f"), 2);
  EXPECT_EQ(JobsWithinBudget(400, 100, 300, 8, "f"), 1);
  try {
    JobsWithinBudget(399, 100, 300, 8, "a frame of 9x9");
    ADD_FAILURE() << "no error";
  } catch (const MemoryBudgetError& e) {
    EXPECT_STREQ(e.what(),
                 "a frame of 9x9 needs 400 bytes, more than the memory budget of 399 bytes (--max-memory)");
  }
}

TEST(LibraryMessages, WhatALibraryPrintsGoesIntoTheMessageNotOnStandardError) {
  std::string captured;
  {
    const LibraryMessages printed;
    std::fprintf(stderr, "libpng error: IDAT: CRC error\n");
    captured = printed.text();
  }
  EXPECT_EQ(captured, "libpng error: IDAT: CRC error\n");
  EXPECT_EQ(
      OneLineMessage(
          {"Read error: hit end of file\nPNG read error: IDAT: CRC error\nPNG library error\n", captured}),
      "Read error: hit end of file; PNG read error: IDAT: CRC error; PNG library error");
  EXPECT_EQ(OneLineMessage({"JPEG error: A (\"f.jpg\")\nJPEG error: B (\"f.jpg\")", ""}),
            "JPEG error: A (\"f.jpg\"); JPEG error: B (\"f.jpg\")");
  EXPECT_EQ(OneLineMessage({"", "  \n"}), "");
}

TEST(ResultNames, CodesPrintWithTheirNames) {
  EXPECT_EQ(host::result_text(4), "PF_Err_OUT_OF_MEMORY (4)");
  EXPECT_EQ(host::result_text(512), "PF_Err_INTERNAL_STRUCT_DAMAGED (512)");
  EXPECT_EQ(host::result_text(517), "PF_Interrupt_CANCEL (517)");
  EXPECT_EQ(host::result_text(99), "99");
  EXPECT_EQ(host::result_name(99), nullptr);
}

}  // namespace
}  // namespace fxhost
