#include "flash/build_flash_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flash/split_parameter_header.h"
#include "image/hex_text_to_image.h"
#include "image/memory_file_system.h"

namespace korvane {
namespace {

using testing::MemoryFileSystem;

constexpr char kDirectory[] = "/line/station";

class BuildFlashImageTest : public ::testing::Test {
 protected:
  BuildFlashImageTest() : files(kDirectory), image(kFlashImageCapacity, 0xA5) {
    SplitParameterHeader("6C1405E20100000000000000", fields);
  }

  FlashImageBuild Build() {
    return BuildFlashImage(files, kDirectory, fields,
                           {firmwareSum, parameterSum, parameterLines, firmwareLines},
                           image.data());
  }

  std::string Text() const { return files.Contents("EEPROM.text"); }
  std::string Bin() const { return files.Contents("EEPROM.bin"); }

  MemoryFileSystem files;
  HeaderFields fields;
  std::uint16_t firmwareSum = 0x1200;
  std::uint16_t parameterSum = 0x0034;
  std::vector<std::string> parameterLines;
  std::vector<std::string> firmwareLines;
  std::vector<std::uint8_t> image;
};

TEST_F(BuildFlashImageTest, EmptyListsGiveHeaderAndEndRecord) {
  FlashImageBuild build = Build();
  ASSERT_TRUE(build.Built()) << build.reason;
  EXPECT_EQ(Text(), ":10000000FFFF1234010005E26C1400000000000000\r\r\n:00000001FF");
  EXPECT_EQ(fields.m_headerSizeText, "FFFF");
  EXPECT_EQ(build.checksumWord, 0x1234);
  EXPECT_EQ(build.imageLength, 16u);
  EXPECT_EQ(build.programmedLength, 144u);
  // Length word 16 - 0xC0 wraps to 0xFF50; the rest of the header record follows.
  const std::vector<std::uint8_t> header = {0xFF, 0x50, 0x12, 0x34, 0x01, 0x00, 0x05, 0xE2,
                                            0x6C, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + 16), header);
  ASSERT_EQ(Bin().size(), 144u);
  EXPECT_EQ(Bin().substr(0, 16), std::string(header.begin(), header.end()));
  EXPECT_EQ(Bin().substr(16), std::string(128, '\0'));
  for (std::size_t i = 16; i < kFlashImageCapacity; ++i) {
    ASSERT_EQ(image[i], 0) << i;  // the image is cleared before the conversion
  }
}

TEST_F(BuildFlashImageTest, ChecksumWordWrapsAndIsUpperCase) {
  struct Case {
    std::uint16_t firmware;
    std::uint16_t parameter;
    const char* field;
  };
  const Case cases[] = {{0xFF00, 0x0200, "0100"}, {0x00AB, 0, "00AB"}, {0xFFFF, 0xFFFF, "FFFE"}};
  for (const Case& c : cases) {
    firmwareSum = c.firmware;
    parameterSum = c.parameter;
    SplitParameterHeader("6C1405E20100000000000000", fields);
    ASSERT_TRUE(Build().Built());
    EXPECT_EQ(Text().substr(13, 4), c.field);
  }
}

TEST_F(BuildFlashImageTest, RecordsLandAtTheirAddressesWithLengthWord) {
  parameterLines = {":10001000" + std::string(32, '7') + "00"};
  firmwareLines = {":10010000000102030405060708090A0B0C0D0E0F5A"};
  FlashImageBuild build = Build();
  ASSERT_TRUE(build.Built()) << build.reason;
  EXPECT_EQ(build.imageLength, 0x110u);
  EXPECT_EQ(build.programmedLength, 0x190u);
  EXPECT_EQ(image[0], 0x00);
  EXPECT_EQ(image[1], 0x50);
  EXPECT_EQ(image[0x10], 0x77);
  EXPECT_EQ(image[0x100], 0x00);
  EXPECT_EQ(image[0x10F], 0x0F);
  EXPECT_EQ(Bin().size(), 400u);
  EXPECT_EQ(Bin().substr(0x110), std::string(128, '\0'));
  EXPECT_EQ(Text(), ":10000000FFFF1234010005E26C1400000000000000\r\r\n" + parameterLines[0] +
                        "\r\r\n" + firmwareLines[0] + "\r\r\n:00000001FF");
}

TEST_F(BuildFlashImageTest, ZeroAddressLineEndsTheImageButStaysInTheText) {
  parameterLines = {":10000000" + std::string(32, '1') + "00",
                    ":10010000" + std::string(32, '2') + "00"};
  FlashImageBuild build = Build();
  ASSERT_TRUE(build.Built());
  EXPECT_EQ(build.imageLength, 16u);
  // The terminating line's 11s land nowhere: the length word, then the header record's bytes.
  const std::vector<std::uint8_t> header = {0xFF, 0x50, 0x12, 0x34, 0x01, 0x00, 0x05, 0xE2,
                                            0x6C, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + 16), header);
  EXPECT_EQ(image[0x100], 0);
  EXPECT_NE(Text().find(parameterLines[1]), std::string::npos);
}

