// The descriptor resource (plug-in property list) that the host reads before it calls the plug-in,
// built at compile time from the effect's properties. The Windows libraries carry these bytes as
// resource "PIPL" 16000; the Linux libraries carry them in the read-only section ".pipl".
#pragma once

#include "resources/effect_properties.h"

namespace descriptor {

inline constexpr int kSize = 302;
inline constexpr int kResourceId = 16000;
inline constexpr int kResourceLanguage = 1033;  // English, United States

struct Bytes {
  unsigned char data[kSize];
};

namespace detail {

struct Writer {
  Bytes bytes{};
  int offset = 0;

  constexpr void U8(unsigned value) { bytes.data[offset++] = static_cast<unsigned char>(value); }
  constexpr void U16(unsigned value) {
    U8(value & 0xFF);
    U8((value >> 8) & 0xFF);
  }
  constexpr void U32(A_u_long value) {
    U16(value & 0xFFFF);
    U16((value >> 16) & 0xFFFF);
  }
  // Zero bytes up to the next multiple of 4 from the start of the property data.
  constexpr void PadFrom(int data_start) {
    while ((offset - data_start) % 4 != 0) U8(0);
  }
  template <int N>
  constexpr void Chars(const char (&text)[N]) {
    for (int i = 0; i + 1 < N; ++i) U8(static_cast<unsigned char>(text[i]));
  }

  // Property header; `length` is the data length recorded in it.
  constexpr void Property(A_u_long key, int length) {
    U32(PF_FOURCC('8', 'B', 'I', 'M'));
    U32(key);
    U32(0);
    U32(static_cast<A_u_long>(length));
  }
  // Counted string (length byte, characters); the recorded length counts the padding when `padded`.
  template <int N>
  constexpr void CountedString(A_u_long key, const char (&text)[N], bool length_counts_padding) {
    const int data_length = 1 + (N - 1);
    const int padded_length = (data_length + 3) / 4 * 4;
    Property(key, length_counts_padding ? padded_length : data_length);
    const int start = offset;
    U8(N - 1);
    Chars(text);
    PadFrom(start);
  }
  constexpr void Word(A_u_long key, A_u_long value) {
    Property(key, 4);
    U32(value);
  }
  constexpr void Version(A_u_long key, unsigned major, unsigned minor) {
    Property(key, 4);
    U16(major);
    U16(minor);
  }
};

}  // namespace detail

// The descriptor of the variant this translation unit is compiled for.
constexpr Bytes Build() {
  namespace props = effect_properties;
  detail::Writer w;
  w.U16(1);   // resource format
  w.U32(0);   // property list version
  w.U32(12);  // number of properties

  w.Property(PF_FOURCC('k', 'i', 'n', 'd'), 4);
  w.U32(PF_FOURCC('e', 'F', 'K', 'T'));  // an effect
  w.CountedString(PF_FOURCC('n', 'a', 'm', 'e'), props::kName, true);
  w.CountedString(PF_FOURCC('c', 'a', 't', 'g'), props::kCategory, true);

  // Entry point: zero-terminated; the recorded length counts the terminator and the padding.
  constexpr int entry_length = (static_cast<int>(sizeof props::kEntryPointName) + 3) / 4 * 4;
  w.Property(props::kCodeKey, entry_length);
  const int entry_start = w.offset;
  w.Chars(props::kEntryPointName);
  w.U8(0);
  w.PadFrom(entry_start);

  w.Version(PF_FOURCC('e', 'P', 'V', 'R'), props::kPiplVersionMajor, props::kPiplVersionMinor);
  w.Version(PF_FOURCC('e', 'S', 'V', 'R'), props::kSpecVersionMajor, props::kSpecVersionMinor);
  w.Word(PF_FOURCC('e', 'V', 'E', 'R'), props::kVersion);

  // Info flags: 16 bits of data, recorded length 2, padded with two zero bytes.
  w.Property(PF_FOURCC('e', 'I', 'N', 'F'), 2);
  w.U16(props::kInfoFlags);
  w.U16(0);

  w.Word(PF_FOURCC('e', 'G', 'L', 'O'), static_cast<A_u_long>(props::kOutFlags));
  w.Word(PF_FOURCC('e', 'G', 'L', '2'), static_cast<A_u_long>(props::kOutFlags2));
  w.CountedString(PF_FOURCC('e', 'M', 'N', 'A'), props::kMatchName, false);
  w.Word(PF_FOURCC('a', 'e', 'F', 'L'), props::kReservedInfo);

  // Any change to the properties that changes the size fails here, at compile time.
  if (w.offset != kSize) throw "descriptor size differs from kSize";
  return w.bytes;
}

inline constexpr Bytes kBytes = Build();

}  // namespace descriptor
