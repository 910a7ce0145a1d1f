#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string_view>

#include "spreadsheet/drawing/Md4.h"
#include "spreadsheet/drawing/OfficeArtRecord.h"
#include "spreadsheet/drawing/ShapeProperties.h"

namespace quillora::engine {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using Bytes = std::vector<std::uint8_t>;

Bytes Header(std::uint16_t verInstance, std::uint16_t type, std::uint32_t length) {
  return {static_cast<std::uint8_t>(verInstance), static_cast<std::uint8_t>(verInstance >> 8),
          static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(type >> 8),
          static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Containers nested `levels` deep around one empty atom.
Bytes Nested(int levels) {
  Bytes inner = Header(0x0000, 0xF011, 0);
  for (int i = 0; i < levels; ++i) inner = Join({Header(0x000F, 0xF004, static_cast<std::uint32_t>(inner.size())), inner});
  return inner;
}

TEST(DrawingRecords, UnknownRecordsRoundTripByteForByte) {
  // A container holding an unknown atom with instance bits, an empty unknown container and
  // a second atom; then a top-level sibling atom.
  const Bytes bytes = Join({Header(0x123F, 0xF0AA, 8 + 3 + 8 + 8 + 1),
                            Header(0x0452, 0xF123, 3), {1, 2, 3},
                            Header(0x000F, 0xF124, 0),
                            Header(0x0000, 0xF125, 1), {9},
                            Header(0x0001, 0xF126, 2), {7, 8}});
  const auto records = ParseOfficeArtRecords(bytes);
  ASSERT_EQ(records.size(), 2u);
  const OfficeArtRecord& outer = records[0];
  EXPECT_TRUE(outer.IsContainer());
  EXPECT_EQ(outer.instance, 0x123);
  EXPECT_EQ(outer.type, 0xF0AA);
  ASSERT_EQ(outer.children.size(), 3u);
  EXPECT_EQ(outer.children[0].version, 2);
  EXPECT_EQ(outer.children[0].instance, 0x45);
  EXPECT_EQ(outer.children[0].data, (Bytes{1, 2, 3}));
  EXPECT_TRUE(outer.children[1].IsContainer());
  EXPECT_TRUE(outer.children[1].children.empty());
  EXPECT_EQ(records[1].data, (Bytes{7, 8}));
  EXPECT_EQ(OfficeArtRecordSize(outer), 8u + 11 + 8 + 9);
  EXPECT_EQ(SerializeOfficeArtRecords(records), bytes);
  EXPECT_TRUE(ParseOfficeArtRecords({}).empty());
}

TEST(DrawingRecords, MalformedTreesAreRefusedWithTheReason) {
  // A length that runs past the end of the input.
  EXPECT_THAT([] { ParseOfficeArtRecords(Join({Header(0x0000, 0xF011, 10), {1, 2}})); },
              ThrowsMessage<std::runtime_error>(HasSubstr("claims 10 bytes but only 2 remain")));
  // A child whose length runs past the end of its container, though not of the input.
  EXPECT_THAT(
      [] {
        ParseOfficeArtRecords(Join({Header(0x000F, 0xF004, 12), Header(0x0000, 0xF011, 6),
                                    {1, 2, 3, 4}, Header(0, 0xF011, 0)}));
      },
      ThrowsMessage<std::runtime_error>(HasSubstr("remain in its parent")));
  // A header cut short, at top level and inside a container that is not filled exactly.
  EXPECT_THAT([] { ParseOfficeArtRecords(Bytes{0x0F, 0x00, 0x04, 0xF0, 0x00}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("header at offset 0 is truncated")));
  EXPECT_THAT(
      [] { ParseOfficeArtRecords(Join({Header(0x000F, 0xF004, 11), Header(0, 0xF011, 0), {1, 2, 3}})); },
      ThrowsMessage<std::runtime_error>(HasSubstr("header at offset 16 is truncated")));
}

TEST(DrawingRecords, HostileNestingIsRefusedButRealDepthsPass) {
  EXPECT_NO_THROW(ParseOfficeArtRecords(Nested(kOfficeArtMaxDepth - 1)));
  EXPECT_THAT([] { ParseOfficeArtRecords(Nested(kOfficeArtMaxDepth)); },
              ThrowsMessage<std::runtime_error>(HasSubstr("nested deeper than")));
  // Ten thousand levels would exhaust the stack if the limit were missing.
  EXPECT_THROW(ParseOfficeArtRecords(Nested(10000)), std::runtime_error);
}

TEST(DrawingRecords, WriterRefusesFieldsThatDoNotFitTheHeader) {
  OfficeArtRecord record = MakeOfficeArtAtom(0xF011, 0, 0x1000, {});
  std::vector<std::uint8_t> out;
  EXPECT_THROW(AppendOfficeArtRecord(out, record), std::runtime_error);
}

TEST(DrawingRecords, ShapePropertiesKeepFlagsAndComplexDataInOrder) {
  const std::vector<ShapeProperty> properties = {
      {0x0104, true, false, 3, {}},
      {0x0380, false, true, 4, {'a', 0, 0, 0}},
      {0x0381, false, true, 2, {0, 0}},
      {0x03BF, false, false, 0x00020000, {}},
  };
  const OfficeArtRecord fopt = EncodeShapeProperties(properties);
  EXPECT_EQ(fopt.version, 3);
  EXPECT_EQ(fopt.instance, 4);
  // Fixed part first (opid with 0x4000 for a blip id, 0x8000 for complex), then the data.
  EXPECT_EQ(Bytes(fopt.data.begin(), fopt.data.begin() + 6), (Bytes{0x04, 0x41, 3, 0, 0, 0}));
  EXPECT_EQ(Bytes(fopt.data.begin() + 6, fopt.data.begin() + 8), (Bytes{0x80, 0x83}));
  EXPECT_EQ(Bytes(fopt.data.end() - 6, fopt.data.end()), (Bytes{'a', 0, 0, 0, 0, 0}));
  EXPECT_EQ(DecodeShapeProperties(fopt), properties);

  OfficeArtRecord overrun = fopt;
  overrun.data.pop_back();
  EXPECT_THAT([&] { DecodeShapeProperties(overrun); },
              ThrowsMessage<std::runtime_error>(HasSubstr("overruns its table")));
  OfficeArtRecord tooMany = fopt;
  tooMany.instance = 200;
  EXPECT_THAT([&] { DecodeShapeProperties(tooMany); },
              ThrowsMessage<std::runtime_error>(HasSubstr("lists 200 properties")));
}

std::string Hex(std::string_view text) {
  const auto digest =
      Md4Digest({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  std::string out;
  for (auto byte : digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
  }
  return out;
}

TEST(DrawingRecords, Md4MatchesTheReferenceVectors) {
  EXPECT_EQ(Hex(""), "31d6cfe0d16ae931b73c59d7e0c089c0");
  EXPECT_EQ(Hex("abc"), "a448017aaf21d8525fc10ae87aa6729d");
  EXPECT_EQ(Hex("message digest"), "d9130a8164549fe818874806e1c7014b");
  EXPECT_EQ(Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "e33b4ddc9c38f2199c3e7b164fcc0536");
}

}  // namespace
}  // namespace quillora::engine