TEST_F(BuildFlashImageTest, SecondRunLeavesNoTailOfALongerFirstRun) {
  firmwareLines = {":10010000000102030405060708090A0B0C0D0E0F5A"};
  ASSERT_TRUE(Build().Built());
  firmwareLines.clear();
  SplitParameterHeader("6C1405E20100000000000000", fields);
  ASSERT_TRUE(Build().Built());
  EXPECT_EQ(Text().size(), 43u + 3u + 11u);
  EXPECT_EQ(Bin().size(), 144u);
}

TEST_F(BuildFlashImageTest, LongestImageThatLeavesRoomForTheTail) {
  firmwareLines = {":01FF7E0011CC"};  // ends at 0xFF7F: 65,407 bytes
  FlashImageBuild build = Build();
  ASSERT_TRUE(build.Built()) << build.reason;
  EXPECT_EQ(build.programmedLength, kFlashImageCapacity);
  EXPECT_EQ(Bin().size(), kFlashImageCapacity);
}

TEST_F(BuildFlashImageTest, EveryFailureStopsTheStep) {
  struct Case {
    const char* name;
    void (*arrange)(MemoryFileSystem&, std::vector<std::string>&);
    FlashImageStatus status;
    bool textWritten;
  };
  const Case cases[] = {
      {"text not created", [](auto& f, auto&) { f.FailCreate("EEPROM.text"); },
       FlashImageStatus::kTextNotCreated, false},
      {"text write fails", [](auto& f, auto&) { f.FailWrite("EEPROM.text"); },
       FlashImageStatus::kTextNotWritten, false},
      {"text close fails", [](auto& f, auto&) { f.FailClose("EEPROM.text"); },
       FlashImageStatus::kTextNotWritten, true},
      {"text not reopened", [](auto& f, auto&) { f.FailOpen("EEPROM.text"); },
       FlashImageStatus::kTextNotReopened, true},
      {"text read fails", [](auto& f, auto&) { f.FailRead("EEPROM.text"); },
       FlashImageStatus::kTextNotRead, true},
      {"text size unknown", [](auto& f, auto&) { f.FailSize("EEPROM.text"); },
       FlashImageStatus::kTextNotRead, true},
      {"record at 0xFFFF", [](auto&, auto& lines) { lines = {":01FFFF0011CC"}; },
       FlashImageStatus::kConversionFailed, true},
      {"no room for the tail", [](auto&, auto& lines) { lines = {":01FF7F0011CC"}; },
       FlashImageStatus::kImageTooLong, true},
      {"bin not created", [](auto& f, auto&) { f.FailCreate("EEPROM.bin"); },
       FlashImageStatus::kBinNotCreated, true},
      {"bin write fails", [](auto& f, auto&) { f.FailWrite("EEPROM.bin"); },
       FlashImageStatus::kBinNotWritten, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files = MemoryFileSystem(kDirectory);
    firmwareLines.clear();
    SplitParameterHeader("6C1405E20100000000000000", fields);
    c.arrange(files, firmwareLines);
    FlashImageBuild build = Build();
    EXPECT_EQ(build.status, c.status);
    EXPECT_FALSE(build.reason.empty());
    EXPECT_EQ(build.programmedLength, 0u);
    if (c.textWritten) {
      EXPECT_EQ(Text().substr(0, 9), ":10000000");
    }
    if (c.status != FlashImageStatus::kBinNotWritten) {
      EXPECT_FALSE(files.Has("EEPROM.bin"));
    }
  }
}

}  // namespace
}  // namespace korvane
