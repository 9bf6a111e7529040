#include "image/parameter_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

// A 16-byte data record whose bytes are all `byte` (two digits as written).
std::string Data16(const std::string& address, const std::string& byte) {
  std::string data;
  for (int i = 0; i < 16; ++i) {
    data += byte;
  }
  return ":10" + address + "00" + data + "C3";
}

TEST(ParameterTextTest, ReadsHeaderDataAndSkipsEndRecord) {
  std::string file = ":0C000000112233445566778899AABBCC9A\r\n";
  int expectedSum = 0;
  for (int i = 0; i < 16; ++i) {
    file += Data16("0100", "f0") + "\r\n";
    expectedSum += 16 * 0xF0;
  }
  file += ":00000001FF\r\n";
  ParameterText text = ParseParameterText(file);
  ASSERT_EQ(text.status, ParameterTextStatus::kLoaded);
  EXPECT_EQ(text.header, "00112233445566778899AABBCC9A");  // the whole rest of the line
  ASSERT_EQ(text.lines.size(), 16u);
  EXPECT_EQ(text.lines[0], Data16("0100", "f0"));  // kept as read, lower case included
  EXPECT_EQ(text.sum, expectedSum & 0xFFFF);
}

TEST(ParameterTextTest, LineKinds) {
  struct Case {
    const char* name;
    std::string file;
    ParameterTextStatus status;
    std::size_t lines;
    std::string header;
    std::size_t badLine;
  };
  const std::string data = Data16("0100", "01");
  const Case cases[] = {
      {"empty file", "", ParameterTextStatus::kLoaded, 0, "", 0},
      {"no header", data + "\n", ParameterTextStatus::kLoaded, 1, "", 0},
      {"later header wins", ":0C0000AAA\n" + data + "\n:0C0000BBB\n", ParameterTextStatus::kLoaded,
       1, "BBB", 0},
      {"end record with a tail", ":00000001FFxyz\n" + data, ParameterTextStatus::kLoaded, 1, "", 0},
      {"extended address record", data + "\n:020000040000FA\n" + data,
       ParameterTextStatus::kBadLine, 1, "", 2},
      {"32-byte record", ":20010000" + std::string(66, '0'), ParameterTextStatus::kBadLine, 0, "",
       1},
      {"trailing blank", data + " ", ParameterTextStatus::kBadLine, 0, "", 1},
      {"blank line", ":0C0000H\n\n" + data, ParameterTextStatus::kBadLine, 0, "H", 2},
      {"count above 16", ":11010000" + std::string(34, '0'), ParameterTextStatus::kBadLine, 0, "",
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ParameterText text = ParseParameterText(c.file);
    EXPECT_EQ(text.status, c.status);
    EXPECT_EQ(text.lines.size(), c.lines);
    EXPECT_EQ(text.header, c.header);
    EXPECT_EQ(text.lineNumber, c.badLine);
  }
}

TEST(ParameterTextTest, ByteCountDecidesHowManyBytesAreSummed) {
  ParameterText text = ParseParameterText(":02010000" + std::string(32, 'F') + "00");
  ASSERT_EQ(text.status, ParameterTextStatus::kLoaded);
  EXPECT_EQ(text.sum, 2 * 0xFF);
}

}  // namespace
}  // namespace korvane
