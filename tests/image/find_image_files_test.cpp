#include "image/find_image_files.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace korvane {
namespace {

using testing::MemoryFileSystem;

struct FindCase {
  const char* name;
  std::vector<std::string> entries;  // in listing order
  int result;
  std::string firmware;
  std::string parameter;
};

class FindImageFilesTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindImageFilesTest, RecordsNamesByCaseSensitiveSubstring) {
  const FindCase& c = GetParam();
  MemoryFileSystem files;
  for (const std::string& entry : c.entries) {
    files.AddFile(entry, "");
  }
  ImageFilesState state;
  state.m_firmwarePath = "stale";
  state.m_parameterPath = "stale";
  EXPECT_EQ(FindImageFiles(state, files), c.result);
  EXPECT_EQ(state.m_firmwarePath, c.firmware);
  EXPECT_EQ(state.m_parameterPath, c.parameter);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, FindImageFilesTest,
    ::testing::Values(
        FindCase{"Both", {"..", "FW.hex", "UI.hex"}, 1, "FW.hex", "UI.hex"},
        FindCase{"OnlyFirmware", {"FW.hex", "notes.txt"}, 0, "FW.hex", ""},
        FindCase{"WrongCase", {"fw.hex", "FW.HEX", "ui.HEX"}, 0, "", ""},
        FindCase{"Substring", {"FW.hex.bak", "OldUI.hex"}, 1, "FW.hex.bak", "OldUI.hex"},
        FindCase{"LastListedWins", {"FW.hex", "UI.hex", "OldFW.hex"}, 1, "OldFW.hex", "UI.hex"},
        FindCase{"BothTextsMeanFirmware", {"FW.hexUI.hex"}, 0, "FW.hexUI.hex", ""},
        FindCase{"Empty", {}, 0, "", ""}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(FindImageFilesEdgeTest, FirstEntryOfTheListingIsNeverExamined) {
  MemoryFileSystem files;
  files.SetFirstEntry("FW.hex");
  files.AddFile("UI.hex", "");
  ImageFilesState state;
  EXPECT_EQ(FindImageFiles(state, files), 0);
  EXPECT_EQ(state.m_firmwarePath, "");
  EXPECT_EQ(state.m_parameterPath, "UI.hex");
}

TEST(FindImageFilesEdgeTest, DirectoryEntryIsJudgedByName) {
  MemoryFileSystem files;
  files.AddFile("FW.hex", "");
  files.AddDirectory("UI.hex");
  ImageFilesState state;
  EXPECT_EQ(FindImageFiles(state, files), 1);
  EXPECT_EQ(state.m_parameterPath, "UI.hex");
}

TEST(FindImageFilesEdgeTest, NoListingOrNoDirectoryFindsNothing) {
  for (bool loseDirectory : {false, true}) {
    MemoryFileSystem files;
    files.AddFile("FW.hex", "");
    files.AddFile("UI.hex", "");
    if (loseDirectory) {
      files.LoseDirectory();
    } else {
      files.FailListing();
    }
    ImageFilesState state;
    state.m_firmwarePath = "old";
    EXPECT_EQ(FindImageFiles(state, files), 0);
    EXPECT_EQ(state.m_firmwarePath, "");
    EXPECT_EQ(state.m_parameterPath, "");
  }
}

TEST(FindImageFilesEdgeTest, WorkingDirectoryLongerThan260CharactersWorks) {
  MemoryFileSystem files("/" + std::string(300, 'd') + "/line");
  files.AddFile("FW.hex", "");
  files.AddFile("UI.hex", "");
  ImageFilesState state;
  EXPECT_EQ(FindImageFiles(state, files), 1);
}

}  // namespace
}  // namespace korvane
