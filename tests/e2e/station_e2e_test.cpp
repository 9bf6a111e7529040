// The korvane station as a process: whole runs on simulated cameras with simulated time, the
// close request by signal, the exit status and the files left behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "station_process.h"
#include "support/sample_files.h"

namespace korvane {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::SampleFile;
using testing::ScratchDirectory;
using testing::StationEnd;
using testing::StationProcess;

constexpr char kReady[] = "   USB Device Ready !!!";
constexpr char kFailure[] = "   USB Device Initialize Failure !!!";
constexpr char kNotFound[] = "   File not Found !!!";
constexpr char kOpenFileError[] = "   Open File Error !!!";
constexpr char kDoNotRemove[] = "Please do not remove the device...";
constexpr char kNoRecordFirmware[] = ":00000001FF\r\n";

// Texts must appear in the output in this order.
void ExpectInOrder(const std::string& output, const std::vector<std::string>& texts) {
  std::size_t from = 0;
  for (const std::string& text : texts) {
    const std::size_t at = output.find(text, from);
    EXPECT_NE(at, std::string::npos) << "'" << text << "' missing or out of order in:\n" << output;
    if (at == std::string::npos) {
      return;
    }
    from = at + text.size();
  }
}

// Whatever ended the run, no sanitizer spoke and no signal killed the process.
void ExpectCleanEnd(const StationEnd& end) {
  EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
  EXPECT_THAT(end.err, Not(HasSubstr("Sanitizer")));
  EXPECT_THAT(end.err, Not(HasSubstr("runtime error")));
}

std::vector<std::string> SimulateEach(const std::vector<std::string>& specs) {
  std::vector<std::string> arguments;
  for (const std::string& spec : specs) {
    arguments.push_back("--simulate");
    arguments.push_back(spec);
  }
  return arguments;
}

enum class FileSet { kBoth, kFirmwareWithoutRecord, kNoParameter };
enum class Flash { kNotCompared, kEqualsEepromBin, kPartlyWritten };

struct RunCase {
  const char* name;
  FileSet files;
  std::vector<std::string> cameras;
  // A halted window waits for the operator: the test sends SIGTERM once this status is out.
  const char* closeAfter;
  int exitStatus;
  std::vector<std::string> inOrder;
  std::vector<std::string> absent;
  bool eepromFiles;
  Flash flash;
};

void PrintTo(const RunCase& c, std::ostream* out) {
  *out << c.name;
}

// The samples' image is 8640 bytes, 1080 blocks; discovery, the camera checks and the erase take
// well under 600 requests, so request 600 is one of the blocks. The refused block ends the write
// at once, and the dialog with it, before the graph's report of the loss can be dispatched.
constexpr char kUnplugInTheBlocks[] = "model=TALVO,unplug-at=600";

const RunCase kRuns[] = {
    {"PassTalvo",
     FileSet::kBoth,
     {"model=TALVO"},
     nullptr,
     1,
     {kReady, "FW.hex", "UI.hex", kDoNotRemove, "Progress 100 %", "PASS"},
     {"FAIL"},
     true,
     Flash::kEqualsEepromBin},
    {"PassKestaVariantB",
     FileSet::kBoth,
     {"model=KESTA,variant=B"},
     nullptr,
     1,
     {kReady, kDoNotRemove, "PASS"},
     {"FAIL"},
     true,
     Flash::kEqualsEepromBin},
    {"PassMorinWithStaleFlash",
     FileSet::kBoth,
     {"model=MORIN,flash-fill=old-firmware"},
     nullptr,
     1,
     {kReady, kDoNotRemove, "PASS"},
     {"FAIL"},
     true,
     Flash::kEqualsEepromBin},
    // The flash written out is the chosen camera's, not the first device's.
    {"PassSecondDeviceAfterAnUnknownChip",
     FileSet::kBoth,
     {"chip=0x1234", "model=MORIN"},
     nullptr,
     1,
     {kReady, kDoNotRemove, "PASS"},
     {"FAIL"},
     true,
     Flash::kEqualsEepromBin},
    {"NoCamera",
     FileSet::kBoth,
     {},
     nullptr,
     0,
     {kFailure, "FAIL"},
     {"PASS", kDoNotRemove},
     false,
     Flash::kNotCompared},
    {"LensMismatch",
     FileSet::kBoth,
     {"model=TALVO,word-a=0x1111,word-b=0x1111,lens=0x2000"},
     nullptr,
     0,
     {kReady, "korvane: Lens Error", "FAIL"},
     {"PASS", kDoNotRemove},
     false,
     Flash::kNotCompared},
    {"UnplugBeforeTheTimer",
     FileSet::kBoth,
     {"model=TALVO,unplug-after-ms=500"},
     nullptr,
     0,
     {kReady, kFailure},
     {"PASS", "FAIL", kDoNotRemove},
     false,
     Flash::kNotCompared},
    {"UnplugDuringTheBlocks",
     FileSet::kBoth,
     {kUnplugInTheBlocks},
     nullptr,
     0,
     {kReady, kDoNotRemove, "Progress 10 %", "FAIL"},
     {"PASS", "Progress 100 %"},
     true,
     Flash::kPartlyWritten},
    {"ParameterFileMissing",
     FileSet::kNoParameter,
     {"model=TALVO"},
     kNotFound,
     0,
     {kNotFound},
     {"PASS", "FAIL"},
     false,
     Flash::kNotCompared},
    {"FirmwareWithoutRecord",
     FileSet::kFirmwareWithoutRecord,
     {"model=TALVO"},
     kOpenFileError,
     0,
     {"korvane: Open File Error.", kOpenFileError},
     {"PASS", "FAIL"},
     false,
     Flash::kNotCompared},
};

class StationRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(StationRunTest, EndsWithTheExitStatusOfWhatItShowed) {
  const RunCase& c = GetParam();
  ScratchDirectory dir;
  dir.Write("FW.hex",
            c.files == FileSet::kFirmwareWithoutRecord ? kNoRecordFirmware : SampleFile("FW.hex"));
  if (c.files != FileSet::kNoParameter) {
    dir.Write("UI.hex", SampleFile("UI.hex"));
  }
  std::vector<std::string> arguments = {"-C", dir.Path(), "--fast", "--flash-out",
                                        dir.PathOf("flash.bin")};
  for (const std::string& argument : SimulateEach(c.cameras)) {
    arguments.push_back(argument);
  }
  // Started elsewhere: -C alone must choose the working directory.
  StationProcess station(KORVANE_EXECUTABLE, arguments, "/");
  ASSERT_TRUE(station.Started());

