// korvane-image end to end: the samples give the committed golden files for every model, and each
// station failure gives its message, the file, the line and the reason.
#include "tools/korvane_image/image_tool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "memory_file_system.h"
#include "platform/posix/posix_file_system.h"

namespace korvane {
namespace {

using testing::MemoryFileSystem;

std::string ReadDiskFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The folders are fixed at configure time, so the program also runs on its own.
std::filesystem::path Samples() {
  return KORVANE_IMAGE_SAMPLES_DIR;
}
std::filesystem::path Golden(const std::string& model) {
  return std::filesystem::path(KORVANE_IMAGE_GOLDEN_DIR) / model;
}

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args, FileSystem& files) {
  std::ostringstream out;
  std::ostringstream err;
  ToolRun run;
  run.status = RunImageTool(args, files, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

class GoldenFilesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenFilesTest, SamplesGiveTheGoldenFiles) {
  const std::string model = GetParam();
  const std::string goldenText = ReadDiskFile(Golden(model) / "EEPROM.text");
  ASSERT_FALSE(goldenText.empty()) << "no golden files";
  MemoryFileSystem files("/station");
  files.AddFile("FW.hex", ReadDiskFile(Samples() / "FW.hex"));
  files.AddFile("UI.hex", ReadDiskFile(Samples() / "UI.hex"));
  ToolRun run = RunTool({"--model", model}, files);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(files.Contents("EEPROM.text"), goldenText);
  EXPECT_EQ(files.Contents("EEPROM.bin"), ReadDiskFile(Golden(model) / "EEPROM.bin"));
  EXPECT_NE(run.out.find("Firmware file:     FW.hex\nParameter file:    UI.hex\n"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Models, GoldenFilesTest,
                         ::testing::Values("KESTA", "TALVO", "MORIN", "NONE"));

TEST(ImageToolTest, ReportsLengthsAndChecksumWord) {
  MemoryFileSystem files("/station");
  files.AddFile("FW.hex", ReadDiskFile(Samples() / "FW.hex"));
  files.AddFile("UI.hex", ReadDiskFile(Samples() / "UI.hex"));
  ToolRun run = RunTool({"--model", "KESTA"}, files);
  ASSERT_EQ(run.status, 0);
  // Four 16-byte records from 0xA000 land at 0x0100: the image ends at 0x0140.
  EXPECT_NE(run.out.find("Image length:      0x0140 (320 bytes)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Programmed length: 0x01C0 (448 bytes)"), std::string::npos);
  EXPECT_NE(run.out.find("Checksum word:     0x6DA1"), std::string::npos);
}

TEST(ImageToolTest, WorksOnDiskInADirectoryLongerThan260Characters) {
  std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("korvane-image-" + std::to_string(::getpid()));
  for (int i = 0; i < 4; ++i) {
    directory /= std::string(80, static_cast<char>('a' + i));
  }
  ASSERT_GT(directory.string().size(), 260u);
  std::filesystem::create_directories(directory);
  std::filesystem::copy_file(Samples() / "FW.hex", directory / "FW.hex");
  std::filesystem::copy_file(Samples() / "UI.hex", directory / "UI.hex");
  PosixFileSystem files;
  ToolRun run = RunTool({"--dir", directory.string(), "--model", "TALVO"}, files);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadDiskFile(directory / "EEPROM.text"), ReadDiskFile(Golden("TALVO") / "EEPROM.text"));
  EXPECT_EQ(ReadDiskFile(directory / "EEPROM.bin"), ReadDiskFile(Golden("TALVO") / "EEPROM.bin"));
  std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                              ("korvane-image-" + std::to_string(::getpid())));
}

TEST(ImageToolTest, FailuresNameTheStationMessageAndWhatWentWrong) {
  const std::string record = ":0480000002801132B7";
  const std::string parameter = ":10001000" + std::string(32, 'A') + "00";
  struct Case {
    const char* name;
    void (*arrange)(MemoryFileSystem&, const std::string&, const std::string&);
    const char* model;
    std::string message;
    std::string detail;
  };
  const Case cases[] = {
      {"no files", [](auto&, auto&, auto&) {}, "TALVO", "   File not Found !!!\n", "\"FW.hex\""},
      {"no parameter file", [](auto& f, auto& r, auto&) { f.AddFile("FW.hex", r); }, "TALVO",
       "   File not Found !!!\n", "\"UI.hex\""},
      {"firmware bad line",
       [](auto& f, auto& r, auto& p) {
         f.AddFile("FW.hex", r + "\r\n\r\n" + r);
         f.AddFile("UI.hex", p);
       },
       "TALVO", "Open File Error.\n", "FW.hex, line 2: blank line"},
      {"no firmware record for the model",
       [](auto& f, auto& r, auto& p) {
         f.AddFile("FW.hex", r);
         f.AddFile("UI.hex", p);
       },
       "KESTA", "Open File Error.\n", "FW.hex: no record at or above the keep threshold of KESTA"},
      {"parameter file does not open",
       [](auto& f, auto& r, auto&) {
         f.AddFile("FW.hex", r);
         f.AddDirectory("UI.hex");
       },
       "TALVO", "   Open File Error !!!\n", "UI.hex: cannot be opened"},
      {"parameter bad line",
       [](auto& f, auto& r, auto& p) {
         f.AddFile("FW.hex", r);
         f.AddFile("UI.hex", ":0C0000" + std::string(24, '0') + "\n" + p + "\n:020000040000FA\n");
       },
       "TALVO", "Open File Error.\n", "UI.hex, line 3: line of 15 characters"},
      {"record at the image capacity",
       [](auto& f, auto&, auto& p) {
         f.AddFile("FW.hex", ":017EFF0011CC");  // moves to 0xFFFF
         f.AddFile("UI.hex", p);
       },
       "NONE", "Error\n", "EEPROM.text: a record lies at or runs past"},
      {"EEPROM.bin cannot be created",
       [](auto& f, auto& r, auto& p) {
         f.AddFile("FW.hex", r);
         f.AddFile("UI.hex", p);
         f.FailCreate("EEPROM.bin");
       },
       "TALVO", "Error\n", "/station/EEPROM.bin: cannot be created"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem files("/station");
    c.arrange(files, record, parameter);
    ToolRun run = RunTool({"--model", c.model}, files);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, c.message.size()), c.message) << run.err;
    EXPECT_NE(run.err.find(c.detail), std::string::npos) << run.err;
  }
}

TEST(ImageToolTest, CommandLine) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* text;
  };
  const Case cases[] = {
      {{"--help"}, 0, "Usage: korvane-image --model TALVO|MORIN|KESTA|NONE [--dir DIR]"},
      {{}, 2, "--model is required"},
      {{"--model", "talvo"}, 2, "unknown model talvo"},
      {{"--model"}, 2, "--model needs a value"},
      {{"--model", "NONE", "--verbose"}, 2, "unknown argument --verbose"},
      {{"--model", "NONE", "--dir", "sub"}, 1, "no entry of /station/sub has"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files("/station");
    ToolRun run = RunTool(c.args, files);
    EXPECT_EQ(run.status, c.status) << c.text;
    EXPECT_NE((run.out + run.err).find(c.text), std::string::npos) << run.out << run.err;
  }
}

}  // namespace
}  // namespace korvane
