// The two loaders as the dialog calls them: state, window effects and their order.
#include <gtest/gtest.h>

#include "image/load_firmware_file.h"
#include "image/load_parameter_file.h"
#include "memory_file_system.h"
#include "platform/control_ids.h"
#include "support/mock_dialog_window.h"

namespace korvane {
namespace {

using ::testing::InSequence;
using testing::MemoryFileSystem;
using testing::MockDialogWindow;
using ::testing::StrictMock;

const std::string kFirmwareRecord = ":03800000AABBCC5A";
const std::string kParameterRecord = ":10010000" + std::string(32, '1') + "00";

class LoaderTest : public ::testing::Test {
 protected:
  LoaderTest() {
    state.m_firmwarePath = "FW.hex";
    state.m_parameterPath = "UI.hex";
  }

  // State a previous load left behind.
  void LoadedBefore() {
    state.m_firmwareLines = {"old firmware"};
    state.m_firmwareSum = 0x1111;
    state.m_firmwareLoaded = 1;
    state.m_parameterLines = {"old parameter"};
    state.m_parameterSum = 0x2222;
    state.m_parameterHeader = "old header";
    state.m_parameterLoaded = 1;
  }

  void ExpectFirmwareFailure() {
    InSequence order;
    EXPECT_CALL(window, SetControlText(ctrl::kFirmwareNameEdit, ""));
    EXPECT_CALL(window, ShowMessage("Open File Error."));
  }

  void ExpectParameterLineFailure() {
    InSequence order;
    EXPECT_CALL(window, EnableControl(ctrl::kSaveParameterButton, false));
    EXPECT_CALL(window, EnableControl(ctrl::kParameterPageButton, false));
    EXPECT_CALL(window, ShowMessage("Open File Error."));
    EXPECT_CALL(window, SetControlText(ctrl::kParameterNameEdit, ""));
  }