  if (c.closeAfter != nullptr) {
    ASSERT_TRUE(station.WaitForOutput(c.closeAfter));
    EXPECT_TRUE(station.Running()) << "the window stays open until a close request";
    station.Signal(SIGTERM);
  }
  const StationEnd end = station.Finish();

  ExpectCleanEnd(end);
  EXPECT_EQ(end.exitStatus, c.exitStatus) << end.out << end.err;
  ExpectInOrder(end.out, c.inOrder);
  for (const std::string& text : c.absent) {
    EXPECT_THAT(end.out, Not(HasSubstr(text)));
  }
  EXPECT_EQ(dir.Has("EEPROM.bin"), c.eepromFiles);
  EXPECT_EQ(dir.Has("EEPROM.text"), c.eepromFiles);
  if (!c.cameras.empty()) {
    EXPECT_THAT(end.err, IsEmpty());
  }

  const std::string bin = dir.Read("EEPROM.bin");
  const std::string flash = dir.Read("flash.bin");
  switch (c.flash) {
    case Flash::kNotCompared:
      break;
    case Flash::kEqualsEepromBin:
      ASSERT_FALSE(bin.empty());
      ASSERT_GE(flash.size(), bin.size());
      EXPECT_TRUE(flash.compare(0, bin.size(), bin) == 0) << "the flash holds EEPROM.bin";
      break;
    case Flash::kPartlyWritten:
      ASSERT_GT(bin.size() / 8, 600u) << "request 600 must fall among the blocks";
      ASSERT_GE(flash.size(), bin.size());
      EXPECT_TRUE(flash.compare(0, 8, bin, 0, 8) == 0) << "the first block went";
      EXPECT_FALSE(flash.compare(0, bin.size(), bin) == 0) << "the last ones did not";
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Fast, StationRunTest, ::testing::ValuesIn(kRuns),
                         [](const auto& tested) { return std::string(tested.param.name); });

// The one test on real time. Every request of the simulated camera takes 1 ms, so the 1080 blocks
// take more than a second after "Please do not remove the device..." is out: the signal sent then
// lands while the blocks go out, and the write must still finish them, pass, and be the result.
TEST(StationSignalTest, SigtermDuringTheBlocksLetsTheWriteEndFirst) {
  ScratchDirectory dir;
  dir.Write("FW.hex", SampleFile("FW.hex"));
  dir.Write("UI.hex", SampleFile("UI.hex"));
  StationProcess station(KORVANE_EXECUTABLE,
                         {"-C", dir.Path(), "--simulate", "model=TALVO,request-ms=1", "--flash-out",
                          dir.PathOf("flash.bin")},
                         "/");
  ASSERT_TRUE(station.Started());
  ASSERT_TRUE(station.WaitForOutput(kDoNotRemove));
  station.Signal(SIGTERM);
  const std::string seenAtSignal = station.OutputSoFar();
  const StationEnd end = station.Finish();

  ExpectCleanEnd(end);
  ASSERT_EQ(end.out.compare(0, seenAtSignal.size(), seenAtSignal), 0);
  EXPECT_THAT(seenAtSignal, Not(HasSubstr("Progress 100 %")));
  const std::string afterSignal = end.out.substr(seenAtSignal.size());
  ExpectInOrder(afterSignal, {"Progress 100 %", "PASS"});
  EXPECT_THAT(afterSignal, Not(HasSubstr("FAIL")));
  EXPECT_EQ(end.exitStatus, 1);
  const std::string bin = dir.Read("EEPROM.bin");
  ASSERT_FALSE(bin.empty());
  const std::string flash = dir.Read("flash.bin");
  ASSERT_GE(flash.size(), bin.size());
  EXPECT_EQ(flash.compare(0, bin.size(), bin), 0) << "the flash holds EEPROM.bin";
}

TEST(StationOptionsTest, HelpTellsWhatHappensWithoutACamera) {
  ScratchDirectory dir;
  StationProcess station(KORVANE_EXECUTABLE, {"--help"}, dir.Path());
  const StationEnd end = station.Finish();
  ExpectCleanEnd(end);
  EXPECT_EQ(end.exitStatus, 0);
  EXPECT_THAT(end.out, HasSubstr("--simulate"));
  EXPECT_THAT(end.out, HasSubstr(kFailure));
  EXPECT_THAT(end.out, HasSubstr("FAIL"));
  EXPECT_THAT(end.out, HasSubstr("exit status 0"));
}

TEST(StationOptionsTest, BadOptionsExitZeroWithAClearErrorAndTouchNothing) {
  struct Case {
    std::vector<std::string> arguments;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"--simulate"}, "--simulate"},
      {{"--simulate", "model=NOPE"}, "NOPE"},
      {{"--simulate", "model=TALVO,unplug-at"}, "unplug-at"},
      {{"--flash-out"}, "--flash-out"},
      {{"-C", "/nonexistent/korvane"}, "/nonexistent/korvane"},
      {{"--fast", "extra"}, "extra"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mentions);
    ScratchDirectory dir;
    dir.Write("FW.hex", SampleFile("FW.hex"));
    dir.Write("UI.hex", SampleFile("UI.hex"));
    StationProcess station(KORVANE_EXECUTABLE, c.arguments, dir.Path());
    const StationEnd end = station.Finish();
    ExpectCleanEnd(end);
    EXPECT_EQ(end.exitStatus, 0);
    EXPECT_THAT(end.err, HasSubstr(c.mentions));
    EXPECT_THAT(end.out, IsEmpty()) << "no window for a bad command line";
    EXPECT_FALSE(dir.Has("EEPROM.bin"));
  }
}

}  // namespace
}  // namespace korvane
