#include "image/firmware_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

// A 16-byte data record at `address` (four digits as written), its checksum text left as "5A".
std::string Record16(const std::string& address) {
  return ":10" + address + "00000102030405060708090A0B0C0D0E0F5A";
}

struct RelocationCase {
  std::int32_t kind;
  std::string address;  // as written in the file
  bool kept;
  std::string newAddress;
};

TEST(FirmwareTextTest, RelocatesOrDropsByControllerKind) {
  const RelocationCase cases[] = {
      {1, "A000", true, "0100"},  {1, "a000", true, "0100"}, {1, "9FF0", false, ""},
      {1, "FFF0", true, "60F0"},  {1, "8000", false, ""},    {2, "8000", true, "0100"},
      {2, "8010", true, "0110"},  {2, "FFF0", true, "80F0"}, {2, "7FF0", false, ""},
      {3, "8000", true, "0100"},  {3, "7FF0", false, ""},    {0, "0000", true, "8100"},
      {0, "7F00", true, "0000"},  {0, "8000", true, "0100"}, {7, "1234", true, "9334"},
      {-1, "A000", true, "2100"},
  };
  for (const RelocationCase& c : cases) {
    const std::string line = Record16(c.address);
    FirmwareText text = ParseFirmwareText(line + "\r\n", c.kind);
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " address " + c.address);
    if (!c.kept) {
      EXPECT_EQ(text.status, FirmwareTextStatus::kNoRecord);
      EXPECT_TRUE(text.lines.empty());
      EXPECT_EQ(text.sum, 0);
      continue;
    }
    ASSERT_EQ(text.status, FirmwareTextStatus::kLoaded);
    std::string expected = line;
    expected.replace(3, 4, c.newAddress);
    EXPECT_EQ(text.lines, std::vector<std::string>{expected});
    EXPECT_EQ(text.sum, 120);  // 0 + 1 + ... + 15
  }
}

TEST(FirmwareTextTest, EndRecordIsDroppedForKnownKindsAndMovedOtherwise) {
  const std::string file = Record16("8000") + "\r\n:00000001FF\r\n";
  EXPECT_EQ(ParseFirmwareText(file, 2).lines.size(), 1u);
  FirmwareText none = ParseFirmwareText(file, 0);
  ASSERT_EQ(none.lines.size(), 2u);
  EXPECT_EQ(none.lines[1], ":00810001FF");
  EXPECT_EQ(none.sum, 120);
}

TEST(FirmwareTextTest, SumWrapsAndIgnoresRecordTypeAndChecksum) {
  // 300 bytes of FF in 20 records of 15 bytes: 76500, which wraps to 76500 - 65536.
  std::string file;
  for (int i = 0; i < 20; ++i) {
    file += ":0F8000" + std::string("05") + std::string(30, 'f') + "zz\n";
  }
  FirmwareText text = ParseFirmwareText(file, 2);
  ASSERT_EQ(text.status, FirmwareTextStatus::kLoaded);
  EXPECT_EQ(text.sum, 76500 - 65536);
  EXPECT_EQ(text.lines[0], ":0F0100" + std::string("05") + std::string(30, 'f') + "zz");
}

TEST(FirmwareTextTest, MalformedLinesFailAtTheirLineNumber) {
  struct Case {
    std::string badLine;
    const char* reasonPart;
  };
  const Case cases[] = {
      {"", "blank"},
      {":108000", "shorter"},
      {":" + std::string(260, '0'), "longer"},
      {":10800000" + std::string(30, '0'), "byte count"},  // 16 announced, 15 present
      {":FF80000000", "byte count"},
      // Data but no checksum pair: the image would take 32 for the checksum and drop it.
      {":0480000002801132", "byte count 4 needs 19 characters, line has 17"},
      {":00800001", "byte count 0 needs 11 characters, line has 9"},
  };
  for (const Case& c : cases) {
    const std::string file = Record16("8000") + "\r\n" + c.badLine + "\r\n" + Record16("8010");
    FirmwareText text = ParseFirmwareText(file, 2);
    SCOPED_TRACE(c.badLine);
    EXPECT_EQ(text.status, FirmwareTextStatus::kBadLine);
    EXPECT_EQ(text.lineNumber, 2u);
    EXPECT_NE(text.reason.find(c.reasonPart), std::string::npos) << text.reason;
    EXPECT_EQ(text.lines.size(), 1u);  // what came before the bad line
  }
}

TEST(FirmwareTextTest, LongestAndShortestAcceptedLines) {
  // 124 data bytes and a checksum: 9 + 248 + 2 = 259 characters; pad one more to reach 260.
  const std::string longest = ":7C800000" + std::string(248, '1') + "000";
  ASSERT_EQ(longest.size(), 260u);
  FirmwareText text = ParseFirmwareText(longest + "\n:00800001FF", 2);
  ASSERT_EQ(text.status, FirmwareTextStatus::kLoaded);
  EXPECT_EQ(text.sum, 124 * 0x11);
  EXPECT_EQ(text.lines[1], ":00010001FF");
}

TEST(FirmwareTextTest, EmptyFileHasNoRecord) {
  EXPECT_EQ(ParseFirmwareText("", 2).status, FirmwareTextStatus::kNoRecord);
  EXPECT_EQ(ParseFirmwareText("", 0).status, FirmwareTextStatus::kNoRecord);
}

}  // namespace
}  // namespace korvane
