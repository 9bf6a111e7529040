#include "image/hex_text_to_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

constexpr std::uint8_t kCallerFill = 0x5C;  // what the caller left in the image

const std::string kHeader = ":10000000FFFF1234010005E26C1400000000000000\r\n";
const std::string kEnd = ":00000001FF";
const std::vector<std::uint8_t> kHeaderBytes = {0xFF, 0xFF, 0x12, 0x34, 0x01, 0x00, 0x05, 0xE2,
                                                0x6C, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

struct Conversion {
  int result = -1;
  std::uint32_t length = 0;
  std::vector<std::uint8_t> image;
};

Conversion Convert(std::string text, std::uint32_t capacity = kFlashImageCapacity) {
  Conversion c;
  c.image.assign(capacity, kCallerFill);
  c.length = capacity;
  c.result = HexTextToImage(reinterpret_cast<std::uint8_t*>(text.data()), text.size(),
                            c.image.data(), &c.length);
  return c;
}

std::vector<std::uint8_t> Bytes(const Conversion& c, std::size_t from, std::size_t count) {
  return {c.image.begin() + static_cast<std::ptrdiff_t>(from),
          c.image.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

TEST(HexTextToImageTest, PlacesRecordsAtTheirAddressesAndZeroesThePastTheEnd) {
  Conversion c = Convert(kHeader + ":10010000000102030405060708090a0b0c0d0e0fEE\r\n" + kEnd);
  ASSERT_EQ(c.result, 0);
  EXPECT_EQ(c.length, 0x110u);
  EXPECT_EQ(Bytes(c, 0, 6), (std::vector<std::uint8_t>{0xFF, 0xFF, 0x12, 0x34, 0x01, 0x00}));
  EXPECT_EQ(Bytes(c, 0x100, 3), (std::vector<std::uint8_t>{0x00, 0x01, 0x02}));
  EXPECT_EQ(c.image[0x10F], 0x0F);
  EXPECT_EQ(c.image[0x10], kCallerFill);  // between records: as the caller left it
  EXPECT_EQ(c.image[0xFF], kCallerFill);
  for (std::size_t i = 0x110; i < kFlashImageCapacity; ++i) {
    ASSERT_EQ(c.image[i], 0) << i;
  }
}

TEST(HexTextToImageTest, StopRulesAndLength) {
  struct Case {
    const char* name;
    std::string text;
    std::uint32_t length;
    bool startsWithHeader;  // bytes 0-15 must still be the header's when the conversion ends
  };
  const Case cases[] = {
      {"second zero-address record ends it and places nothing",
       kHeader + ":10000000" + std::string(32, 'A') + "CC\r\n:0102000033CC\r\n" + kEnd, 0x10, true},
      {"no zero-address record: ends with the text", ":0102000033CC\r\n", 0x201, false},
      {"descending addresses: the farthest end counts", ":0103000044CC\r\n:0201000011227A\r\n",
       0x301, false},
      {"a record without data counts with its address", ":00400001BF\r\n:0101000011CC\r\n", 0x4000,
       false},
      {"byte count is ignored: the line end decides", ":0101000011223344CC\r\n", 0x104, false},
      {"end record of a relocated file", ":00810001FF\r\n" + kHeader + kEnd, 0x8100, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Conversion conversion = Convert(c.text);
    EXPECT_EQ(conversion.result, 0);
    EXPECT_EQ(conversion.length, c.length);
    if (c.startsWithHeader) {
      EXPECT_EQ(Bytes(conversion, 0, 16), kHeaderBytes);
    }
  }
}

TEST(HexTextToImageTest, LaterRecordOverwritesAndLowerCaseConverts) {
  Conversion c = Convert(":020100001122CC\r\n:01010100abcdCC\r\n");
  ASSERT_EQ(c.result, 0);
  EXPECT_EQ(Bytes(c, 0x100, 2), (std::vector<std::uint8_t>{0x11, 0xAB}));
  EXPECT_EQ(c.image[0x102], 0xCD);
}

TEST(HexTextToImageTest, FailuresClearTheImageAndKeepTheLength) {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"record at the capacity", kHeader + ":01FFFF0011CC\r\n" + kEnd},
      {"data running past the capacity", kHeader + ":04FFFC0011223344CC\r\n" + kEnd},
      {"record cut off before its line end", kHeader + ":0201000011"},
      {"record cut off in its address", kHeader + ":0201"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Conversion conversion = Convert(c.text);
    EXPECT_EQ(conversion.result, 1);
    EXPECT_EQ(conversion.length, kFlashImageCapacity);
    EXPECT_EQ(conversion.image, std::vector<std::uint8_t>(kFlashImageCapacity, 0));
  }
}

TEST(HexTextToImageTest, RecordEndingExactlyAtTheCapacityFits) {
  Conversion c = Convert(":02FFFD001122CC\r\n");
  ASSERT_EQ(c.result, 0);
  EXPECT_EQ(c.length, kFlashImageCapacity);
  EXPECT_EQ(c.image[0xFFFE], 0x22);
}

TEST(HexTextToImageTest, MissingArgumentsTouchNothing) {
  std::string text = kEnd;
  auto* bytes = reinterpret_cast<std::uint8_t*>(text.data());
  std::vector<std::uint8_t> image(16, kCallerFill);
  std::uint32_t length = 16;
  std::uint32_t zero = 0;
  EXPECT_EQ(HexTextToImage(nullptr, text.size(), image.data(), &length), 1);
  EXPECT_EQ(HexTextToImage(bytes, text.size(), nullptr, &length), 1);
  EXPECT_EQ(HexTextToImage(bytes, text.size(), image.data(), nullptr), 1);
  EXPECT_EQ(HexTextToImage(bytes, 0, image.data(), &length), 1);
  EXPECT_EQ(HexTextToImage(bytes, text.size(), image.data(), &zero), 1);
  EXPECT_EQ(image, std::vector<std::uint8_t>(16, kCallerFill));
  EXPECT_EQ(length, 16u);
}

}  // namespace
}  // namespace korvane
