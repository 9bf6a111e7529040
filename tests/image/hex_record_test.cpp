#include <gtest/gtest.h>

#include <string>

#include "image/hex_digit.h"
#include "image/hex_record_line.h"
#include "image/text_mode.h"

namespace korvane {
namespace {

TEST(HexDigitTest, AcceptsEitherCaseAndValidatesNothing) {
  struct Case {
    char c;
    int value;
  };
  const Case cases[] = {
      {'0', 0},
      {'9', 9},
      {'A', 10},
      {'F', 15},
      {'a', 10},
      {'f', 15},
      // Outside the digits the rule still gives a value: only the low four bits are kept.
      {'G', 0},
      {'g', 0},
      {':', 10},
      {' ', 0},
      {'\r', 13},
      {'z', 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexDigitValue(c.c), c.value) << "character 0x" << std::hex << int(c.c);
  }
  EXPECT_EQ(HexWordAt("a0Ff"), 0xA0FF);
}

TEST(HexRecordLineTest, ReadsFieldsAndSumsData) {
  const std::string line = ":03A00000FF02fe5E";
  EXPECT_EQ(RecordByteCount(line), 3);
  EXPECT_EQ(RecordAddress(line), 0xA000);
  EXPECT_EQ(AddRecordData(line, 3, 0xFF00), (0xFF00 + 0xFF + 0x02 + 0xFE) & 0xFFFF);
  EXPECT_TRUE(RecordHoldsData(line, 3));
  EXPECT_FALSE(RecordHoldsData(line, 4));  // its last pair is the checksum, not a data byte
  EXPECT_EQ(RecordLineLength(3), line.size());
  EXPECT_EQ(HexWordText(0x00AB), "00AB");
  EXPECT_EQ(HexWordText(0xFFFF), "FFFF");
}

TEST(TextModeTest, LineReaderStripsLfAndCrLf) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\n\r\nb\n", {"a", "", "b"}},
      {"a\r\r\nb", {"a\r", "b"}},  // only the CR right before the LF belongs to the line end
      {"a\rb\n", {"a\rb"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitTextLines(c.bytes), c.lines) << testing::PrintToString(c.bytes);
  }
}

TEST(TextModeTest, WriteAddsCrBeforeEveryLfAndReadTakesItAway) {
  EXPECT_EQ(TextToDisk("a\r\nb\nc"), "a\r\r\nb\r\nc");
  EXPECT_EQ(TextFromDisk("a\r\r\nb\r\nc\r"), "a\r\nb\nc\r");
  std::string bytes = "x\r\r\ny\r\n";
  EXPECT_EQ(TextFromDiskInPlace(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()), 5u);
  EXPECT_EQ(bytes.substr(0, 5), "x\r\ny\n");
}

}  // namespace
}  // namespace korvane
