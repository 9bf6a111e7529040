#include "flash/check_camera.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/mock_dialog_window.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using ::testing::_;
using testing::Bytes;
using testing::Get;
using testing::Seen;
using testing::SeenRequest;
using testing::Set;
using testing::SimRig;
using ::testing::StrictMock;

struct LensCase {
  const char* camera;  // the simulated camera's words
  const char* headerWord3;
  bool passes;
};

// Camera words, lens word and the parameter file's third header word.
const LensCase kLensCases[] = {
    // Different camera words: no lens check at all.
    {"word-a=0x1234,word-b=0x1235,lens=0x2000", "0100", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "2100", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "1100", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "6000", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x1000", "1100", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x1000", "3100", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x1000", "9000", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x1000", "2100", false},
    // Both bits: only 0x2000 is required.
    {"word-a=0x1234,word-b=0x1234,lens=0x3000", "2000", true},
    {"word-a=0x1234,word-b=0x1234,lens=0x3000", "1000", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x3000", "3000", true},
    // No lens bit: anything passes.
    {"word-a=0x1234,word-b=0x1234,lens=0x0000", "0100", true},
    {"word-a=0x1234,word-b=0x1234,lens=0xC000", "", true},
    // Letters, other characters and short fields count as zero digits.
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "A000", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "E000", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "210", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x1000", "-100", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x1000", "0100", false},
    {"word-a=0x1234,word-b=0x1234,lens=0x2000", "0100", false},
    // Camera words that are equal only in their low bytes still differ.
    {"word-a=0x1234,word-b=0x2234,lens=0x2000", "0000", true},
};

TEST(CheckCameraTest, LensTable) {
  for (const LensCase& c : kLensCases) {
    SCOPED_TRACE(std::string(c.camera) + " word3=" + c.headerWord3);
    SimRig rig;
    SimulatedCamera& camera = rig.Add(c.camera);
    rig.state.m_xuPropertySet = kXuPropertySetVariantA;
    StrictMock<testing::MockDialogWindow> window;
    if (!c.passes) {
      EXPECT_CALL(window, ShowMessage(std::string_view("Lens Error")));
    }
    EXPECT_EQ(CheckCamera(rig.state, SimRig::Open(camera), c.headerWord3, window), c.passes);
    EXPECT_EQ(camera.Requests().size(), 12u);
  }
}

TEST(CheckCameraTest, ReadsTheThreeWordsHighRegisterFirstOnControl3) {
  SimRig rig;
  SimulatedCamera& camera = rig.Add("variant=B,word-a=0x1234,word-b=0x1234,lens=0x2000");
  rig.state.m_xuPropertySet = kXuPropertySetVariantB;
  StrictMock<testing::MockDialogWindow> window;
  ASSERT_TRUE(CheckCamera(rig.state, SimRig::Open(camera), "2000", window));
  std::vector<SeenRequest> expected;
  const std::uint8_t values[] = {0x12, 0x34, 0x12, 0x34, 0x20, 0x00};
  for (std::uint8_t reg = 0xC2; reg <= 0xC7; ++reg) {
    expected.push_back(Set(5, {reg, 0x01, 0x00, 0x00}));
    expected.push_back(Get(3, {values[reg - 0xC2], 0x00, 0x00, 0x00}));
  }
  EXPECT_EQ(Seen(camera), expected);
}

TEST(CheckCameraTest, AFailedReadStopsWithoutAMessage) {
  for (std::uint64_t failing = 1; failing <= 12; ++failing) {
    SCOPED_TRACE(failing);
    SimRig rig;
    SimulatedCamera& camera =
        rig.Add("word-a=0x1234,word-b=0x1234,lens=0x2000,fail-at=" + std::to_string(failing));
    rig.state.m_xuPropertySet = kXuPropertySetVariantA;
    StrictMock<testing::MockDialogWindow> window;  // no message box
    EXPECT_FALSE(CheckCamera(rig.state, SimRig::Open(camera), "1000", window));
    EXPECT_EQ(camera.Requests().size(), failing);
  }
}

TEST(CheckCameraTest, ParameterLensWordPlacesDigitsFromTheEnd) {
  EXPECT_EQ(ParameterLensWord("2100"), 0x2100u);
  EXPECT_EQ(ParameterLensWord("6C14"), 0x6014u);
  EXPECT_EQ(ParameterLensWord("21"), 0x21u);
  EXPECT_EQ(ParameterLensWord(""), 0u);
  // Characters beyond eight digits cannot reach the word and are not shifted past it.
  EXPECT_EQ(ParameterLensWord("9912345678"), 0x12345678u);
}

}  // namespace
}  // namespace korvane