  MemoryFileSystem files;
  StrictMock<MockDialogWindow> window;
  ImageFilesState state;
};

TEST_F(LoaderTest, FirmwareLoadReplacesListAndEnablesSave) {
  LoadedBefore();
  state.m_firmwareLoaded = 0;
  files.AddFile("FW.hex", kFirmwareRecord + "\r\n:00000001FF\r\n");
  EXPECT_CALL(window, EnableControl(ctrl::kSaveFirmwareButton, true));
  LoadFirmwareFile(state, 2, files, window);
  EXPECT_EQ(state.m_firmwareLines, std::vector<std::string>{":03010000AABBCC5A"});
  EXPECT_EQ(state.m_firmwareSum, 0xAA + 0xBB + 0xCC);
  EXPECT_EQ(state.m_firmwareLoaded, 1);
}

TEST_F(LoaderTest, FirmwareThatDoesNotOpenKeepsEarlierLoad) {
  LoadedBefore();
  ExpectFirmwareFailure();
  LoadFirmwareFile(state, 2, files, window);
  EXPECT_EQ(state.m_firmwareLines, std::vector<std::string>{"old firmware"});
  EXPECT_EQ(state.m_firmwareSum, 0x1111);
  EXPECT_EQ(state.m_firmwareLoaded, 1);
}

TEST_F(LoaderTest, FirmwareFailuresAfterOpeningLeaveFlagAndWhatWasRead) {
  struct Case {
    const char* name;
    std::string bytes;
    bool readError;
    std::size_t lines;
    std::uint16_t sum;
  };
  const Case cases[] = {
      {"only records below the threshold", ":037F0000AABBCC00\r\n:00000001FF", false, 0, 0},
      {"empty file", "", false, 0, 0},
      {"bad line after a record", kFirmwareRecord + "\r\n:10\r\n", false, 1, 0xAA + 0xBB + 0xCC},
      {"read error", kFirmwareRecord, true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedBefore();
    MemoryFileSystem disk;
    disk.AddFile("FW.hex", c.bytes);
    if (c.readError) {
      disk.FailRead("FW.hex");
    }
    ExpectFirmwareFailure();
    LoadFirmwareFile(state, 2, disk, window);
    ::testing::Mock::VerifyAndClearExpectations(&window);
    EXPECT_EQ(state.m_firmwareLines.size(), c.lines);
    EXPECT_EQ(state.m_firmwareSum, c.sum);
    EXPECT_EQ(state.m_firmwareLoaded, 1);  // the loader never clears it
  }
}

TEST_F(LoaderTest, FileIsOpenedInALongWorkingDirectory) {
  const std::string directory = "/" + std::string(400, 'x');
  files.SetDirectory(directory);
  files.AddFile("FW.hex", kFirmwareRecord);
  EXPECT_CALL(window, EnableControl(ctrl::kSaveFirmwareButton, true));
  LoadFirmwareFile(state, 3, files, window);
  EXPECT_EQ(state.m_firmwareLoaded, 1);
  EXPECT_EQ(files.openedPaths, std::vector<std::string>{directory + "/FW.hex"});
}

TEST_F(LoaderTest, ParameterLoadDisablesThenEnablesAndFillsDefaultHeader) {
  files.AddFile("UI.hex", kParameterRecord + "\r\n:00000001FF\r\n");
  {
    InSequence order;
    EXPECT_CALL(window, EnableControl(ctrl::kSaveParameterButton, false));
    EXPECT_CALL(window, EnableControl(ctrl::kParameterPageButton, false));
    EXPECT_CALL(window, EnableControl(ctrl::kSaveParameterButton, true));
    EXPECT_CALL(window, EnableControl(ctrl::kParameterPageButton, true));
  }
  LoadParameterFile(state, files, window);
  EXPECT_EQ(state.m_parameterLines, std::vector<std::string>{kParameterRecord});
  EXPECT_EQ(state.m_parameterSum, 16 * 0x11);
  EXPECT_EQ(state.m_parameterHeader, "6C1405E20100000000000000");
  EXPECT_EQ(state.m_parameterLoaded, 1);
}

TEST_F(LoaderTest, EmptyParameterFileLoads) {
  LoadedBefore();
  state.m_parameterLoaded = 0;  // so that only this load can set it
  files.AddFile("UI.hex", "");
  {
    InSequence order;
    EXPECT_CALL(window, EnableControl(ctrl::kSaveParameterButton, false));
    EXPECT_CALL(window, EnableControl(ctrl::kParameterPageButton, false));
    EXPECT_CALL(window, EnableControl(ctrl::kSaveParameterButton, true));
    EXPECT_CALL(window, EnableControl(ctrl::kParameterPageButton, true));
  }
  LoadParameterFile(state, files, window);
  EXPECT_TRUE(state.m_parameterLines.empty());
  EXPECT_EQ(state.m_parameterSum, 0);
  EXPECT_EQ(state.m_parameterHeader, "6C1405E20100000000000000");
  EXPECT_EQ(state.m_parameterLoaded, 1);
}

TEST_F(LoaderTest, ParameterThatDoesNotOpenOnlyClearsItsName) {
  LoadedBefore();
  EXPECT_CALL(window, SetControlText(ctrl::kParameterNameEdit, ""));
  LoadParameterFile(state, files, window);
  EXPECT_EQ(state.m_parameterLines, std::vector<std::string>{"old parameter"});
  EXPECT_EQ(state.m_parameterHeader, "old header");
}

TEST_F(LoaderTest, ParameterBadLineKeepsWhatWasGatheredAndNoDefaultHeader) {
  LoadedBefore();
  state.m_parameterLoaded = 0;
  files.AddFile("UI.hex", kParameterRecord + "\r\n:020000040000FA\r\n" + kParameterRecord);
  ExpectParameterLineFailure();
  LoadParameterFile(state, files, window);
  EXPECT_EQ(state.m_parameterLines, std::vector<std::string>{kParameterRecord});
  EXPECT_EQ(state.m_parameterSum, 16 * 0x11);
  EXPECT_EQ(state.m_parameterHeader, "");
  EXPECT_EQ(state.m_parameterLoaded, 0);
}

TEST_F(LoaderTest, ParameterReadErrorTakesTheErrorPath) {
  LoadedBefore();
  files.AddFile("UI.hex", kParameterRecord);
  files.FailRead("UI.hex");
  ExpectParameterLineFailure();
  LoadParameterFile(state, files, window);
  EXPECT_TRUE(state.m_parameterLines.empty());
  EXPECT_EQ(state.m_parameterHeader, "");
}

}  // namespace
}  // namespace korvane
