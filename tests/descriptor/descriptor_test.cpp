// The descriptor each plug-in library carries, read back from the built file, against the table
// written out by hand in descriptor_x64.hex / descriptor_x86.hex; and the host's parser of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hex_table.h"
#include "host/descriptor_parser.h"
#include "host/descriptor_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string TablePath(const char* name) {
  return std::string(DESCRIPTOR_TABLES_DIR) + "/" + name;
}

struct Variant {
  const char* library;
  const char* table;
  std::uint32_t code_key;
  std::uint16_t spec_major, spec_minor;
};

constexpr std::uint32_t FourCc(const char (&c)[5]) {
  return std::uint32_t(std::uint8_t(c[0])) << 24 | std::uint32_t(std::uint8_t(c[1])) << 16 |
         std::uint32_t(std::uint8_t(c[2])) << 8 | std::uint32_t(std::uint8_t(c[3]));
}

const Variant kVariants[] = {
    {ZELKRA_PLUGIN_CS5, "descriptor_x64.hex", FourCc("8664"), 13, 0},
    {ZELKRA_PLUGIN_32BIT_VARIANT, "descriptor_x86.hex", FourCc("wx86"), 12, 10},
};

Bytes SectionOf(const Variant& variant) {
  return host::ReadElfSection(variant.library, host::kDescriptorSection);
}

TEST(Descriptor, EachLibraryCarriesTheTableByteForByte) {
  for (const Variant& variant : kVariants) {
    const Bytes expected = ReadHexTable(TablePath(variant.table));
    ASSERT_EQ(expected.size(), 302u) << variant.table;
    EXPECT_EQ(SectionOf(variant), expected) << variant.library;
  }
}

TEST(Descriptor, VariantsDifferOnlyInCodeKeyAndSpecVersion) {
  const Bytes x64 = SectionOf(kVariants[0]);
  const Bytes x86 = SectionOf(kVariants[1]);
  ASSERT_EQ(x64.size(), x86.size());
  std::vector<std::size_t> differing;
  for (std::size_t i = 0; i < x64.size(); ++i) {
    if (x64[i] != x86[i]) differing.push_back(i);
  }
  // The four bytes of the fourth property's key, the major and the minor spec version.
  EXPECT_EQ(differing, (std::vector<std::size_t>{90, 91, 92, 93, 154, 156}));
}

TEST(Descriptor, ParsesIntoTheEffectsProperties) {
  for (const Variant& variant : kVariants) {
    SCOPED_TRACE(variant.library);
    const host::DescriptorProperties props = host::ParseDescriptor(SectionOf(variant));
    EXPECT_EQ(props.kind, FourCc("eFKT"));
    EXPECT_EQ(props.name, "Zelkra15puzzle");
    EXPECT_EQ(props.category, "Zelkra");
    EXPECT_EQ(props.match_name, "Zelkra15puzzle by Dorvanelo");
    EXPECT_EQ(props.entry_point, "EntryPointFunc");
    EXPECT_EQ(props.code_key, variant.code_key);
    EXPECT_EQ(props.pipl_version_major, 2);
    EXPECT_EQ(props.pipl_version_minor, 0);
    EXPECT_EQ(props.spec_version_major, variant.spec_major);
    EXPECT_EQ(props.spec_version_minor, variant.spec_minor);
    EXPECT_EQ(props.version, 0x00080601u);
    EXPECT_EQ(props.info_flags, 0);
    EXPECT_EQ(props.out_flags, 0x06000040u);
    EXPECT_EQ(props.out_flags2, 0x00001400u);
    EXPECT_EQ(props.reserved_info, 8u);
  }
}

TEST(Descriptor, ParserRejectsTruncatedAndCorruptedData) {
  const Bytes good = ReadHexTable(TablePath("descriptor_x64.hex"));
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_THROW(host::ParseDescriptor(std::span(good.data(), size)), std::runtime_error) << size;
  }

  struct Corruption {
    const char* what;
    std::vector<std::pair<std::size_t, std::uint8_t>> edits;  // offset, new value
  };
  const Corruption corruptions[] = {
      {"name's length byte past its property", {{46, 0xFF}}},
      {"name's property length past the end", {{45, 0xFF}}},
      {"one property more than there are", {{6, 13}}},
      {"unknown vendor code", {{10, 'X'}}},
      {"entry point without terminator", {{116, 'x'}, {117, 'x'}}},
      {"unknown resource format", {{0, 2}}},
  };
  for (const Corruption& corruption : corruptions) {
    Bytes bad = good;
    for (const auto& [offset, value] : corruption.edits) bad[offset] = value;
    EXPECT_THROW(host::ParseDescriptor(bad), std::runtime_error) << corruption.what;
  }
}

TEST(Descriptor, ElfReaderReportsMissingFileAndSection) {
  EXPECT_THROW(host::ReadElfSection("/nonexistent/library.so", ".pipl"), std::runtime_error);
  EXPECT_THROW(host::ReadElfSection(kVariants[0].library, ".no_such_section"), std::runtime_error);
  const std::string table = std::string(DESCRIPTOR_TABLES_DIR) + "/descriptor_x64.hex";
  EXPECT_THROW(host::ReadElfSection(table, ".pipl"), std::runtime_error);  // not an ELF file
}

}  // namespace
